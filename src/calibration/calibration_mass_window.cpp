#include "calibration/calibration_mass_window.h"

#include "calibration/calibration_window.h"
#include "calibration/calibration_phases.h"
#include "calibration/calibration_mass_report.h"
#include "calibration/calibration_mass_sheet.h"
#include "maker/maker.h"
#include "widgets/design.h"

CalibrationWindow* newCalibrationMassWindow(ReportServices& services)
{
    using namespace design;
    using Kind = SheetWindow::Kind;
    auto* window = CalibrationWindow::create<CalibrationMassSheet>({7245, 5820, kPaleCyan, "&Print",
                                                                    qText(massDisplayWorksheet().name),
                                                                    qText(massDisplayWorksheet().kind)},
                                                                   printCalibrationMassReport, services);
    CalibrationSheet& s = window->sheet();
    const SheetWindow::Look result{kYellow};
    const auto& t = s.tests;
    // clang-format off
    window->place(s,
                  {
                      {s.existingFactor, Kind::Entry, {1200, 4200, 735, 285}, {kWhite}},
                      {t[0].scale, Kind::Entry, {1200, 1440, 855, 285}},
                      {t[0].display, Kind::Entry, {3240, 1440, 735, 285}},
                      {t[1].scale, Kind::Entry, {1200, 1800, 855, 285}},
                      {t[1].display, Kind::Entry, {3240, 1800, 735, 285}},
                      {t[2].scale, Kind::Entry, {1200, 2160, 855, 285}},
                      {t[2].display, Kind::Entry, {3240, 2160, 735, 285}},
                      {s.averageScale, Kind::Result, {1200, 3600, 855, 285}, result},
                      {s.averageDisplay, Kind::Result, {3120, 3600, 855, 285}, result},
                      {s.newFactor, Kind::Result, {1200, 4920, 735, 285}, {kYellow, kRed}},
                      {t[0].percentError, Kind::Percent3, {4800, 1410, 855, 285}, result},
                      {t[1].percentError, Kind::Percent3, {4800, 1800, 855, 285}, result},
                      {t[2].percentError, Kind::Percent3, {4800, 2160, 855, 285}, result},
                      {s.sumError, Kind::Percent3, {4800, 3600, 855, 285}, result},
                  },
                  {
                      {qText(maker::kName), {480, 120, 4035, 345}, {{}, {}, 14.25}},
                      {"DISPENSER CALIBRATION  WITH A MASS DISPLAY", {480, 480, 6090, 270}, {{}, {}, 12}},
                      {"Scale", {1200, 1200, 495, 195}, {}, {t[0].scale, t[1].scale, t[2].scale}},
                      {"Mass Display", {3240, 960, 735, 375}, {}, {t[0].display, t[1].display, t[2].display}},
                      {"Percent of Error", {4800, 960, 735, 375}, {},
                       {t[0].percentError, t[1].percentError, t[2].percentError}},
                      {"Test 1", {600, 1440, 555, 195}, {}, {t[0].scale, t[0].display, t[0].percentError}},
                      {"Test 2", {600, 1800, 555, 195}, {}, {t[1].scale, t[1].display, t[1].percentError}},
                      {"Test 3", {600, 2160, 555, 195}, {}, {t[2].scale, t[2].display, t[2].percentError}},
                      {"Average Scale", {1200, 3120, 735, 375}, {}, {s.averageScale}},
                      {"Average  Display", {3120, 3120, 855, 375}, {}, {s.averageDisplay}},
                      {"Average Error", {4800, 3120, 975, 375}, {}, {s.sumError}},
                      {"Existing Flow Cal. Factor", {2040, 4200, 2115, 195}, {kWhite}, {s.existingFactor}},
                      {"New Flow Cal. Factor", {2040, 4920, 1830, 195}, {kWhite}, {s.newFactor}},
                  });
    // clang-format on
    window->judge({t[0].percentError, t[1].percentError, t[2].percentError, s.sumError});
    window->placePhaseNotes({600, 2580, 6000, 285}, {4080, 4920, 3000, 285});
    return window;
}
