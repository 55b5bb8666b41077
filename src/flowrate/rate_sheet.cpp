#include "flowrate/rate_sheet.h"

#include <string>

RateSheet::RateSheet()
    : texMrate(add("texMrate", "", "Maximum flow rate")),
      texPpg(add("texPpg", "", "Pulses per gallon")),
      texLbs(add("texLbs", "5.66", "Gas density")),
      texHz(add("texHz", "", "Whole pulse frequency")),
      texRate(add("texRate", "", "Rate for the whole frequency")),
      texPlb(add("texPlb", "", "Pulses per pound")),
      texPpm(add("texPpm", "", "Pulses per minute")),
      texH(add("texH", "", "Pulse frequency")),
      texDiv(add("texDiv", "", "Whole pulse frequency")),
      texRet(add("texRet", "", "Frequency ratio"))
{
    onEnter(texLbs, [this] { texLbs_KeyPress(); });
}

void RateSheet::texLbs_KeyPress()
{
    set(texPlb, [&] { return NumText(Div(val(texPpg), val(texLbs))); });
    set(texPpm, [&] { return NumText(Mul(val(texMrate), val(texPlb))); });
    set(texH, [&] { return NumText(Div(strict(texPpm), 60.0)); });  // seconds per minute
    set(texDiv, [&] { return std::to_string(whole(texH)); });
    set(texHz, [&] { return text(texDiv); });
    set(texRet, [&] { return NumText(Div(val(texDiv), val(texH))); });
    set(texRate, [&] { return CurText(CurRound(Mul(val(texMrate), val(texRet)))); });
}
