#include "flowrate/flow_rate_window.h"

#include "maker/maker.h"
#include "widgets/design.h"
#include "flowrate/flow_rate_report.h"

#include <QMenuBar>
#include <QPushButton>

FlowRateWindow::FlowRateWindow(ReportServices& services)
    : ReportWindow(
        qText(maker::kName), 4815, 4755, design::kLightCyan, QStringLiteral("flow-rate-report"),
        [this](Printer& to, const ReportJob& job) { printFlowRateReport(m_sheet, job, to); }, services)
{
    using namespace design;
    const Look entry{kYellow, {}};
    const Look result{kYellow, kBlue, 9.75};
    const FlowRateSheet& s = m_sheet;
    place(m_sheet,
          {
              {s.maximumFlow, Kind::Entry, {3000, 960, 855, 225}, entry},
              {s.pulsesPerGallon, Kind::Entry, {3000, 1320, 855, 225}, entry},
              {s.density, Kind::Entry, {3000, 1680, 855, 225}, {kYellow, kRed}},
              {s.frequency, Kind::Result, {3000, 2640, 855, 240}, result},
              {s.rate, Kind::Result, {3000, 3120, 855, 240}, result},
          },
          {
              {qText(maker::kName), {360, 120, 4035, 345}, {{}, {}, 14.25}},
              // Each caption names the one field beside it.
              {"MAX. Lbs/MIN.", {1680, 960, 1320, 195}, {kYellow}, {s.maximumFlow}},
              {"PULSES/GALLON", {1320, 1320, 1560, 195}, {kLightCyan}, {s.pulsesPerGallon}},
              {"Lbs/GALLON", {1680, 1680, 1140, 195}, {kLightCyan}, {s.density}},
              {"FRQUENCY", {1800, 2640, 1020, 195}, {kLightCyan}, {s.frequency}},
              {"RATE", {2280, 3120, 510, 195}, {kYellow}, {s.rate}},
          });

    // Reached by the mouse or its access key, never by Tab.
    auto* exitButton = new QPushButton(QStringLiteral("E&xit"), area());
    exitButton->setObjectName(QStringLiteral("exit"));
    exitButton->setGeometry(design::rect({3000, 3840, 975, 495}));
    exitButton->setFocusPolicy(Qt::ClickFocus);
    connect(exitButton, &QPushButton::clicked, this, &FlowRateWindow::exitRequested);

    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    addReportCommands(file, QStringLiteral("&Print"));
    file->addAction(QStringLiteral("J&obs..."), QKeySequence(Qt::CTRL | Qt::Key_J), this,
                    &FlowRateWindow::jobsRequested);
    file->addAction(QStringLiteral("Expor&t Jobs..."), this, &FlowRateWindow::exportJobsRequested);
    file->addAction(QStringLiteral("E&xit"), this, &FlowRateWindow::exitRequested);
    QMenu* calibrate = menuBar()->addMenu(QStringLiteral("&Calibrate"));
    calibrate->addAction(QStringLiteral("&With Mass Display"), this, &FlowRateWindow::openMassCalibration);
    calibrate->addAction(QStringLiteral("&No Mass Display"), this, &FlowRateWindow::openNoMassCalibration);
    QMenu* tools = menuBar()->addMenu(QStringLiteral("&Tools"));
    tools->addAction(QStringLiteral("Temp"), this, &FlowRateWindow::openTemperature);
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction("&About " + qText(maker::kName), this, &FlowRateWindow::openAbout);
}
