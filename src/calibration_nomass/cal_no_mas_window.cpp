#include "calibration_nomass/cal_no_mas_window.h"

#include "calibration_nomass/cal_no_mas_report.h"
#include "fields/design.h"
#include "fields/entry_field.h"
#include "printing/print_report.h"

#include <QLabel>
#include <QMenuBar>

namespace {

const QColor kGreen = design::rgb(128, 255, 128);
const QColor kYellow = design::rgb(255, 255, 128);
const QColor kCyan = design::rgb(192, 255, 255);
const QColor kWhite = design::rgb(255, 255, 255);

} // namespace

CalNoMasWindow::CalNoMasWindow(Printer& printer, PrintDialogs& printDialogs, QWidget* parent)
    : SheetWindow(QStringLiteral("Calibration"), 7200, 5520, kGreen, parent),
      m_printer(printer),
      m_printDialogs(printDialogs)
{
    bind(m_sheet);

    QLabel* title = addLabel(QStringLiteral("Vantrel, Inc."), QRect(240, 120, 4035, 345));
    title->setFont(design::font(14.25));
    QLabel* heading = addLabel(QStringLiteral("DISPENSER CALIBRATION  WITH OUT A MASS DISPLAY"), QRect(240, 480, 6660, 270));
    heading->setFont(design::font(12));

    addLabel(QStringLiteral("Scale"), QRect(1320, 1200, 495, 195));
    m_Label3[0] = addLabel(QStringLiteral("Gallon Display"), QRect(2400, 960, 735, 375));
    addLabel(QStringLiteral("Mass Dispensed"), QRect(3240, 960, 975, 375));
    addLabel(QStringLiteral("Percent of Error"), QRect(4800, 960, 735, 375), {kCyan, {}});
    m_Label3[1] = addLabel(QStringLiteral("Test 1"), QRect(600, 1440, 555, 195), {kCyan, {}});
    addLabel(QStringLiteral("Test 2"), QRect(600, 1800, 555, 195), {kCyan, {}});
    addLabel(QStringLiteral("Test 3"), QRect(600, 2160, 555, 195), {kCyan, {}});
    addLabel(QStringLiteral("Average Scale"), QRect(1200, 3120, 735, 375), {kWhite, {}});
    addLabel(QStringLiteral("Average  Display"), QRect(3120, 3120, 855, 375), {kWhite, {}});
    addLabel(QStringLiteral("Average Error"), QRect(4920, 3120, 975, 375), {kWhite, {}});
    // Left with the system's own label colours, unlike every other label here.
    const QPalette system = palette();
    addLabel(QStringLiteral("Lbs\\GGE"), QRect(2040, 4080, 855, 255),
             {system.color(QPalette::Button), system.color(QPalette::ButtonText)});
    addLabel(QStringLiteral("Existing Flow Cal. Factor"), QRect(2040, 4440, 2115, 195), {kWhite, {}});
    addLabel(QStringLiteral("New Flow Cal. Factor"), QRect(2040, 5040, 1830, 195), {kWhite, {}});
    m_Label3[0]->setObjectName(QStringLiteral("Label3_0"));
    m_Label3[1]->setObjectName(QStringLiteral("Label3_1"));

    const Look mass{kYellow, design::rgb(0, 0, 0)};
    const Look result{kYellow, {}};
    const FormattedField::Format format = FormattedField::percent(2);

    // One row per test: scale, gallons, mass dispensed, percent of error.
    EntryField* Text1 = addEntry(m_sheet.Text1, QRect(1200, 1440, 855, 285));
    EntryField* Text24 = addEntry(m_sheet.Text24, QRect(2400, 1440, 615, 285));
    EntryField* Text2 = addEntry(m_sheet.Text2, QRect(3240, 1440, 735, 285), mass);
    addFormatted(m_sheet.MaskedEdit1, QRect(4800, 1440, 615, 285), format, result);
    EntryField* Text5 = addEntry(m_sheet.Text5, QRect(1200, 1800, 855, 285));
    EntryField* Text25 = addEntry(m_sheet.Text25, QRect(2400, 1800, 615, 285));
    EntryField* Text6 = addEntry(m_sheet.Text6, QRect(3240, 1800, 735, 285), mass);
    addFormatted(m_sheet.MaskedEdit2, QRect(4800, 1800, 615, 285), format, result);
    EntryField* Text9 = addEntry(m_sheet.Text9, QRect(1200, 2160, 855, 285));
    EntryField* Text26 = addEntry(m_sheet.Text26, QRect(2400, 2160, 615, 285));
    EntryField* Text10 = addEntry(m_sheet.Text10, QRect(3240, 2160, 735, 285), mass);
    addFormatted(m_sheet.MaskedEdit3, QRect(4800, 2160, 615, 285), format, result);

    addResult(m_sheet.Text17, QRect(1200, 3600, 855, 285), result);
    addResult(m_sheet.Text18, QRect(3120, 3600, 855, 285), result);
    addFormatted(m_sheet.MaskedEdit5, QRect(4920, 3600, 615, 285), format, result);

    EntryField* Text3 = addEntry(m_sheet.Text3, QRect(1200, 4080, 735, 285));
    EntryField* Text21 = addEntry(m_sheet.Text21, QRect(1200, 4440, 735, 285));
    addResult(m_sheet.Text22, QRect(1200, 5040, 735, 285), {kYellow, design::rgb(255, 0, 0)});

    setTabChain({Text3, Text21, Text1, Text24, Text5, Text25, Text9, Text26});
    // The masses are computed, yet may be typed over: they take the focus by mouse
    // only, with the select-all and Enter of a typed field.
    for (EntryField* computed : {Text2, Text6, Text10})
        computed->setFocusPolicy(Qt::ClickFocus);

    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Pirnt"), this, &CalNoMasWindow::print_Click);
    file->addAction(QStringLiteral("&Exit"), this, &CalNoMasWindow::exit_Click);
}

void CalNoMasWindow::print_Click()
{
    printReport(m_printer, m_printDialogs, QStringLiteral("calibration-without-mass-display.pdf"),
                [this](Printer& printer) { printCalNoMasReport(m_sheet, printer); });
}

void CalNoMasWindow::exit_Click() { close(); }
