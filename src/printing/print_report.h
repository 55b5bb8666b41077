#pragma once

#include <QString>

#include <functional>

class PrintDialogs;
class Printer;

// A report: a function that runs from its first line to the end of its document.
using Report = std::function<void(Printer&)>;

struct ReportOutcome {
    enum class Kind { Printed, SavedAsPdf, NotPrinted };
    Kind kind;
    // For the window's status line: where the report went, or why not; empty when
    // the user was told in a message box.
    QString status;
};

// Prints the report on the printer. When there is no printer the user may save it
// as a PDF file instead; when the printer refuses it, the user is told which
// printer and why. Either way no document is left open for the next report.
// name: the report's name in the PDF file name suggested ("flow-rate-report").
ReportOutcome printReport(Printer& printer, PrintDialogs& dialogs, const QString& name, const Report& report);

// Saves the very page Print gives as a PDF file the user chooses. A cancel, a
// folder that cannot be written or a full disk writes nothing and says so.
ReportOutcome saveReportAsPdf(Printer& printer, PrintDialogs& dialogs, const QString& name, const Report& report);

// The file suggested for a report: "<name>-<date>.pdf" in the documents folder.
QString suggestedPdfPath(const QString& name);
