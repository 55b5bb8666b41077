#include "printing/print_report.h"

#include "fields/design.h"
#include "printing/pdf_device.h"
#include "printing/print_dialogs.h"
#include "printing/print_failed.h"
#include "printing/printer.h"

#include <QDate>
#include <QDir>
#include <QStandardPaths>

#include <optional>

namespace {

// Runs the report; a failure leaves no document open.
std::optional<PrintFailed> attempt(Printer& printer, const Report& report)
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

} // namespace

QString suggestedPdfPath(const QString& name)
{
    const QDir documents(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    const QDir folder = documents.exists() ? documents : QDir::home();
    return folder.filePath(name + QDate::currentDate().toString(QStringLiteral("-yyyy-MM-dd")) + ".pdf");
}

ReportOutcome saveReportAsPdf(Printer& printer, PrintDialogs& dialogs, const QString& name, const Report& report)
{
    const std::optional<QString> path = dialogs.choosePdfFile(suggestedPdfPath(name));
    if (!path)
        return {ReportOutcome::Kind::NotPrinted, QStringLiteral("The report was not saved.")};
    printer.divertNextDocument(std::make_unique<PdfDevice>(*path));
    if (const std::optional<PrintFailed> failure = attempt(printer, report)) {
        return {ReportOutcome::Kind::NotPrinted, QStringLiteral("The report could not be saved as \"%1\": %2.")
                                                     .arg(*path, reasonOf(*failure))};
    }
    return {ReportOutcome::Kind::SavedAsPdf, qText(printer.lastDelivery())};
}

ReportOutcome printReport(Printer& printer, PrintDialogs& dialogs, const QString& name, const Report& report)
{
    const std::optional<PrintFailed> failure = attempt(printer, report);
    if (!failure)
        return {ReportOutcome::Kind::Printed, qText(printer.lastDelivery())};
    if (failure->kind() == PrintFailed::Kind::Refused) {
        dialogs.tell(QStringLiteral("The printer \"%1\" did not take the report: %2.\nNothing was printed.")
                         .arg(qText(failure->printer()), reasonOf(*failure)));
        return {ReportOutcome::Kind::NotPrinted, {}};
    }
    if (!dialogs.offerPdf(QStringLiteral("No printer is set up on this computer, so the report cannot be printed.")))
        return {ReportOutcome::Kind::NotPrinted, {}};
    return saveReportAsPdf(printer, dialogs, name, report);
}
