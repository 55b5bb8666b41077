#pragma once

#include "fields/sheet.h"

// The calibration worksheet for a dispenser whose display shows gallon equivalents.
// Each test's gallon reading becomes a mass (Lbs\GGE factor x gallons) on Enter in
// the gallon field; from the scale readings and these masses come each test's
// percent of error, the sums and averages, the average error and the new flow
// calibration factor. Masses in pounds; percent fields hold plain fractions.
//
// Sums and averages run over Tests 1 to k, k being the row of the field that
// started the computation, not the number of filled rows: the worksheet is meant to
// be filled row by row. The scale side and the display side each count from the row
// of their own last change.
class CalNoMasSheet : public Sheet {
public:
    CalNoMasSheet();

    // Factors.
    const FieldId Text3;   // Lbs\GGE, pounds per gasoline gallon equivalent
    const FieldId Text21;  // existing flow calibration factor
    const FieldId Text22;  // new flow calibration factor

    // Test rows: scale reading, gallon display reading, mass dispensed, difference
    // (hidden), percent of error.
    const FieldId Text1, Text24, Text2, Text4, MaskedEdit1;
    const FieldId Text5, Text25, Text6, Text8, MaskedEdit2;
    const FieldId Text9, Text26, Text10, Text12, MaskedEdit3;

    // Hidden row of sums: scale sum, display sum, their difference, and its percent
    // of the scale sum (never shown; the report prints it).
    const FieldId Text13, Text14, Text16, MaskedEdit4;

    // Averages: scale, display, their difference (hidden), average error.
    const FieldId Text17, Text18, Text20, MaskedEdit5;

    void Text1_Change();
    void Text5_Change();
    void Text9_Change();
    void Text2_Change();
    void Text6_Change();
    void Text10_Change();
    void Text4_Change();
    void Text8_Change();
    void Text12_Change();
    void Text14_Change();
    void Text16_Change();
    void Text18_Change();
    void Text20_Change();

    void Text24_KeyPress();
    void Text25_KeyPress();
    void Text26_KeyPress();
};
