#include "calibration/calibration_no_mass_window.h"

#include "calibration/calibration_window.h"
#include "calibration/calibration_phases.h"
#include "calibration/calibration_no_mass_report.h"
#include "calibration/calibration_no_mass_sheet.h"
#include "maker/maker.h"
#include "widgets/design.h"

CalibrationWindow* newCalibrationNoMassWindow(ReportServices& services)
{
    using namespace design;
    using Kind = SheetWindow::Kind;
    using Look = SheetWindow::Look;
    auto* window = CalibrationWindow::create<CalibrationNoMassSheet>({7200, 5520, kLightGreen, "&Pirnt",
                                                                      qText(noMassDisplayWorksheet().name),
                                                                      qText(noMassDisplayWorksheet().kind)},
                                                                     printCalibrationNoMassReport, services);
    auto& s = static_cast<CalibrationNoMassSheet&>(window->sheet());
    const Look result{kPaleYellow};
    const Look mass{kPaleYellow, kBlack};
    const Look heading{kPaleCyan};
    // Left with the system's own label colours, unlike every other label here.
    const Look system{window->palette().color(QPalette::Button), window->palette().color(QPalette::ButtonText)};
    const auto& t = s.tests;
    // clang-format off
    window->place(s,
                  {
                      {s.lbsPerGge, Kind::Entry, {1200, 4080, 735, 285}},
                      {s.existingFactor, Kind::Entry, {1200, 4440, 735, 285}},
                      {t[0].scale, Kind::Entry, {1200, 1440, 855, 285}},
                      {s.gallons[0], Kind::Entry, {2400, 1440, 615, 285}},
                      {t[1].scale, Kind::Entry, {1200, 1800, 855, 285}},
                      {s.gallons[1], Kind::Entry, {2400, 1800, 615, 285}},
                      {t[2].scale, Kind::Entry, {1200, 2160, 855, 285}},
                      {s.gallons[2], Kind::Entry, {2400, 2160, 615, 285}},
                      {t[0].display, Kind::Result, {3240, 1440, 735, 285}, mass},
                      {t[1].display, Kind::Result, {3240, 1800, 735, 285}, mass},
                      {t[2].display, Kind::Result, {3240, 2160, 735, 285}, mass},
                      {t[0].percentError, Kind::Percent2, {4800, 1440, 615, 285}, result},
                      {t[1].percentError, Kind::Percent2, {4800, 1800, 615, 285}, result},
                      {t[2].percentError, Kind::Percent2, {4800, 2160, 615, 285}, result},
                      {s.averageScale, Kind::Result, {1200, 3600, 855, 285}, result},
                      {s.averageDisplay, Kind::Result, {3120, 3600, 855, 285}, result},
                      {s.averageError, Kind::Percent2, {4920, 3600, 615, 285}, result},
                      {s.newFactor, Kind::Result, {1200, 5040, 735, 285}, {kPaleYellow, kRed}},
                  },
                  {
                      {qText(maker::kName), {240, 120, 4035, 345}, {{}, {}, 14.25}},
                      {"DISPENSER CALIBRATION  WITH OUT A MASS DISPLAY", {240, 480, 6660, 270}, {{}, {}, 12}},
                      {"Scale", {1320, 1200, 495, 195}, {}, {t[0].scale, t[1].scale, t[2].scale}},
                      {"Gallon Display", {2400, 960, 735, 375}, {}, {s.gallons[0], s.gallons[1], s.gallons[2]}},
                      {"Mass Dispensed", {3240, 960, 975, 375}, {}, {t[0].display, t[1].display, t[2].display}},
                      {"Percent of Error", {4800, 960, 735, 375}, heading,
                       {t[0].percentError, t[1].percentError, t[2].percentError}},
                      {"Test 1", {600, 1440, 555, 195}, heading,
                       {t[0].scale, s.gallons[0], t[0].display, t[0].percentError}},
                      {"Test 2", {600, 1800, 555, 195}, heading,
                       {t[1].scale, s.gallons[1], t[1].display, t[1].percentError}},
                      {"Test 3", {600, 2160, 555, 195}, heading,
                       {t[2].scale, s.gallons[2], t[2].display, t[2].percentError}},
                      {"Average Scale", {1200, 3120, 735, 375}, {kWhite}, {s.averageScale}},
                      {"Average  Display", {3120, 3120, 855, 375}, {kWhite}, {s.averageDisplay}},
                      {"Average Error", {4920, 3120, 975, 375}, {kWhite}, {s.averageError}},
                      {"Lbs\\GGE", {2040, 4080, 855, 255}, system, {s.lbsPerGge}},
                      {"Existing Flow Cal. Factor", {2040, 4440, 2115, 195}, {kWhite}, {s.existingFactor}},
                      {"New Flow Cal. Factor", {2040, 5040, 1830, 195}, {kWhite}, {s.newFactor}},
                  });
    // clang-format on
    window->judge({t[0].percentError, t[1].percentError, t[2].percentError, s.averageError});
    window->placePhaseNotes({600, 2580, 6000, 285}, {4080, 5040, 3000, 285});
    return window;
}
