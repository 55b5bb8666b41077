#include "calibration/calibration_no_mass_sheet.h"

CalibrationNoMassSheet::CalibrationNoMassSheet()
    : CalibrationSheet("43.023",
                       {"Mass dispensed", true, "gallon display reading", "Sum of the scale readings",
                        "Sum of the masses dispensed", "Difference of the sums", "Percent of error of the sums"},
                       SumOrder::LastTestFirst),
      lbsPerGge(add("lbsPerGge", "5.66", "Factor Lbs\\GGE")),
      gallons{add("gallons1", "", "Gallon display reading of Test 1"),
              add("gallons2", "", "Gallon display reading of Test 2"),
              add("gallons3", "", "Gallon display reading of Test 3")},
      averageDifference(addWork("averageDifference", "Difference of the averages")),
      averageError(addResult("averageError", "Average error"))
{
}

std::vector<FieldId> CalibrationNoMassSheet::readingsInOrder() const
{
    return {lbsPerGge,      existingFactor, tests[0].scale, gallons[0],
            tests[1].scale, gallons[1],     tests[2].scale, gallons[2]};
}

void CalibrationNoMassSheet::writeMass(std::size_t test)
{
    set(tests[test].display, [&] { return numberText(times(strict(lbsPerGge), strict(gallons[test]))); });
}

Decimal CalibrationNoMassSheet::exactMass(std::size_t test) const
{
    return Decimal::of(text(lbsPerGge)) * Decimal::of(text(gallons[test]));
}

void CalibrationNoMassSheet::writeFromAverages()
{
    set(averageDifference, [&] { return numberText(minus(strict(averageScale), strict(averageDisplay))); });
    set(averageError, [&] {
        const double difference = strict(averageDifference);
        return fourDecimals(over(difference, divisor(averageScale)));
    });
}
