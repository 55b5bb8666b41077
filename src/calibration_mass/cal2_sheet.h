#pragma once

#include "fields/sheet.h"

#include <array>

// The calibration worksheet for a dispenser with a mass display. Up to three test
// fills, each weighed on the scale and read off the dispenser's display (pounds),
// give each test's percent of error, the average readings, the average error and
// a new flow calibration factor from the existing one. Errors are held as
// fractions to four decimals: 0.0123 is 1.23 %.
//
// The sums are rebuilt, never accumulated, over Tests 1 to k, k being the test
// whose reading changed last in that column; an empty reading counts as 0.
class Cal2Sheet : public Sheet {
public:
    Cal2Sheet();

    const FieldId Text21;  // existing flow calibration factor
    const FieldId Text1;   // Test 1 scale reading
    const FieldId Text2;   // Test 1 display reading
    const FieldId Text4;   // hidden: Test 1 scale - display
    const FieldId Text5;   // Test 2 scale reading
    const FieldId Text6;   // Test 2 display reading
    const FieldId Text8;   // hidden: Test 2 scale - display
    const FieldId Text9;   // Test 3 scale reading
    const FieldId Text10;  // Test 3 display reading
    const FieldId Text12;  // hidden: Test 3 scale - display
    const FieldId Text13;  // hidden: scale sum; empty until a scale reading is typed
    const FieldId Text14;  // hidden: display sum
    const FieldId Text16;  // hidden: scale sum - display sum
    const FieldId Text17;  // average scale
    const FieldId Text18;  // average display
    const FieldId Text22;  // new flow calibration factor
    const FieldId MaskedEdit1;  // percent of error of Test 1, as a fraction
    const FieldId MaskedEdit2;
    const FieldId MaskedEdit3;
    const FieldId MaskedEdit4;  // average error, as a fraction

    void Text1_Change() { scaleChanged(0); }
    void Text5_Change() { scaleChanged(1); }
    void Text9_Change() { scaleChanged(2); }
    void Text2_Change() { displayChanged(0); }
    void Text6_Change() { displayChanged(1); }
    void Text10_Change() { displayChanged(2); }
    void Text1_KeyPress() { scaleEntered(0); }
    void Text5_KeyPress() { scaleEntered(1); }
    void Text9_KeyPress() { scaleEntered(2); }
    void Text2_KeyPress() { displayEntered(0); }
    void Text6_KeyPress() { displayEntered(1); }
    void Text10_KeyPress() { displayEntered(2); }
    void Text4_Change() { differenceWritten(0); }
    void Text8_Change() { differenceWritten(1); }
    void Text12_Change() { differenceWritten(2); }
    void Text14_Change();
    void Text16_Change();

private:
    struct Test {
        FieldId scale;
        FieldId display;
        FieldId difference;
        FieldId percent;
    };

    void scaleChanged(std::size_t test);
    void displayChanged(std::size_t test);
    void scaleEntered(std::size_t test);
    void displayEntered(std::size_t test);
    void differenceWritten(std::size_t test);
    void needScaleSum() const;

    const std::array<Test, 3> m_tests;
};
