#pragma once

class CalNoMasSheet;
class Printer;

// The calibration report of the worksheet without a mass display: the letterhead,
// the title, the existing factor, a table of the three tests in print zones (scale,
// gallon display, percent of error, mass dispensed, batch name), the averages and
// the new factor, on one page of 34 lines. The average percentage is the one of
// the sums, which the window keeps hidden, not the average error it shows. Reads
// the fields and changes none.
//
// A test not made yet prints as empty cells. A percent field holding text that is
// not a number stops the report before its first line with ReportStopped.
void printCalNoMasReport(const CalNoMasSheet& sheet, Printer& printer);
