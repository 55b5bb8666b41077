#pragma once

#include "sheet/sheet.h"

// The flow-rate calculator: from the maximum flow, the meter's pulses per gallon
// and the gas density, the whole pulse frequency at maximum flow and the flow rate
// that gives exactly that frequency. Only Enter in the density field computes.
class FlowRateSheet : public Sheet {
public:
    FlowRateSheet();

    // Shown fields.
    const FieldId maximumFlow;      // lb/min
    const FieldId pulsesPerGallon;  // of the meter
    const FieldId density;          // gas density, lb/gal
    const FieldId frequency;        // whole pulse frequency at maximum flow, pulses/s
    const FieldId rate;             // flow rate giving exactly that frequency, lb/min

    // Hidden work fields; each step reads back the text the step before wrote, so
    // every intermediate is rounded to 15 significant digits on the way.
    const FieldId pulsesPerPound;
    const FieldId pulsesPerMinute;     // at maximum flow
    const FieldId unroundedFrequency;  // pulses/s
    const FieldId wholeFrequency;
    const FieldId frequencyRatio;  // whole frequency / unrounded frequency

private:
    void densityEntered();
};
