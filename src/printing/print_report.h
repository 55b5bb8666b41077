#pragma once

#include "printing/printer_system.h"

#include <QDateTime>
#include <QPageLayout>
#include <QString>

#include <functional>
#include <optional>

class PrintDialogs;
class Printer;
class PrintFailed;
struct DocumentInfo;
struct JobDetails;
struct ReportJob;

// A report: a function that runs from its first line to the end of its document,
// printed for a job.
using Report = std::function<void(Printer&, const ReportJob&)>;

struct ReportOutcome {
    enum class Kind { Printed, SavedAsPdf, NotPrinted };
    Kind kind;
    // For the window's status line: where the report went, or why not; empty when
    // the user was told in a message box.
    QString status;
};

// The job's details as printed now, to the minute.
ReportJob reportJob(const JobDetails& details, const QDateTime& at = QDateTime::currentDateTime());

// Runs the report on the printer's next document; a failure leaves no document open.
std::optional<PrintFailed> runReport(Printer& printer, const Report& report, const ReportJob& job);

// What an answer of the printer system that stops a print means to the user:
// "The printer system did not answer within 5 seconds (localhost:631)."
QString printerSystemMessage(const PrinterSystem::Answer& answer, const std::string& server, int bound);

// Saves the very page Print gives, on that paper, as a PDF file the user chooses.
// Only a regular file is written (through a symbolic link to one, the user asked
// about the file it names); a cancel, a target that is no document, a folder that
// cannot be written or a full disk writes nothing and says so. The file's title,
// author and subject are the report's and the job's.
ReportOutcome saveReportAsPdf(Printer& printer, PrintDialogs& dialogs, const QString& name, const Report& report,
                              const ReportJob& job, const QPageLayout& layout);

// The file suggested for a report printed for the job, in the documents folder,
// or in the current folder when there is no usable home:
// "<name>-<dispenser serial>-<yyyy-MM-dd-HHmm>.pdf", without the serial when the
// job names none, so that two dispensers tested on one day never share a name.
QString suggestedPdfPath(const QString& name, const ReportJob& job);

// What a report's PDF says of itself: the report (name "flow-rate-report" read as
// "Flow rate report"), the technician as its author, the dispenser as its subject.
DocumentInfo documentInfo(const QString& name, const ReportJob& job);
