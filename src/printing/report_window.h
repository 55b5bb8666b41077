#pragma once

#include "widgets/sheet_window.h"
#include "printing/job.h"
#include "printing/print_report.h"
#include "printing/printer_system.h"
#include "printing/printing.h"

#include <QTimer>

class QMenu;
class QShortcut;

// A calculating window whose File menu prints its report, or saves it as a PDF
// file, on the program's one printer. Where the report went shows on the status
// line.
//
// The printer system is never waited on: while it is asked, the window goes on
// taking keys and repainting, shows a busy cursor and, after a second, says it is
// waiting; Esc cancels. It answers within a few seconds or is taken as not
// answering.
class ReportWindow : public SheetWindow {
    Q_OBJECT

public:
    // Whether the printer system is being asked for this window.
    bool waitingForPrinterSystem() const { return bool(m_cancel); }

protected:
    // name: the report's name in the PDF file name suggested ("flow-rate-report").
    ReportWindow(const QString& caption, int clientWidth, int clientHeight, QColor background, QString name,
                 Report report, Printing& printing);

    // The print command, with the menu text given, then "Save as PDF...", "Job
    // Details..." and "New Job".
    void addReportCommands(QMenu* file, const QString& printItem);
    // The job the reports are printed for; a worksheet judges its errors by it.
    const Job& job() const { return m_printing.job; }

private slots:
    void printReport();
    void saveAsPdf();
    void editJobDetails();
    void newJob();

private:
    using Answer = PrinterSystem::Answer;
    // Asks the printer system, the window showing that it waits meanwhile; then
    // next gets the answer, unless the window has closed.
    void ask(const std::function<PrinterSystem::Cancel(PrinterSystem::Answered)>& question,
             std::function<void(const Answer&)> next);
    bool busy();
    void printOn(const std::string& queue);
    void lookedUp(const Answer& answer, bool chosen);
    void submitted(const Answer& answer);
    void offerPdf(const Answer& answer);
    void save(const QPageLayout& layout);

    QString m_name;
    Report m_report;
    Printing& m_printing;
    PrinterSystem::Cancel m_cancel;
    QTimer m_waitingNote;
    QShortcut* m_escape = nullptr;
    bool m_saidWaiting = false;  // the status line says the window waits
};
