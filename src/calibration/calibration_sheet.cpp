#include "calibration/calibration_sheet.h"

namespace {

std::string numbered(const char* name, std::size_t test) { return name + std::to_string(test + 1); }
std::string ofTest(const std::string& caption, std::size_t test)
{
    return caption + " of Test " + std::to_string(test + 1);
}

} // namespace

CalibrationSheet::CalibrationSheet(std::string existing, const Captions& captions)
    : existingFactor(add("existingFactor", std::move(existing), "Existing flow calibration factor")),
      tests{addTest(0, captions), addTest(1, captions), addTest(2, captions)},
      scaleSum(addWork("scaleSum", captions.scaleSum)),
      displaySum(addWork("displaySum", captions.displaySum)),
      sumDifference(addWork("sumDifference", captions.sumDifference)),
      averageScale(addResult("averageScale", "Average scale")),
      averageDisplay(addResult("averageDisplay", "Average display")),
      sumError(addResult("sumError", captions.sumError)),
      newFactor(addResult("newFactor", "New flow calibration factor"))
{
    for (std::size_t test = 0; test < tests.size(); ++test) {
        onEnter(tests[test].scale, [this, test] { rebuildScaleSum(test); });
        onChange(tests[test].difference, [this, test] { writePercentError(test); });
    }
    onChange(sumDifference, [this] { writeSumError(); });
}

CalibrationSheet::Test CalibrationSheet::addTest(std::size_t test, const Captions& captions)
{
    return {add(numbered("scale", test), "", ofTest("Scale reading", test)),
            captions.displayComputed ? addResult(numbered("display", test), ofTest(captions.display, test))
                                     : add(numbered("display", test), "", ofTest(captions.display, test)),
            addWork(numbered("difference", test), ofTest("Difference", test)),
            addResult(numbered("percentError", test), ofTest("Percent of error", test))};
}

// What a new worksheet shows with these readings typed into it in the tab order,
// each with Enter, whatever the order they were typed or corrected in.
bool CalibrationSheet::settle()
{
    blankResults();
    for (FieldId reading : readingsInOrder()) {
        if (!text(reading).empty())
            runEnter(reading);
    }
    return true;
}

// Each average reads back the sum text just written, so it divides the sum as
// rounded to 15 significant digits.
void CalibrationSheet::rebuildScaleSum(std::size_t test)
{
    set(scaleSum, [&] {
        double sum = 0.0;
        for (std::size_t i = 0; i <= test; ++i)
            sum = plus(sum, lenient(tests[i].scale));
        return numberText(sum);
    });
    set(averageScale, [&] { return fourDecimals(over(strict(scaleSum), double(test + 1))); });
}

void CalibrationSheet::rebuildDisplaySum(std::size_t test, SumOrder order)
{
    set(displaySum, [&] {
        double sum = 0.0;
        for (std::size_t i = 0; i <= test; ++i)
            sum = plus(sum, lenient(tests[order == SumOrder::FirstTestFirst ? i : test - i].display));
        return numberText(sum);
    });
    set(averageDisplay, [&] { return fourDecimals(over(strict(displaySum), double(test + 1))); });
}

void CalibrationSheet::writeDifference(std::size_t test)
{
    const Test& t = tests[test];
    set(t.difference, [&] { return numberText(minus(lenient(t.scale), lenient(t.display))); });
}

// Runs whenever the difference is written, even unchanged, so that the percent
// follows a new scale reading that moved with its display.
void CalibrationSheet::writePercentError(std::size_t test)
{
    const Test& t = tests[test];
    set(t.percentError, [&] {
        const double difference = strict(t.difference);
        return fourDecimals(over(difference, divisor(t.scale)));
    });
}

void CalibrationSheet::writeSumDifference()
{
    set(sumDifference, [&] { return numberText(minus(lenient(scaleSum), lenient(displaySum))); });
}

void CalibrationSheet::writeSumError()
{
    set(sumError, [&] {
        needScaleSum();
        const double difference = strict(sumDifference);
        return fourDecimals(over(difference, divisor(scaleSum)));
    });
}

void CalibrationSheet::writeNewFactor()
{
    set(newFactor, [&] {
        const double existing = strict(existingFactor);
        needScaleSum();
        const double scale = strict(scaleSum);
        // The quotient of the sums first: the other order can round the last decimal
        // the other way.
        return fourDecimals(times(existing, over(scale, divisor(displaySum))));
    });
}

void CalibrationSheet::needScaleSum() const
{
    if (text(scaleSum).empty())
        throw StepFailed(StepFailed::Kind::Empty, "no scale reading has been typed yet");
}
