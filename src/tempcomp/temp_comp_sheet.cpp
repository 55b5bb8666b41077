#include "tempcomp/temp_comp_sheet.h"

#include "sheet/display_format.h"

namespace {

// 1 bar in psi.
constexpr double kPsiPerBar = 14.50377;

// Only a temperature far beyond any real one makes these steps overflow; the
// status line says so in the technician's terms.
template <typename Compute>
std::string fromTemperature(Compute&& compute)
{
    try {
        return compute();
    } catch (const StepFailed& failure) {
        if (failure.kind != StepFailed::Kind::Overflow)
            throw;
        throw StepFailed(failure.kind, "the temperature is out of range");
    }
}

}  // namespace

TempCompSheet::TempCompSheet()
    : temperature(add("temperature", "70", "Temperature")),
      celsius(addWork("celsius", "Celsius temperature")),
      p30Pressure(addResult("p30Pressure", "P-30 pressure")),
      p36Pressure(addResult("p36Pressure", "P-36 pressure"))
{
    // The window selects the text; the pressures follow the temperature at every
    // visit, the first one when the window opens, and at every Enter. A temperature
    // being typed empties them until then, so that they never stand beside another.
    onFocus(temperature, [this] { convertToCelsius(); });
    onEnter(temperature, [this] { convertToCelsius(); });
    onChange(temperature, [this] { blankResults(); });
    onChange(celsius, [this] { celsiusWritten(); });
}

// Subtract 32, multiply by 5, divide by 9, in this order: the digits the Celsius
// field keeps, and so the pressures, depend on it.
void TempCompSheet::convertToCelsius()
{
    blankResults();
    set(celsius, [&] {
        return fromTemperature([&] { return numberText(over(times(minus(strict(temperature), 32.0), 5.0), 9.0)); });
    });
}

// Each class is a pressure in bar rising linearly with the Celsius temperature
// (P-30: 176 bar at 0 degrees plus 1.6 bar a degree; P-36: 216.8 bar plus 2.16),
// then converted to psi: multiply, add, multiply. Each step reads the Celsius text
// again.
void TempCompSheet::celsiusWritten()
{
    const auto pressure = [this](double barPerDegree, double barAtZero) {
        return fromTemperature(
            [&] { return numberText(times(plus(times(strict(celsius), barPerDegree), barAtZero), kPsiPerBar)); });
    };
    set(p30Pressure, [&] { return pressure(1.6, 176.0); });
    set(p36Pressure, [&] { return pressure(2.16, 216.8); });
    for (FieldId field : {p30Pressure, p36Pressure}) {
        if (const std::string crossed = limitCrossed(field); !crossed.empty())
            note(caption(field) + " " + psiDisplay(text(field)) + " is " + crossed + ".");
    }
}

std::string TempCompSheet::limitCrossed(FieldId pressure) const
{
    const bool p30 = pressure == p30Pressure;
    const double service = p30 ? 3000.0 : 3600.0;  // psi at 70 degrees Fahrenheit
    double value = 0.0;
    try {
        value = strictNumber(text(pressure));
    } catch (const StepFailed&) {
        return {};  // not computed
    }
    if (value <= service * 1.25)
        return {};
    return "above " + psiDisplay(numberText(service * 1.25)) + ", 125 % of the " + (p30 ? "P-30" : "P-36")
           + " service pressure of " + psiDisplay(numberText(service)) + "; containers are not filled beyond it";
}
