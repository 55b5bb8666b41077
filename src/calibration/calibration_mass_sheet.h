#pragma once

#include "calibration/calibration_sheet.h"

// The calibration worksheet for a dispenser with a mass display: both readings of
// a test are typed. The error of the sums is the average error the window shows.
class CalibrationMassSheet : public CalibrationSheet {
public:
    CalibrationMassSheet();

private:
    std::vector<FieldId> readingsInOrder() const override;
};
