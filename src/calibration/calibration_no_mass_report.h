#pragma once

class CalibrationNoMassSheet;
class Printer;
struct ReportJob;

// The calibration report of the worksheet without a mass display: each test's
// scale, gallon display, percent of error and mass dispensed. The average
// percentage is the error of the sums, which the window keeps hidden, not the
// average error it shows.
void printCalibrationNoMassReport(const CalibrationNoMassSheet& sheet, const ReportJob& job, Printer& printer);
