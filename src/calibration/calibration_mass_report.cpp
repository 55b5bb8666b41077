#include "calibration/calibration_mass_report.h"

#include "calibration/calibration_report.h"
#include "calibration/calibration_mass_sheet.h"

void printCalibrationMassReport(const CalibrationMassSheet& sheet, const ReportJob& job, Printer& printer)
{
    CalibrationReportForm form{"DISPENSER CALIBRATION  WITH A MASS DISPLAY",
                               {nextZone, "Mass", nextZone, "Percent"},
                               {"Scale", nextZone, "Display", nextZone, "of Error"},
                               {}};
    for (std::size_t i = 0; i < form.tests.size(); ++i) {
        const CalibrationSheet::Test& test = sheet.tests[i];
        form.tests[i] = {{test.scale}, {test.display}, {test.percentError, true}};
    }
    printCalibrationReport(sheet, form, job, printer);
}
