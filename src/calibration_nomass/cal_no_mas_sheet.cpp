#include "calibration_nomass/cal_no_mas_sheet.h"

CalNoMasSheet::CalNoMasSheet()
    : Text3(add("Text3", "5.66", "Factor Lbs\\GGE")),
      Text21(add("Text21", "43.023", "Existing flow calibration factor")),
      Text22(add("Text22", "", "New flow calibration factor")),
      Text1(add("Text1", "", "Scale reading of Test 1")),
      Text24(add("Text24", "", "Gallon display reading of Test 1")),
      Text2(add("Text2", "", "Mass dispensed of Test 1")),
      Text4(add("Text4", "", "Difference of Test 1")),
      MaskedEdit1(add("MaskedEdit1", "", "Percent of error of Test 1")),
      Text5(add("Text5", "", "Scale reading of Test 2")),
      Text25(add("Text25", "", "Gallon display reading of Test 2")),
      Text6(add("Text6", "", "Mass dispensed of Test 2")),
      Text8(add("Text8", "", "Difference of Test 2")),
      MaskedEdit2(add("MaskedEdit2", "", "Percent of error of Test 2")),
      Text9(add("Text9", "", "Scale reading of Test 3")),
      Text26(add("Text26", "", "Gallon display reading of Test 3")),
      Text10(add("Text10", "", "Mass dispensed of Test 3")),
      Text12(add("Text12", "", "Difference of Test 3")),
      MaskedEdit3(add("MaskedEdit3", "", "Percent of error of Test 3")),
      Text13(add("Text13", "", "Sum of the scale readings")),
      Text14(add("Text14", "", "Sum of the masses dispensed")),
      Text16(add("Text16", "", "Difference of the sums")),
      MaskedEdit4(add("MaskedEdit4", "", "Percent of error of the sums")),
      Text17(add("Text17", "", "Average scale")),
      Text18(add("Text18", "", "Average display")),
      Text20(add("Text20", "", "Difference of the averages")),
      MaskedEdit5(add("MaskedEdit5", "", "Average error"))
{
    onChange(Text1, [this] { Text1_Change(); });
    onChange(Text5, [this] { Text5_Change(); });
    onChange(Text9, [this] { Text9_Change(); });
    onChange(Text2, [this] { Text2_Change(); });
    onChange(Text6, [this] { Text6_Change(); });
    onChange(Text10, [this] { Text10_Change(); });
    onChange(Text4, [this] { Text4_Change(); });
    onChange(Text8, [this] { Text8_Change(); });
    onChange(Text12, [this] { Text12_Change(); });
    onChange(Text14, [this] { Text14_Change(); });
    onChange(Text16, [this] { Text16_Change(); });
    onChange(Text18, [this] { Text18_Change(); });
    onChange(Text20, [this] { Text20_Change(); });

    // Enter in Text3 or Text21 computes nothing: a new factor counts from the next
    // Enter in a gallon field (Text3) or change of the masses (Text21).
    onEnter(Text1, [this] { Text1_Change(); });
    onEnter(Text5, [this] { Text5_Change(); });
    onEnter(Text9, [this] { Text9_Change(); });
    onEnter(Text2, [this] { Text2_Change(); });
    onEnter(Text6, [this] { Text6_Change(); });
    onEnter(Text10, [this] { Text10_Change(); });
    onEnter(Text24, [this] { Text24_KeyPress(); });
    onEnter(Text25, [this] { Text25_KeyPress(); });
    onEnter(Text26, [this] { Text26_KeyPress(); });
}

// Each average reads back the sum text just written, so it divides the sum as
// rounded to 15 significant digits.
void CalNoMasSheet::Text1_Change()
{
    set(Text13, [&] { return NumText(val(Text1)); });
    set(Text17, [&] { return CurText(CurRound(Div(strict(Text13), 1.0))); });
}

void CalNoMasSheet::Text5_Change()
{
    set(Text13, [&] { return NumText(Add(val(Text1), val(Text5))); });
    set(Text17, [&] { return CurText(CurRound(Div(strict(Text13), 2.0))); });
}

void CalNoMasSheet::Text9_Change()
{
    set(Text13, [&] { return NumText(Add(Add(val(Text1), val(Text5)), val(Text9))); });
    set(Text17, [&] { return CurText(CurRound(Div(strict(Text13), 3.0))); });
}

void CalNoMasSheet::Text2_Change()
{
    set(Text14, [&] { return NumText(val(Text2)); });
    set(Text18, [&] { return CurText(CurRound(Div(strict(Text14), 1.0))); });
}

// Tests 2 and 3 also write their difference here; Test 1's is written only by
// Enter in its gallon field.
void CalNoMasSheet::Text6_Change()
{
    set(Text14, [&] { return NumText(Add(val(Text6), val(Text2))); });
    set(Text18, [&] { return CurText(CurRound(Div(strict(Text14), 2.0))); });
    set(Text8, [&] { return NumText(Sub(val(Text5), val(Text6))); });
}

void CalNoMasSheet::Text10_Change()
{
    set(Text14, [&] { return NumText(Add(Add(val(Text10), val(Text6)), val(Text2))); });
    set(Text18, [&] { return CurText(CurRound(Div(strict(Text14), 3.0))); });
    set(Text12, [&] { return NumText(Sub(val(Text9), val(Text10))); });
}

void CalNoMasSheet::Text4_Change()
{
    set(MaskedEdit1, [&] { return CurText(CurRound(Div(strict(Text4), strict(Text1)))); });
}

void CalNoMasSheet::Text8_Change()
{
    set(MaskedEdit2, [&] { return CurText(CurRound(Div(strict(Text8), strict(Text5)))); });
}

void CalNoMasSheet::Text12_Change()
{
    set(MaskedEdit3, [&] { return CurText(CurRound(Div(strict(Text12), strict(Text9)))); });
}

void CalNoMasSheet::Text14_Change()
{
    set(Text16, [&] { return NumText(Sub(val(Text13), val(Text14))); });
}

void CalNoMasSheet::Text16_Change()
{
    set(MaskedEdit4, [&] { return CurText(CurRound(Div(strict(Text16), strict(Text13)))); });
}

// The new factor follows the display side only: a later change of a scale reading
// or of Text21 leaves it as it is until the masses change again.
void CalNoMasSheet::Text18_Change()
{
    set(Text20, [&] { return NumText(Sub(val(Text17), val(Text18))); });
    set(Text22, [&] { return CurText(CurRound(Mul(Div(strict(Text13), strict(Text14)), strict(Text21)))); });
}

void CalNoMasSheet::Text20_Change()
{
    set(MaskedEdit5, [&] { return CurText(CurRound(Div(strict(Text20), strict(Text17)))); });
}

void CalNoMasSheet::Text24_KeyPress()
{
    set(Text2, [&] { return NumText(Mul(strict(Text3), strict(Text24))); });
    Text2_Change();
    set(Text4, [&] { return NumText(Sub(val(Text1), val(Text2))); });
}

void CalNoMasSheet::Text25_KeyPress()
{
    set(Text6, [&] { return NumText(Mul(strict(Text3), strict(Text25))); });
    Text6_Change();
}

void CalNoMasSheet::Text26_KeyPress()
{
    set(Text10, [&] { return NumText(Mul(strict(Text3), strict(Text26))); });
    set(Text12, [&] { return NumText(Sub(val(Text9), val(Text10))); });
}
