#pragma once

#include <QString>

#include <functional>

class PrintDialogs;
class Printer;

enum class ReportOutcome { Printed, SavedAsPdf, NotPrinted };

// Prints one report, a function that runs from its first line to the end of its document, on
// the printer. When there is no printer the user may save the report as a PDF file
// instead (pdfName: the file name suggested in the documents folder); when the
// printer refuses it, the user is told which printer and why; when the report
// stops itself (ReportStopped), the user is told its message. Either way no
// document is left open for the next report.
ReportOutcome printReport(Printer& printer, PrintDialogs& dialogs, const QString& pdfName,
                          const std::function<void(Printer&)>& report);
