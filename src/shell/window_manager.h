#pragma once

#include "flowrate/flow_rate_window.h"
#include "job/job.h"
#include "output/print_dialogs.h"
#include "output/printer_system.h"
#include "output/report_services.h"

#include <QObject>
#include <QPointer>

#include <array>
#include <functional>
#include <memory>

// Opens the main window at start-up and the other windows from its menu, one of
// each at most; a window chosen again comes to the front with its values. Every
// window is modeless and has no owner, so closing the main window leaves the
// others running; the program ends when its last window closes, or at Exit.
// It owns the job the reports are printed for, the dialogs that ask about them
// and the printer system (CUPS) their pages go to.
class JobsWindow;

class WindowManager : public QObject {
    Q_OBJECT

public:
    using Beep = std::function<void()>;

    explicit WindowManager(Beep beep, QObject* parent = nullptr);
    // The windows go with it, their readings kept.
    ~WindowManager() override;
    // printDialogs answer for the user when a report cannot be printed; the pages
    // go to printerSystem (CUPS in the program).
    WindowManager(Beep beep, std::unique_ptr<PrintDialogs> printDialogs, std::unique_ptr<PrinterSystem> printerSystem,
                  QObject* parent = nullptr);

    FlowRateWindow* start();
    QWidget* open(FlowRateWindow::Opens which);
    // One beep, then every window closes at once and the program ends.
    void exitProgram();
    // File > Jobs..., over the main window.
    void showJobs();
    // File > Export Jobs...: every kept job as CSV; the main window says where it went.
    void exportJobs();

    FlowRateWindow* mainWindow() const { return m_main; }
    Job& job() { return m_job; }
    QWidget* window(FlowRateWindow::Opens which) const;

private:
    QWidget* create(FlowRateWindow::Opens which);
    JobsWindow* jobsWindow();
    // The open job's record, from the worksheet its tests were typed in.
    void printRecord(bool pdf);
    // A dispenser's calibrations over time, over the window given.
    void showHistory(const QString& serial, const std::vector<KeptJob>& jobs, QWidget* over);

    Beep m_beep;
    std::unique_ptr<PrintDialogs> m_printDialogs;
    std::unique_ptr<PrinterSystem> m_printerSystem;
    Job m_job;
    QStringList m_unusedSettings;  // named when the main window first shows
    ReportServices m_services;
    QPointer<FlowRateWindow> m_main;
    std::array<QPointer<QWidget>, 4> m_windows;
};
