#include "calibration/calibration_mass_sheet.h"

CalibrationMassSheet::CalibrationMassSheet()
    : CalibrationSheet("49.023",
                       {"Display reading", false, "Scale sum", "Display sum", "Sum difference", "Average error"})
{
    for (std::size_t test = 0; test < tests.size(); ++test)
        onEnter(tests[test].display, [this, test] { displayEntered(test); });
    onChange(displaySum, [this] { displaySumWritten(); });
}

std::vector<FieldId> CalibrationMassSheet::readingsInOrder() const
{
    return {existingFactor, tests[0].scale, tests[0].display, tests[1].scale, tests[1].display,
            tests[2].scale, tests[2].display};
}

// Writing the display sum works out the average error and the new factor before
// the average display.
void CalibrationMassSheet::displayEntered(std::size_t test)
{
    rebuildDisplaySum(test, SumOrder::FirstTestFirst);
    writeDifference(test);
}

void CalibrationMassSheet::displaySumWritten()
{
    writeSumDifference();
    writeNewFactor();
}
