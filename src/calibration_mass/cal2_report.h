#pragma once

class Cal2Sheet;
class Printer;

// The calibration report of the worksheet with a mass display: the letterhead, the
// title, the existing factor, a table of the three tests in print zones (scale,
// display, percent of error, batch name), the averages and the new factor, on one
// page of 34 lines. Reads the fields and changes none.
//
// A test not made yet prints as empty cells. A percent field holding text that is
// not a number stops the report before its first line with ReportStopped.
void printCal2Report(const Cal2Sheet& sheet, Printer& printer);
