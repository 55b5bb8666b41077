#include "calibration/calibration_no_mass_report.h"

#include "calibration/calibration_report.h"
#include "calibration/calibration_no_mass_sheet.h"

void printCalibrationNoMassReport(const CalibrationNoMassSheet& sheet, const ReportJob& job, Printer& printer)
{
    CalibrationReportForm form{"DISPENSER CALIBRATION  WITH OUT A MASS DISPLAY",
                               {nextZone, "Gallon", nextZone, "Percent"},
                               {"Scale", nextZone, "Display", nextZone, "of Error", nextZone, "Mass"},
                               {},
                               {"Lbs\\GGE factor: " + sheet.text(sheet.lbsPerGge)}};
    for (std::size_t i = 0; i < form.tests.size(); ++i) {
        const CalibrationSheet::Test& test = sheet.tests[i];
        form.tests[i] = {{test.scale}, {sheet.gallons[i]}, {test.percentError, true}, {test.display}};
    }
    printCalibrationReport(sheet, form, job, printer);
}
