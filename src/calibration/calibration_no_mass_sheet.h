#pragma once

#include "calibration/calibration_sheet.h"

// The calibration worksheet for a dispenser whose display shows gallon equivalents.
// Each test's gallon reading becomes the mass dispensed (Lbs\GGE factor x gallons).
// The error of the sums is kept hidden and printed;
// the average error the window shows is worked out from the averages.
//
// Where it differs from the worksheet with a mass display: a display sum adds the
// last test first; the masses of Tests 2 and 3 also write their difference on
// every change; the new factor follows the average display, not the display sum.
class CalibrationNoMassSheet : public CalibrationSheet {
public:
    CalibrationNoMassSheet();

    const FieldId lbsPerGge;  // pounds per gasoline gallon equivalent
    const std::array<FieldId, 3> gallons;  // gallon display reading of each test
    const FieldId averageDifference;       // hidden: average scale - average display
    const FieldId averageError;            // average difference / average scale

private:
    std::vector<FieldId> readingsInOrder() const override;
    void massChanged(std::size_t test);
    void gallonsEntered(std::size_t test);
    void averageDisplayWritten();
    void averageDifferenceWritten();
};
