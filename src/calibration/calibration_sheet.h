#pragma once

#include "sheet/sheet.h"
#include "sheet/tolerance.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// What the two calibration worksheets share: up to three test fills, each weighed
// on the scale and read as a mass off the dispenser (its display, or its gallon
// reading turned into a mass), give each test's difference and percent of error,
// the sums and averages of the tests that count, the error of the sums and a new
// flow calibration factor from the existing one. Masses are in pounds; errors are
// held as fractions to four decimals, 0.0123 being 1.23 %.
//
// Every result is worked out afresh from the readings on screen after each user
// event, whatever order they were typed or corrected in. Each reading is read
// whole: an empty reading is no reading, any other text is one number or a
// mistake. A test counts when both its readings are numbers; a test with one
// reading still empty shows what it can, is not counted, and the status line says
// so. A reading that is a mistake leaves every result of the sums empty (which tests
// count is not known until it is corrected), and the status line names it.
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
    const FieldId scaleSum;       // hidden: of the tests that count
    const FieldId displaySum;     // hidden
    const FieldId sumDifference;  // hidden: scale sum - display sum
    const FieldId averageScale;
    const FieldId averageDisplay;
    const FieldId sumError;   // sum difference / scale sum
    const FieldId newFactor;  // existing factor x scale sum / display sum

    // A test that has a reading but does not count: one reading still empty, or one
    // that is not a number.
    bool notCounted(std::size_t test) const;
    // The error a shown error field stands for, as the readings give it before any
    // rounding: a test's own, or that of the sums for the average error. None while
    // the field is empty.
    std::optional<ExactError> exactError(FieldId error) const;

    // The verdict on a shown error, judged on the exact error; beside it, the exact
    // error in percent wherever the value shown, rounded, would be judged otherwise
    // (-1.5038 % shows as -1.500 %, which is within 1.5 %), so that the verdict never
    // contradicts the number it stands beside.
    struct Judgement {
        Verdict verdict = Verdict::None;
        std::string exactShown;  // "-1.504 %", or empty
    };
    Judgement judgement(FieldId error, const Tolerance& tolerance) const;
    // The two readings a test is typed as: its scale reading and the display's.
    std::array<FieldId, 2> testReadings(std::size_t test) const { return {tests[test].scale, displayReading(test)}; }
    // Whether either reading of the test, or of any test, is typed.
    bool testTyped(std::size_t test) const;
    bool hasTestReading() const;
    // The errors of the tests that count, as the readings give them; none while a
    // reading is a mistake.
    std::vector<ExactError> countedErrors() const;

protected:
    // What each worksheet calls the fields that differ between the two, in status messages.
    struct Captions {
        std::string display;         // of a test, "... of Test 1"
        bool displayComputed;        // the display's mass is worked out, not typed
        std::string displayReading;  // the reading it comes from, "... reading"
        std::string scaleSum;
        std::string displaySum;
        std::string sumDifference;
        std::string sumError;
    };
    // The order in which a display sum adds its tests; the last decimal of a sum of
    // three may differ between the two.
    enum class SumOrder { FirstTestFirst, LastTestFirst };

    CalibrationSheet(std::string existingFactor, const Captions& captions, SumOrder displaySumOrder);

    bool settle() override;

    // The reading a test's display mass comes from: the display itself, or its gallons.
    virtual FieldId displayReading(std::size_t test) const { return tests[test].display; }
    // Where the mass is worked out from the display reading, writes it.
    virtual void writeMass(std::size_t) {}
    // The mass a test's display reading gives, exactly.
    virtual Decimal exactMass(std::size_t test) const;
    // The results a worksheet works out from the averages, after them.
    virtual void writeFromAverages() {}

private:
    Test addTest(std::size_t test, const Captions& captions);
    void writeTest(std::size_t test);
    void writeSums();
    bool isNumber(FieldId reading) const;
    // Reads every reading that has a text, so that one that is not a number fails the
    // step that calls this.
    void readEveryReading() const;

    const std::string m_displayReading;
    const SumOrder m_displaySumOrder;
    std::array<bool, 3> m_counted = {};
    bool m_mistaken = false;  // some test's reading is neither empty nor a number
    std::array<std::optional<ExactError>, 3> m_exactTests;
    std::optional<ExactError> m_exactSums;
};
