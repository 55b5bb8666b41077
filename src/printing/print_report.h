#pragma once

#include "printing/printer_system.h"

#include <QPageLayout>
#include <QString>

#include <functional>
#include <optional>

class PrintDialogs;
class Printer;
class PrintFailed;

// A report: a function that runs from its first line to the end of its document.
using Report = std::function<void(Printer&)>;

struct ReportOutcome {
    enum class Kind { Printed, SavedAsPdf, NotPrinted };
    Kind kind;
    // For the window's status line: where the report went, or why not; empty when
    // the user was told in a message box.
    QString status;
};

// Runs the report on the printer's next document; a failure leaves no document open.
std::optional<PrintFailed> runReport(Printer& printer, const Report& report);

// What an answer of the printer system that stops a print means to the user:
// "The printer system did not answer within 5 seconds (localhost:631)."
QString printerSystemMessage(const PrinterSystem::Answer& answer, const std::string& server, int bound);

// Saves the very page Print gives, on that paper, as a PDF file the user chooses.
// Only a regular file is written (through a symbolic link to one, the user asked
// about the file it names); a cancel, a target that is no document, a folder that
// cannot be written or a full disk writes nothing and says so.
ReportOutcome saveReportAsPdf(Printer& printer, PrintDialogs& dialogs, const QString& name, const Report& report,
                              const QPageLayout& layout);

// The file suggested for a report: "<name>-<date>.pdf" in the documents folder, or
// in the current folder when there is no usable home.
QString suggestedPdfPath(const QString& name);
