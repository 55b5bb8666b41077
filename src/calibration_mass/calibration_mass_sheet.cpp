#include "calibration_mass/calibration_mass_sheet.h"

CalibrationMassSheet::CalibrationMassSheet()
    : CalibrationSheet("49.023", {"Display reading", "Scale sum", "Display sum", "Sum difference", "Average error"})
{
    for (std::size_t test = 0; test < tests.size(); ++test) {
        // Enter rebuilds a column as a change does, as steps of the Enter itself: a
        // sum that cannot be formed ends the Enter there.
        onChange(tests[test].scale, [this, test] { rebuildScaleSum(test); });
        onEnter(tests[test].scale, [this, test] { rebuildScaleSum(test); });
        onChange(tests[test].display, [this, test] { displayChanged(test); });
        onEnter(tests[test].display, [this, test] { displayEntered(test); });
    }
    onChange(displaySum, [this] { displaySumWritten(); });
}

// Writing the display sum works out the average error and the new factor before
// the average display.
void CalibrationMassSheet::displayChanged(std::size_t test) { rebuildDisplaySum(test, SumOrder::FirstTestFirst); }

void CalibrationMassSheet::displayEntered(std::size_t test)
{
    displayChanged(test);
    writeDifference(test);
}

void CalibrationMassSheet::displaySumWritten()
{
    writeSumDifference();
    writeNewFactor();
}
