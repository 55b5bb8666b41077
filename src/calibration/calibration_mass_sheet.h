#pragma once

#include "calibration/calibration_sheet.h"

// The calibration worksheet for a dispenser with a mass display: both readings of
// a test are typed. The error of the sums is the average error the window shows.
//
// A display reading works out its column's sum and average, the average error and
// the new factor, then the test's difference and percent of error.
class CalibrationMassSheet : public CalibrationSheet {
public:
    CalibrationMassSheet();

private:
    std::vector<FieldId> readingsInOrder() const override;
    void displayEntered(std::size_t test);
    void displaySumWritten();
};
