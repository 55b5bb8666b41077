#pragma once

#include "calibration/calibration_sheet.h"

// The calibration worksheet for a dispenser with a mass display: both readings of
// a test are typed. The error of the sums is the average error the window shows.
//
// Every keystroke in a reading rebuilds its column's sum and average; a change of
// the display side also works out the average error and the new factor. A test's
// percent of error follows Enter in its display field and nothing else.
class CalibrationMassSheet : public CalibrationSheet {
public:
    CalibrationMassSheet();

private:
    void displayChanged(std::size_t test);
    void displayEntered(std::size_t test);
    void displaySumWritten();
};
