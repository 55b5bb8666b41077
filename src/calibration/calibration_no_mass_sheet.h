#pragma once

#include "calibration/calibration_sheet.h"

// The calibration worksheet for a dispenser whose display shows gallon equivalents.
// Each test's gallon reading becomes the mass dispensed (Lbs\GGE factor x gallons).
// The error of the sums is kept hidden and printed; the average error the window
// shows is worked out from the averages, and judged as the error of the sums it
// stands for.
//
// Where it differs from the worksheet with a mass display: a display sum adds the
// last test first.
class CalibrationNoMassSheet : public CalibrationSheet {
public:
    CalibrationNoMassSheet();

    const FieldId lbsPerGge;               // pounds per gasoline gallon equivalent
    const std::array<FieldId, 3> gallons;  // gallon display reading of each test
    const FieldId averageDifference;       // hidden: average scale - average display
    const FieldId averageError;            // average difference / average scale

private:
    std::vector<FieldId> readingsInOrder() const override;
    FieldId displayReading(std::size_t test) const override { return gallons[test]; }
    void writeMass(std::size_t test) override;
    Decimal exactMass(std::size_t test) const override;
    void writeFromAverages() override;
};
