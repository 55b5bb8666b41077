#include "calibration_mass/calibration_mass_window.h"

#include "calibration_mass/calibration_mass_report.h"
#include "fields/design.h"

CalibrationMassWindow::CalibrationMassWindow(Printer& printer, PrintDialogs& printDialogs, QWidget* parent)
    : CalibrationWindow(7245, 5820, design::kPaleCyan, QStringLiteral("&Print"),
                        QStringLiteral("calibration-with-mass-display.pdf"),
                        [this](Printer& to) { printCalibrationMassReport(m_sheet, to); }, printer, printDialogs,
                        parent)
{
    using namespace design;
    const Look result{kYellow};
    const auto& t = m_sheet.tests;
    place(m_sheet,
          {
              {m_sheet.existingFactor, Kind::Entry, {1200, 4200, 735, 285}, {kWhite}},
              {t[0].scale, Kind::Entry, {1200, 1440, 855, 285}},
              {t[0].display, Kind::Entry, {3240, 1440, 735, 285}},
              {t[1].scale, Kind::Entry, {1200, 1800, 855, 285}},
              {t[1].display, Kind::Entry, {3240, 1800, 735, 285}},
              {t[2].scale, Kind::Entry, {1200, 2160, 855, 285}},
              {t[2].display, Kind::Entry, {3240, 2160, 735, 285}},
              {m_sheet.averageScale, Kind::Result, {1200, 3600, 855, 285}, result},
              {m_sheet.averageDisplay, Kind::Result, {3120, 3600, 855, 285}, result},
              {m_sheet.newFactor, Kind::Result, {1200, 4920, 735, 285}, {kYellow, kRed}},
              {t[0].percentError, Kind::Percent3, {4800, 1410, 855, 285}, result},
              {t[1].percentError, Kind::Percent3, {4800, 1800, 855, 285}, result},
              {t[2].percentError, Kind::Percent3, {4800, 2160, 855, 285}, result},
              {m_sheet.sumError, Kind::Percent3, {4800, 3600, 855, 285}, result},
          },
          {
              {"Vantrel, Inc.", {480, 120, 4035, 345}, {{}, {}, 14.25}},
              {"DISPENSER CALIBRATION  WITH A MASS DISPLAY", {480, 480, 6090, 270}, {{}, {}, 12}},
              {"Scale", {1200, 1200, 495, 195}},
              {"Mass Display", {3240, 960, 735, 375}},
              {"Percent of Error", {4800, 960, 735, 375}},
              {"Test 1", {600, 1440, 555, 195}},
              {"Test 2", {600, 1800, 555, 195}},
              {"Test 3", {600, 2160, 555, 195}},
              {"Average Scale", {1200, 3120, 735, 375}},
              {"Average  Display", {3120, 3120, 855, 375}},
              {"Average Error", {4800, 3120, 975, 375}},
              {"Existing Flow Cal. Factor", {2040, 4200, 2115, 195}, {kWhite}},
              {"New Flow Cal. Factor", {2040, 4920, 1830, 195}, {kWhite}},
          });
}
