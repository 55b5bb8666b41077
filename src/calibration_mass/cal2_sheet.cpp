#include "calibration_mass/cal2_sheet.h"

#include <string>

Cal2Sheet::Cal2Sheet()
    : Text21(add("Text21", "49.023", "Existing flow calibration factor")),
      Text1(add("Text1", "", "Scale reading of Test 1")),
      Text2(add("Text2", "", "Display reading of Test 1")),
      Text4(add("Text4", "", "Difference of Test 1")),
      Text5(add("Text5", "", "Scale reading of Test 2")),
      Text6(add("Text6", "", "Display reading of Test 2")),
      Text8(add("Text8", "", "Difference of Test 2")),
      Text9(add("Text9", "", "Scale reading of Test 3")),
      Text10(add("Text10", "", "Display reading of Test 3")),
      Text12(add("Text12", "", "Difference of Test 3")),
      Text13(add("Text13", "", "Scale sum")),
      Text14(add("Text14", "", "Display sum")),
      Text16(add("Text16", "", "Sum difference")),
      Text17(add("Text17", "", "Average scale")),
      Text18(add("Text18", "", "Average display")),
      Text22(add("Text22", "", "New flow calibration factor")),
      MaskedEdit1(add("MaskedEdit1", "", "Percent of error of Test 1")),
      MaskedEdit2(add("MaskedEdit2", "", "Percent of error of Test 2")),
      MaskedEdit3(add("MaskedEdit3", "", "Percent of error of Test 3")),
      MaskedEdit4(add("MaskedEdit4", "", "Average error")),
      m_tests{{{Text1, Text2, Text4, MaskedEdit1},
               {Text5, Text6, Text8, MaskedEdit2},
               {Text9, Text10, Text12, MaskedEdit3}}}
{
    onChange(Text1, [this] { Text1_Change(); });
    onChange(Text5, [this] { Text5_Change(); });
    onChange(Text9, [this] { Text9_Change(); });
    onChange(Text2, [this] { Text2_Change(); });
    onChange(Text6, [this] { Text6_Change(); });
    onChange(Text10, [this] { Text10_Change(); });
    onEnter(Text1, [this] { Text1_KeyPress(); });
    onEnter(Text5, [this] { Text5_KeyPress(); });
    onEnter(Text9, [this] { Text9_KeyPress(); });
    onEnter(Text2, [this] { Text2_KeyPress(); });
    onEnter(Text6, [this] { Text6_KeyPress(); });
    onEnter(Text10, [this] { Text10_KeyPress(); });
    onChange(Text4, [this] { Text4_Change(); });
    onChange(Text8, [this] { Text8_Change(); });
    onChange(Text12, [this] { Text12_Change(); });
    onChange(Text14, [this] { Text14_Change(); });
    onChange(Text16, [this] { Text16_Change(); });
}

void Cal2Sheet::scaleChanged(std::size_t test)
{
    set(Text13, [&] {
        double sum = 0.0;
        for (std::size_t i = 0; i <= test; ++i)
            sum = Add(sum, val(m_tests[i].scale));
        return NumText(sum);
    });
    set(Text17, [&] { return CurText(CurRound(Div(strict(Text13), double(test + 1)))); });
}

void Cal2Sheet::displayChanged(std::size_t test)
{
    // Writing the display sum works out the average error and the new factor
    // before the average display below.
    set(Text14, [&] {
        double sum = 0.0;
        for (std::size_t i = 0; i <= test; ++i)
            sum = Add(sum, val(m_tests[i].display));
        return NumText(sum);
    });
    set(Text18, [&] { return CurText(CurRound(Div(strict(Text14), double(test + 1)))); });
}

// Enter rebuilds the column as a change does, as steps of the Enter itself: a sum
// that cannot be formed ends the Enter there.
void Cal2Sheet::scaleEntered(std::size_t test) { scaleChanged(test); }

// Only here is a test's difference written, so its percent of error follows Enter
// in its display field and nothing else.
void Cal2Sheet::displayEntered(std::size_t test)
{
    displayChanged(test);
    const Test& t = m_tests[test];
    set(t.difference, [&] { return NumText(Sub(val(t.scale), val(t.display))); });
}

void Cal2Sheet::differenceWritten(std::size_t test)
{
    const Test& t = m_tests[test];
    set(t.percent, [&] {
        const double difference = strict(t.difference);
        return CurText(CurRound(Div(difference, divisor(t.scale))));
    });
}

void Cal2Sheet::Text14_Change()
{
    set(Text16, [&] { return NumText(Sub(val(Text13), val(Text14))); });
    set(Text22, [&] {
        const double existing = strict(Text21);
        needScaleSum();
        const double scaleSum = strict(Text13);
        // The quotient of the sums first: the other order can round the last decimal
        // the other way.
        return CurText(CurRound(Mul(existing, Div(scaleSum, divisor(Text14)))));
    });
}

void Cal2Sheet::Text16_Change()
{
    set(MaskedEdit4, [&] {
        needScaleSum();
        const double sumDifference = strict(Text16);
        return CurText(CurRound(Div(sumDifference, divisor(Text13))));
    });
}

void Cal2Sheet::needScaleSum() const
{
    if (text(Text13).empty())
        throw StepFailed(StepFailed::Kind::Empty, "no scale reading has been typed yet");
}
