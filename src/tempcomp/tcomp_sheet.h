#pragma once

#include "fields/sheet.h"

// Temperature compensation: the temperature typed in degrees Fahrenheit becomes
// the compensated fill pressures, in psi, of the P-30 and P-36 classes. Getting
// the focus and Enter in the temperature field both compute; writing the Celsius
// work field carries the computation on to the pressures.
class TcompSheet : public Sheet {
public:
    TcompSheet();

    const FieldId Text1;        // temperature, degrees Fahrenheit
    const FieldId Text2;        // hidden: the same temperature in degrees Celsius
    const FieldId MaskedEdit3;  // P-30 pressure, psi
    const FieldId MaskedEdit4;  // P-36 pressure, psi

    void Text1_GotFocus();
    void Text1_KeyPress();
    void Text2_Change();

private:
    void celsiusStep();
};
