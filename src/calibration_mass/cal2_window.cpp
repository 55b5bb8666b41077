#include "calibration_mass/cal2_window.h"

#include "calibration_mass/cal2_report.h"
#include "fields/design.h"
#include "fields/entry_field.h"
#include "printing/print_report.h"

#include <QLabel>
#include <QMenuBar>

namespace {

const QColor kYellow = design::rgb(255, 255, 0);
const QColor kWhite = design::rgb(255, 255, 255);

} // namespace

Cal2Window::Cal2Window(Printer& printer, PrintDialogs& printDialogs, QWidget* parent)
    : SheetWindow(QStringLiteral("Calibration"), 7245, 5820, design::rgb(192, 255, 255), parent),
      m_printer(printer),
      m_printDialogs(printDialogs)
{
    bind(m_sheet);

    addLabel(QStringLiteral("Vantrel, Inc."), QRect(480, 120, 4035, 345))->setFont(design::font(14.25));
    addLabel(QStringLiteral("DISPENSER CALIBRATION  WITH A MASS DISPLAY"), QRect(480, 480, 6090, 270))
        ->setFont(design::font(12));
    addLabel(QStringLiteral("Scale"), QRect(1200, 1200, 495, 195));
    addLabel(QStringLiteral("Mass Display"), QRect(3240, 960, 735, 375));
    addLabel(QStringLiteral("Percent of Error"), QRect(4800, 960, 735, 375));
    addLabel(QStringLiteral("Test 1"), QRect(600, 1440, 555, 195));
    addLabel(QStringLiteral("Test 2"), QRect(600, 1800, 555, 195));
    addLabel(QStringLiteral("Test 3"), QRect(600, 2160, 555, 195));
    addLabel(QStringLiteral("Average Scale"), QRect(1200, 3120, 735, 375));
    addLabel(QStringLiteral("Average  Display"), QRect(3120, 3120, 855, 375));
    addLabel(QStringLiteral("Average Error"), QRect(4800, 3120, 975, 375));
    addLabel(QStringLiteral("Existing Flow Cal. Factor"), QRect(2040, 4200, 2115, 195), {kWhite, {}});
    addLabel(QStringLiteral("New Flow Cal. Factor"), QRect(2040, 4920, 1830, 195), {kWhite, {}});

    EntryField* Text21 = addEntry(m_sheet.Text21, QRect(1200, 4200, 735, 285), {kWhite, {}});
    EntryField* Text1 = addEntry(m_sheet.Text1, QRect(1200, 1440, 855, 285));
    EntryField* Text2 = addEntry(m_sheet.Text2, QRect(3240, 1440, 735, 285));
    EntryField* Text5 = addEntry(m_sheet.Text5, QRect(1200, 1800, 855, 285));
    EntryField* Text6 = addEntry(m_sheet.Text6, QRect(3240, 1800, 735, 285));
    EntryField* Text9 = addEntry(m_sheet.Text9, QRect(1200, 2160, 855, 285));
    EntryField* Text10 = addEntry(m_sheet.Text10, QRect(3240, 2160, 735, 285));
    addResult(m_sheet.Text17, QRect(1200, 3600, 855, 285), {kYellow, {}});
    addResult(m_sheet.Text18, QRect(3120, 3600, 855, 285), {kYellow, {}});
    addResult(m_sheet.Text22, QRect(1200, 4920, 735, 285), {kYellow, design::rgb(255, 0, 0)});
    addFormatted(m_sheet.MaskedEdit1, QRect(4800, 1410, 855, 285), FormattedField::percent(3), {kYellow, {}});
    addFormatted(m_sheet.MaskedEdit2, QRect(4800, 1800, 855, 285), FormattedField::percent(3), {kYellow, {}});
    addFormatted(m_sheet.MaskedEdit3, QRect(4800, 2160, 855, 285), FormattedField::percent(3), {kYellow, {}});
    addFormatted(m_sheet.MaskedEdit4, QRect(4800, 3600, 855, 285), FormattedField::percent(3), {kYellow, {}});
    setTabChain({Text21, Text1, Text2, Text5, Text6, Text9, Text10});

    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Print"), this, &Cal2Window::print_Click);
    file->addAction(QStringLiteral("&Exit"), this, &Cal2Window::exit_Click);
}

void Cal2Window::print_Click()
{
    printReport(m_printer, m_printDialogs, QStringLiteral("calibration-with-mass-display.pdf"),
                [this](Printer& printer) { printCal2Report(m_sheet, printer); });
}
