#include "calibration/calibration_no_mass_sheet.h"

CalibrationNoMassSheet::CalibrationNoMassSheet()
    : CalibrationSheet("43.023", {"Mass dispensed", true, "Sum of the scale readings", "Sum of the masses dispensed",
                                  "Difference of the sums", "Percent of error of the sums"}),
      lbsPerGge(add("lbsPerGge", "5.66", "Factor Lbs\\GGE")),
      gallons{add("gallons1", "", "Gallon display reading of Test 1"),
              add("gallons2", "", "Gallon display reading of Test 2"),
              add("gallons3", "", "Gallon display reading of Test 3")},
      averageDifference(addWork("averageDifference", "Difference of the averages")),
      averageError(addResult("averageError", "Average error"))
{
    for (std::size_t test = 0; test < tests.size(); ++test) {
        onChange(tests[test].display, [this, test] { massChanged(test); });
        onEnter(gallons[test], [this, test] { gallonsEntered(test); });
    }
    onChange(displaySum, [this] { writeSumDifference(); });
    onChange(averageDisplay, [this] { averageDisplayWritten(); });
    onChange(averageDifference, [this] { averageDifferenceWritten(); });
}

std::vector<FieldId> CalibrationNoMassSheet::readingsInOrder() const
{
    return {lbsPerGge, existingFactor, tests[0].scale, gallons[0], tests[1].scale, gallons[1],
            tests[2].scale, gallons[2]};
}

// Test 1's difference is written only by Enter in its gallon field.
void CalibrationNoMassSheet::massChanged(std::size_t test)
{
    rebuildDisplaySum(test, SumOrder::LastTestFirst);
    if (test > 0)
        writeDifference(test);
}

// The mass, then as much of its change as the worksheet repeats for that test: all
// of it and the difference for Test 1, all of it for Test 2, the difference alone
// for Test 3.
void CalibrationNoMassSheet::gallonsEntered(std::size_t test)
{
    set(tests[test].display, [&] { return numberText(times(strict(lbsPerGge), strict(gallons[test]))); });
    if (test < 2)
        massChanged(test);
    if (test != 1)
        writeDifference(test);
}

void CalibrationNoMassSheet::averageDisplayWritten()
{
    set(averageDifference, [&] { return numberText(minus(lenient(averageScale), lenient(averageDisplay))); });
    writeNewFactor();
}

void CalibrationNoMassSheet::averageDifferenceWritten()
{
    set(averageError, [&] {
        const double difference = strict(averageDifference);
        return fourDecimals(over(difference, divisor(averageScale)));
    });
}
