#pragma once

#include "job/job.h"
#include "layout/report.h"
#include "output/printer_system.h"
#include "output/report_services.h"
#include "widgets/sheet_window.h"

#include <QTimer>

class QMenu;
class QShortcut;

// A calculating window whose File menu prints its report, or saves it as a PDF
// file. Both take the same page, laid out anew from the window's readings. Where
// the report went shows on the status line.
//
// The printer system is never waited on: while it is asked, the window goes on
// taking keys and repainting, shows a busy cursor and, after a second, says it is
// waiting; Esc gives up. It answers within a few seconds or is taken as not
// answering. A dialog its answer calls for opens only when nothing was typed or
// clicked meanwhile and the window is still the active one; else the status line
// says what happened and which command takes the offer, so that no key meant for a
// reading goes to a dialog the technician did not see open.
class ReportWindow : public SheetWindow {
    Q_OBJECT

public:
    // Whether the printer system is being asked for this window.
    bool waitingForPrinterSystem() const { return bool(m_cancel); }

protected:
    // name: the report's name in the PDF file name suggested ("flow-rate-report").
    ReportWindow(const QString& caption, int clientWidth, int clientHeight, QColor background, QString name,
                 Report report, ReportServices& services);

    // The print command, with the menu text given, then "Save as PDF...", "Job
    // Details..." and "New Job".
    void addReportCommands(QMenu* file, const QString& printItem);
    // The job the reports are printed for; a worksheet judges its errors by it.
    const Job& job() const { return m_services.job; }
    Job& job() { return m_services.job; }
    // What the list of jobs shows of the window's results: its kind of test, new
    // factor and verdict; nothing by default.
    virtual KeptJob summary() const;
    // The job's details as the window's report prints them: the job's own by default.
    virtual JobDetails printedDetails() const;
    // Each change of the readings goes to the job, which keeps it.
    void sheetEventDone() override;
    // Kept at once: an Enter, or leaving a field.
    void readingSettled() override;
    // Under which name the job keeps the readings the window shows: the report's
    // name, unless the window shows one of several sets of readings.
    virtual std::string readingsName() const { return m_name.toStdString(); }
    const QString& reportName() const { return m_name; }
    // Called before the window shows the open job's readings, as it first shows and
    // when another job is opened: a window of several sets of readings chooses one.
    virtual void followJob() {}
    // The job's readings under readingsName(), or those the window opens with when it
    // has none.
    void showJobReadings();
    // What the title says after the caption ("As Found"), and the screen reader with it.
    void setPhaseName(const QString& phase);
    // Prints a page other than the window's report, or saves it as PDF under that
    // name, as Print and Save as PDF do the report.
    void printPage(Report page, const QString& name);
    void savePageAsPdf(Report page, const QString& name);
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

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
    // Whether a dialog may open now: nothing was typed or clicked since the
    // command, and this window is the active one.
    bool mayAsk() const;
    void printOn(const std::string& queue);
    void lookedUp(const Answer& answer, bool chosen);
    void submitted(const Answer& answer);
    void offerPdf(const Answer& answer);
    void tell(const QString& message);
    // On the status line; lasting while the technician types on, when the
    // answer came over typing.
    void showOutcome(const QString& note);
    void save(const QPageLayout& paper);
    QString printerSystemSays(const Answer& answer) const;
    // Print and Save as PDF take the readings and the job as they stand at the
    // command, and lay out their page on the paper the printer system last named.
    void takeCommand(Report page, const QString& name);
    // The command's page on that paper: laid out anew when the readings and the job
    // still stand as they did, else the page the command took (typed on meanwhile,
    // the page stays what the technician printed).
    QByteArray pageOn(const QPageLayout& paper);
    void nameWindow();

    QString m_caption;
    QString m_phase;
    QString m_name;
    Report m_report;
    ReportServices& m_services;
    PrinterSystem::Cancel m_cancel;
    QTimer m_waitingNote;
    QShortcut* m_escape = nullptr;
    QObject* m_typing = nullptr;  // watches the whole program for keys and clicks while the window waits
    struct Command {
        Report page;  // what is printed, under its name
        QString name;
        std::map<std::string, std::string> readings;
        JobDetails details;
        ReportJob job;
        QPageLayout paper;
        QByteArray laidOut;
    };
    std::optional<Command> m_command;
    QPageLayout m_paper;         // the paper the printer system last named; the locale's before
    bool m_saidWaiting = false;  // the status line says the window waits
    bool m_typedAhead = false;   // a key or a click came since the command
    bool m_late = false;         // the printer system took more than a second to answer since the command
    bool m_retyping = false;     // while the window shows the job's readings
    // The readings the window opens with, once it first shows.
    std::optional<std::map<std::string, std::string>> m_fresh;
};
