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

    // Where a pressure stands beyond the fill limit of its class, 125 % of its
    // service pressure: "above 3,750  PSI, 125 % of the P-30 service pressure of
    // 3,000  PSI; containers are not filled beyond it"; empty within it. The pressure itself stays as computed; the status
    // line says it is over the limit.
    std::string limitCrossed(FieldId pressure) const;

private:
    void convertToCelsius();
    void celsiusWritten();
};
