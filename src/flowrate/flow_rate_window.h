#pragma once

#include "flowrate/flow_rate_sheet.h"
#include "output/report_window.h"

// The main window: the flow-rate calculator with the program's menu and Exit
// button. Opening the other windows and ending the program are left to whoever
// listens to its requests. Its report is printed or saved through ReportWindow.
class FlowRateWindow : public ReportWindow {
    Q_OBJECT

public:
    enum class Opens { MassDisplay, NoMassDisplay, Temp, About };

    explicit FlowRateWindow(ReportServices& services);

    FlowRateSheet& sheet() { return m_sheet; }

signals:
    void exitRequested();
    void jobsRequested();
    void exportJobsRequested();
    void openRequested(FlowRateWindow::Opens window);

private slots:
    void openMassCalibration() { emit openRequested(Opens::MassDisplay); }
    void openNoMassCalibration() { emit openRequested(Opens::NoMassDisplay); }
    void openTemperature() { emit openRequested(Opens::Temp); }
    void openAbout() { emit openRequested(Opens::About); }

private:
    FlowRateSheet m_sheet;
};
