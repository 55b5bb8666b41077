#pragma once

class CalibrationMassSheet;
class Printer;
struct ReportJob;

// The calibration report of the worksheet with a mass display: each test's scale,
// display and percent of error, and the average error the window shows.
void printCalibrationMassReport(const CalibrationMassSheet& sheet, const ReportJob& job, Printer& printer);
