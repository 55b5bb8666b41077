#pragma once

#include "calibration/calibration_sheet.h"
#include "layout/print_item.h"

#include <array>
#include <string>
#include <vector>

class Printer;
struct ReportJob;

// What a calibration report prints of its worksheet, beyond what both share.
struct CalibrationReportForm {
    // A cell of a test's line: a field's text, or a field's fraction printed as a
    // percentage.
    struct Cell {
        FieldId field;
        bool percentage = false;
    };

    std::string title;
    // The two heading lines over the tests' table, zones stepped as given.
    std::vector<PrintItem> headingAbove;
    std::vector<PrintItem> headingBelow;
    // Each test's cells, one print zone each; the batch name follows in the next.
    std::array<std::vector<Cell>, 3> tests;
    // The readings the page does not show otherwise, for the job's details.
    std::vector<std::string> readings = {};
};

// A calibration report: the letterhead, the title, the existing factor, the tests'
// table, the averages with the error of the sums, and the new factor, on one page of
// 34 lines. Reads the fields and changes none. With the job's details filled in,
// they stand under the letterhead with the verdict on each test's error.
//
// A test not made yet prints as empty cells; a test with a reading that does not
// count is marked so after its batch name. The verdict lines judge each test's
// error and the error of the sums, which the page prints as the average error.
void printCalibrationReport(const CalibrationSheet& sheet, const CalibrationReportForm& form, const ReportJob& job,
                            Printer& printer);
