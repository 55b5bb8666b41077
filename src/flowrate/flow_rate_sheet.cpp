#include "flowrate/flow_rate_sheet.h"

#include <string>

FlowRateSheet::FlowRateSheet()
    : maximumFlow(add("maximumFlow", "", "Maximum flow rate")),
      pulsesPerGallon(add("pulsesPerGallon", "", "Pulses per gallon")),
      density(add("density", "5.66", "Gas density")),
      frequency(add("frequency", "", "Whole pulse frequency")),
      rate(add("rate", "", "Rate for the whole frequency")),
      pulsesPerPound(add("pulsesPerPound", "", "Pulses per pound")),
      pulsesPerMinute(add("pulsesPerMinute", "", "Pulses per minute")),
      unroundedFrequency(add("unroundedFrequency", "", "Pulse frequency")),
      wholeFrequency(add("wholeFrequency", "", "Whole pulse frequency")),
      frequencyRatio(add("frequencyRatio", "", "Frequency ratio"))
{
    onEnter(density, [this] { densityEntered(); });
}

void FlowRateSheet::densityEntered()
{
    set(pulsesPerPound, [&] { return numberText(over(lenient(pulsesPerGallon), lenient(density))); });
    set(pulsesPerMinute, [&] { return numberText(times(lenient(maximumFlow), lenient(pulsesPerPound))); });
    set(unroundedFrequency, [&] { return numberText(over(strict(pulsesPerMinute), 60.0)); });  // seconds per minute
    set(wholeFrequency, [&] { return std::to_string(whole(unroundedFrequency)); });
    set(frequency, [&] { return text(wholeFrequency); });
    set(frequencyRatio, [&] { return numberText(over(lenient(wholeFrequency), lenient(unroundedFrequency))); });
    set(rate, [&] { return fourDecimals(times(lenient(maximumFlow), lenient(frequencyRatio))); });
}
