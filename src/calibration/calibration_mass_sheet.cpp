#include "calibration/calibration_mass_sheet.h"

CalibrationMassSheet::CalibrationMassSheet()
    : CalibrationSheet("49.023",
                       {"Display reading", false, "display reading", "Scale sum", "Display sum", "Sum difference",
                        "Average error"},
                       SumOrder::FirstTestFirst)
{
}

std::vector<FieldId> CalibrationMassSheet::readingsInOrder() const
{
    return {existingFactor,   tests[0].scale, tests[0].display, tests[1].scale,
            tests[1].display, tests[2].scale, tests[2].display};
}
