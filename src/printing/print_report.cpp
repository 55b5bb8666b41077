#include "printing/print_report.h"

#include "fields/design.h"
#include "printing/pdf_device.h"
#include "printing/print_dialogs.h"
#include "printing/print_failed.h"
#include "printing/printer.h"
#include "printing/report_stopped.h"

#include <QDir>
#include <QStandardPaths>

#include <optional>

namespace {

std::optional<PrintFailed> attempt(Printer& printer, const std::function<void(Printer&)>& report)
{
    try {
        report(printer);
        return std::nullopt;
    } catch (const PrintFailed& failure) {
        printer.abortDocument();
        return failure;
    } catch (...) {
        printer.abortDocument();
        throw;
    }
}

// The reason as part of a sentence; the spooler's own reasons end with a full stop.
QString reasonOf(const PrintFailed& failure)
{
    QString reason = qText(failure.reason());
    while (reason.endsWith(u'.'))
        reason.chop(1);
    return reason;
}

ReportOutcome printOrSave(Printer& printer, PrintDialogs& dialogs, const QString& pdfName,
                          const std::function<void(Printer&)>& report)
{
    std::optional<PrintFailed> failure = attempt(printer, report);
    if (!failure)
        return ReportOutcome::Printed;
    if (failure->kind() == PrintFailed::Kind::Refused) {
        dialogs.tell(QStringLiteral("The printer \"%1\" did not take the report: %2.\nNothing was printed.")
                         .arg(qText(failure->printer()), reasonOf(*failure)));
        return ReportOutcome::NotPrinted;
    }

    const QDir documents(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    const QDir folder = documents.exists() ? documents : QDir::home();
    const std::optional<QString> path = dialogs.offerPdf(
        QStringLiteral("No printer is set up on this computer, so the report cannot be printed."),
        folder.filePath(pdfName));
    if (!path)
        return ReportOutcome::NotPrinted;
    printer.divertNextDocument(std::make_unique<PdfDevice>(*path));
    failure = attempt(printer, report);
    if (!failure)
        return ReportOutcome::SavedAsPdf;
    dialogs.tell(QStringLiteral("The report could not be saved as \"%1\": %2.")
                     .arg(qText(failure->printer()), reasonOf(*failure)));
    return ReportOutcome::NotPrinted;
}

} // namespace

ReportOutcome printReport(Printer& printer, PrintDialogs& dialogs, const QString& pdfName,
                          const std::function<void(Printer&)>& report)
{
    try {
        return printOrSave(printer, dialogs, pdfName, report);
    } catch (const ReportStopped& stop) {
        // The report stopped before its first line: the user has something to mend
        // first, so no PDF is offered either.
        dialogs.tell(QString::fromStdString(stop.what()));
        return ReportOutcome::NotPrinted;
    }
}
