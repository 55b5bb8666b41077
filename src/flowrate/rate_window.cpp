#include "flowrate/rate_window.h"

#include "fields/design.h"
#include "fields/entry_field.h"
#include "flowrate/flow_rate_report.h"
#include "printing/print_report.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

namespace {

const QColor kYellow = design::rgb(255, 255, 0);
const QColor kCyan = design::rgb(128, 255, 255);

} // namespace

RateWindow::RateWindow(Printer& printer, PrintDialogs& printDialogs, QWidget* parent)
    : SheetWindow(QStringLiteral("Vantrel, Inc."), 4815, 4755, kCyan, parent),
      m_printer(printer),
      m_printDialogs(printDialogs)
{
    bind(m_sheet);

    QLabel* title = addLabel(QStringLiteral("Vantrel, Inc."), QRect(360, 120, 4035, 345));
    title->setFont(design::font(14.25));

    QLabel* label3 = addLabel(QStringLiteral("MAX. Lbs/MIN."), QRect(1680, 960, 1320, 195), {kYellow, {}});
    QLabel* label4 = addLabel(QStringLiteral("PULSES/GALLON"), QRect(1320, 1320, 1560, 195), {kCyan, {}});
    QLabel* label5 = addLabel(QStringLiteral("Lbs/GALLON"), QRect(1680, 1680, 1140, 195), {kCyan, {}});
    QLabel* label7 = addLabel(QStringLiteral("FRQUENCY"), QRect(1800, 2640, 1020, 195), {kCyan, {}});
    QLabel* label6 = addLabel(QStringLiteral("RATE"), QRect(2280, 3120, 510, 195), {kYellow, {}});

    EntryField* texMrate = addEntry(m_sheet.texMrate, QRect(3000, 960, 855, 225), {kYellow, {}});
    EntryField* texPpg = addEntry(m_sheet.texPpg, QRect(3000, 1320, 855, 225), {kYellow, {}});
    EntryField* texLbs = addEntry(m_sheet.texLbs, QRect(3000, 1680, 855, 225), {kYellow, design::rgb(255, 0, 0)});
    const Look result{kYellow, design::rgb(0, 0, 255)};
    QLineEdit* texHz = addResult(m_sheet.texHz, QRect(3000, 2640, 855, 240), result);
    QLineEdit* texRate = addResult(m_sheet.texRate, QRect(3000, 3120, 855, 240), result);
    texHz->setFont(design::font(9.75));
    texRate->setFont(design::font(9.75));
    setTabChain({texMrate, texPpg, texLbs});
    // Each caption belongs to the one field beside it, for screen readers too.
    label3->setBuddy(texMrate);
    label4->setBuddy(texPpg);
    label5->setBuddy(texLbs);
    label7->setBuddy(texHz);
    label6->setBuddy(texRate);

    auto* exitButton = new QPushButton(QStringLiteral("E&xit"), area());
    exitButton->setObjectName(QStringLiteral("Command2"));
    exitButton->setGeometry(design::rect(3000, 3840, 975, 495));
    exitButton->setFocusPolicy(Qt::ClickFocus);
    connect(exitButton, &QPushButton::clicked, this, &RateWindow::Command2_Click);

    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Print"), this, &RateWindow::print_Click);
    file->addAction(QStringLiteral("E&xit"), this, &RateWindow::mnuExit_Click);
    QMenu* calibrate = menuBar()->addMenu(QStringLiteral("&Calibrate"));
    calibrate->addAction(QStringLiteral("&With Mass Display"), this, &RateWindow::massdisplay_Click);
    calibrate->addAction(QStringLiteral("&No Mass Display"), this, &RateWindow::nomass_Click);
    QMenu* tools = menuBar()->addMenu(QStringLiteral("&Tools"));
    tools->addAction(QStringLiteral("Temp"), this, &RateWindow::temp_Click);
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(QStringLiteral("&About Vantrel, Inc."), this, &RateWindow::mnuqor_Click);
}

void RateWindow::print_Click()
{
    printReport(m_printer, m_printDialogs, QStringLiteral("flow-rate-report.pdf"),
                [this](Printer& printer) { printFlowRateReport(m_sheet, printer); });
}
