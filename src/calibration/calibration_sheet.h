#pragma once

#include "sheet/sheet.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

// What the two calibration worksheets share: up to three test fills, each weighed
// on the scale and read as a mass off the dispenser (its display, or its gallon
// reading turned into a mass), give each test's difference and percent of error,
// the sums and averages of both columns, the error of the sums and a new flow
// calibration factor from the existing one. Masses are in pounds; errors are held
// as fractions to four decimals, 0.0123 being 1.23 %.
//
// Every result follows the readings on screen: after each user event the results
// are worked out afresh, as a new worksheet gives them when the readings are typed
// into it in the tab order, each with Enter (an empty reading is passed over). So a
// column sums Tests 1 to K, K the highest test with a reading in it, an empty reading
// below K counting as 0, and a corrected reading, an existing factor typed last or a
// new Lbs\GGE count at once.
class CalibrationSheet : public Sheet {
public:
    struct Test {
        FieldId scale;         // scale reading
        FieldId display;       // mass the dispenser gave
        FieldId difference;    // hidden: scale - display
        FieldId percentError;  // difference / scale
    };

    const FieldId existingFactor;
    const std::array<Test, 3> tests;
    const FieldId scaleSum;       // hidden; empty until a scale reading is typed
    const FieldId displaySum;     // hidden
    const FieldId sumDifference;  // hidden: scale sum - display sum
    const FieldId averageScale;
    const FieldId averageDisplay;
    const FieldId sumError;       // sum difference / scale sum
    const FieldId newFactor;      // existing factor x scale sum / display sum

protected:
    // What each worksheet calls the fields that differ between the two, in status messages.
    struct Captions {
        std::string display;  // of a test, "... of Test 1"
        bool displayComputed;  // the display's mass is worked out, not typed
        std::string scaleSum;
        std::string displaySum;
        std::string sumDifference;
        std::string sumError;
    };
    // The order in which a display sum adds its readings; the last decimal of a
    // sum of three may differ between the two.
    enum class SumOrder { FirstTestFirst, LastTestFirst };

    CalibrationSheet(std::string existingFactor, const Captions& captions);

    bool settle() override;

    void rebuildDisplaySum(std::size_t test, SumOrder order);
    void writeDifference(std::size_t test);
    void writeSumDifference();
    void writeNewFactor();

private:
    // Enter in a scale reading rebuilds its column, as steps of the Enter itself: a
    // sum that cannot be formed ends the Enter there.
    void rebuildScaleSum(std::size_t test);
    Test addTest(std::size_t test, const Captions& captions);
    void writePercentError(std::size_t test);
    void writeSumError();
    void needScaleSum() const;
};
