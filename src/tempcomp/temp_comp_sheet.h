#pragma once

#include "sheet/sheet.h"

// Temperature compensation: the temperature typed in degrees Fahrenheit becomes
// the compensated fill pressures, in psi, of the P-30 and P-36 classes. Getting
// the focus and Enter in the temperature field both compute; writing the Celsius
// work field carries the computation on to the pressures.
class TempCompSheet : public Sheet {
public:
    TempCompSheet();

    const FieldId temperature;  // degrees Fahrenheit
    const FieldId celsius;      // hidden: the same temperature in degrees Celsius
    const FieldId p30Pressure;  // psi
    const FieldId p36Pressure;  // psi

private:
    void convertToCelsius();
    void celsiusWritten();
};
