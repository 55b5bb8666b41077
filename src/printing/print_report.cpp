#include "printing/print_report.h"

#include "widgets/design.h"
#include "printing/job_details.h"
#include "printing/pdf_device.h"
#include "printing/print_dialogs.h"
#include "printing/print_failed.h"
#include "printing/printer.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

constexpr const char* kPrintedAt = "yyyy-MM-dd HH:mm";

// The reason as part of a sentence; the spooler's own reasons end with a full stop.
QString sentencePart(const std::string& text)
{
    QString reason = qText(text);
    while (reason.endsWith(u'.'))
        reason.chop(1);
    return reason;
}

// When the report was printed, to the minute, as its job says.
QDateTime printedAt(const ReportJob& job)
{
    const QDateTime at = QDateTime::fromString(QString::fromStdString(job.printedAt), QString::fromLatin1(kPrintedAt));
    return at.isValid() ? at : QDateTime::currentDateTime();
}

bool usableFolder(const QString& path)
{
    const QFileInfo folder(path);
    return !path.isEmpty() && folder.isDir() && folder.isWritable();
}

} // namespace

std::optional<PrintFailed> runReport(Printer& printer, const Report& report, const ReportJob& job)
{
    try {
        report(printer, job);
        return std::nullopt;
    } catch (const PrintFailed& failure) {
        printer.abortDocument();
        return failure;
    } catch (...) {
        printer.abortDocument();
        throw;
    }
}

ReportJob reportJob(const JobDetails& details, const QDateTime& at)
{
    return {details, at.toString(QString::fromLatin1(kPrintedAt)).toStdString()};
}

QString printerSystemMessage(const PrinterSystem::Answer& answer, const std::string& server, int bound)
{
    using Kind = PrinterSystem::Answer::Kind;
    const QString where = qText(server);
    switch (answer.kind) {
    case Kind::Unreachable:
        return QStringLiteral("The printer system (%1) cannot be reached: %2, so the report cannot be printed.")
            .arg(where, sentencePart(answer.reason));
    case Kind::NoAnswer:
        return QStringLiteral("The printer system did not answer within %1 seconds (%2), so the report cannot be "
                              "printed.")
            .arg(bound)
            .arg(where);
    case Kind::NoSuchQueue:
        return QStringLiteral("The printer \"%1\" does not exist on the printer system (%2), so the report cannot be "
                              "printed.")
            .arg(qText(answer.queue), where);
    case Kind::NoDefault:
        return QStringLiteral("No printer is set as the default. Print on one of these this once, or save the report "
                              "as a PDF file:");
    case Kind::NoQueues:
        return QStringLiteral("No printer is set up on this computer, so the report cannot be printed.");
    case Kind::Held:
    case Kind::Refused:
        return QStringLiteral("The printer \"%1\" did not take the report: %2.\nNothing was printed.")
            .arg(qText(answer.queue), sentencePart(answer.reason));
    case Kind::Cancelled:
        return QStringLiteral("Printing cancelled. Nothing was printed.");
    case Kind::Ready:
    case Kind::Sent:
        break;
    }
    return {};
}

QString suggestedPdfPath(const QString& name, const ReportJob& job)
{
    // Only what is safe in a file name on every system stands in it: "AB 12/3" is "AB-12-3".
    QString serial = QString::fromStdString(job.details.items[JobDetails::DispenserSerial]);
    serial.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9._]+")), QStringLiteral("-"));
    serial.remove(QRegularExpression(QStringLiteral("^[-.]+|-+$")));
    const QString file = name + (serial.isEmpty() ? QString() : '-' + serial)
                         + printedAt(job).toString(QStringLiteral("-yyyy-MM-dd-HHmm")) + ".pdf";
    const QString home = qEnvironmentVariable("HOME");
    if (!usableFolder(home))
        return QDir::current().filePath(file);
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(usableFolder(documents) ? documents : home).filePath(file);
}

DocumentInfo documentInfo(const QString& name, const ReportJob& job)
{
    QString title = name;
    title.replace('-', ' ');
    title[0] = title[0].toUpper();
    const auto detail = [&](JobDetails::Item item) {
        return QString::fromStdString(shownPlainly(job.details.items[item]));
    };
    QStringList dispenser;
    for (const auto item : {JobDetails::DispenserMake, JobDetails::DispenserModel})
        dispenser << detail(item);
    if (!detail(JobDetails::DispenserSerial).isEmpty())
        dispenser << "serial no. " + detail(JobDetails::DispenserSerial);
    dispenser.removeAll(QString());
    return {title, detail(JobDetails::Technician),
            dispenser.isEmpty() ? title : title + " of dispenser " + dispenser.join(' '), printedAt(job)};
}

ReportOutcome saveReportAsPdf(Printer& printer, PrintDialogs& dialogs, const QString& name, const Report& report,
                              const ReportJob& job, const QPageLayout& layout)
{
    const std::optional<QString> chosen = dialogs.choosePdfFile(suggestedPdfPath(name, job));
    if (!chosen)
        return {ReportOutcome::Kind::NotPrinted, QStringLiteral("The report was not saved.")};
    const QFileInfo target(*chosen);
    QString path = *chosen;
    if (target.isSymLink()) {
        // Written through, as editors do: the file that changes is the one it names.
        path = target.canonicalFilePath();
        if (path.isEmpty()) {
            return {ReportOutcome::Kind::NotPrinted,
                    QStringLiteral("The report was not saved: \"%1\" is a link to a file that does not exist.")
                        .arg(*chosen)};
        }
    }
    if (target.exists() && !target.isFile()) {
        return {ReportOutcome::Kind::NotPrinted,
                QStringLiteral("The report was not saved: \"%1\" is not a file but a %2. Nothing was written.")
                    .arg(*chosen, target.isDir() ? QStringLiteral("folder") : QStringLiteral("device or pipe"))};
    }
    if (target.exists() && !dialogs.confirmReplace(path))
        return {ReportOutcome::Kind::NotPrinted, QStringLiteral("The report was not saved.")};
    printer.divertNextDocument(std::make_unique<PdfDevice>(path, layout, documentInfo(name, job)));
    if (const std::optional<PrintFailed> failure = runReport(printer, report, job)) {
        return {ReportOutcome::Kind::NotPrinted, QStringLiteral("The report could not be saved as \"%1\": %2.")
                                                     .arg(path, sentencePart(failure->reason()))};
    }
    return {ReportOutcome::Kind::SavedAsPdf, qText(printer.lastDelivery())};
}
