#include "flowrate/flow_rate_sheet.h"

#include <string>

FlowRateSheet::FlowRateSheet()
    : maximumFlow(add("maximumFlow", "", "Maximum flow rate")),
      pulsesPerGallon(add("pulsesPerGallon", "", "Pulses per gallon")),
      density(add("density", "5.66", "Gas density")),
      frequency(addResult("frequency", "Whole pulse frequency")),
      rate(addResult("rate", "Rate for the whole frequency")),
      pulsesPerPound(addWork("pulsesPerPound", "Pulses per pound")),
      pulsesPerMinute(addWork("pulsesPerMinute", "Pulses per minute")),
      unroundedFrequency(addWork("unroundedFrequency", "Pulse frequency")),
      wholeFrequency(addWork("wholeFrequency", "Whole pulse frequency")),
      frequencyRatio(addWork("frequencyRatio", "Frequency ratio"))
{
    // The results belong to the readings of the last Enter in the density: a
    // changed reading empties them until the next one.
    for (FieldId reading : {maximumFlow, pulsesPerGallon, density})
        onChange(reading, [this] { blankResults(); });
    onEnter(density, [this] {
        blankResults();
        densityEntered();
    });
}

void FlowRateSheet::densityEntered()
{
    // Each reading is read in a statement of its own, so that the first of two that
    // fail is the one named.
    set(pulsesPerPound, [&] {
        const double pulses = strict(pulsesPerGallon);
        return numberText(over(pulses, divisor(density)));
    });
    set(pulsesPerMinute, [&] {
        const double flow = strict(maximumFlow);
        return numberText(times(flow, strict(pulsesPerPound)));
    });
    set(unroundedFrequency, [&] { return numberText(over(strict(pulsesPerMinute), 60.0)); });  // seconds per minute
    set(wholeFrequency, [&] { return std::to_string(whole(unroundedFrequency)); });
    set(frequency, [&] { return std::to_string(whole(wholeFrequency)); });
    set(frequencyRatio, [&] {
        const double whole = strict(wholeFrequency);
        return numberText(over(whole, strict(unroundedFrequency)));
    });
    set(rate, [&] {
        const double flow = strict(maximumFlow);
        return fourDecimals(times(flow, strict(frequencyRatio)));
    });
}
