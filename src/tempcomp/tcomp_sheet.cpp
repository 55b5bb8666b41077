#include "tempcomp/tcomp_sheet.h"

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

} // namespace

TcompSheet::TcompSheet()
    : Text1(add("Text1", "70", "Temperature")),
      Text2(add("Text2", "", "Celsius temperature")),
      MaskedEdit3(add("MaskedEdit3", "", "P-30 pressure")),
      MaskedEdit4(add("MaskedEdit4", "", "P-36 pressure"))
{
    onFocus(Text1, [this] { Text1_GotFocus(); });
    onEnter(Text1, [this] { Text1_KeyPress(); });
    onChange(Text2, [this] { Text2_Change(); });
}

// The window selects the text; the pressures follow the temperature at every visit,
// the first one when the window opens.
void TcompSheet::Text1_GotFocus() { celsiusStep(); }

void TcompSheet::Text1_KeyPress() { celsiusStep(); }

// Subtract 32, multiply by 5, divide by 9, in this order: the digits the Celsius
// field keeps, and so the pressures, depend on it.
void TcompSheet::celsiusStep()
{
    set(Text2, [&] {
        return fromTemperature([&] { return NumText(Div(Mul(Sub(strict(Text1), 32.0), 5.0), 9.0)); });
    });
}

// Each class is a pressure in bar rising linearly with the Celsius temperature
// (P-30: 176 bar at 0 degrees plus 1.6 bar a degree; P-36: 216.8 bar plus 2.16),
// then converted to psi: multiply, add, multiply. Each step reads the Celsius text
// again.
void TcompSheet::Text2_Change()
{
    set(MaskedEdit3, [&] {
        return fromTemperature([&] { return NumText(Mul(Add(Mul(strict(Text2), 1.6), 176.0), kPsiPerBar)); });
    });
    set(MaskedEdit4, [&] {
        return fromTemperature([&] { return NumText(Mul(Add(Mul(strict(Text2), 2.16), 216.8), kPsiPerBar)); });
    });
}
