#pragma once

#include "fields/sheet.h"

// The flow-rate calculator: from the maximum flow, the meter's pulses per gallon
// and the gas density, the whole pulse frequency at maximum flow and the flow rate
// that gives exactly that frequency. Only Enter in the density field computes.
class RateSheet : public Sheet {
public:
    RateSheet();

    // Shown fields.
    const FieldId texMrate;  // maximum flow, lb/min
    const FieldId texPpg;    // meter pulses per gallon
    const FieldId texLbs;    // gas density, lb/gal
    const FieldId texHz;     // whole pulse frequency, pulses/s
    const FieldId texRate;   // flow rate giving exactly that frequency, lb/min

    // Hidden work fields; each step reads back the text the step before wrote, so
    // every intermediate is rounded to 15 significant digits on the way.
    const FieldId texPlb;  // pulses per pound
    const FieldId texPpm;  // pulses per minute at maximum flow
    const FieldId texH;    // pulse frequency, unrounded
    const FieldId texDiv;  // pulse frequency, whole
    const FieldId texRet;  // whole frequency / unrounded frequency

    void texLbs_KeyPress();
};
