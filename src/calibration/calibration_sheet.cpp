#include "calibration/calibration_sheet.h"

#include <algorithm>

namespace {

std::string numbered(const char* name, std::size_t test) { return name + std::to_string(test + 1); }
std::string ofTest(const std::string& caption, std::size_t test)
{
    return caption + " of Test " + std::to_string(test + 1);
}

}  // namespace

CalibrationSheet::CalibrationSheet(std::string existing, const Captions& captions, SumOrder displaySumOrder)
    : existingFactor(add("existingFactor", std::move(existing), "Existing flow calibration factor")),
      tests{addTest(0, captions), addTest(1, captions), addTest(2, captions)},
      scaleSum(addWork("scaleSum", captions.scaleSum)),
      displaySum(addWork("displaySum", captions.displaySum)),
      sumDifference(addWork("sumDifference", captions.sumDifference)),
      averageScale(addResult("averageScale", "Average scale")),
      averageDisplay(addResult("averageDisplay", "Average display")),
      sumError(addResult("sumError", captions.sumError)),
      newFactor(addResult("newFactor", "New flow calibration factor")),
      m_displayReading(captions.displayReading),
      m_displaySumOrder(displaySumOrder)
{
}

CalibrationSheet::Test CalibrationSheet::addTest(std::size_t test, const Captions& captions)
{
    return {add(numbered("scale", test), "", ofTest("Scale reading", test)),
            captions.displayComputed ? addResult(numbered("display", test), ofTest(captions.display, test))
                                     : add(numbered("display", test), "", ofTest(captions.display, test)),
            addWork(numbered("difference", test), ofTest("Difference", test)),
            addResult(numbered("percentError", test), ofTest("Percent of error", test))};
}

bool CalibrationSheet::isNumber(FieldId reading) const
{
    try {
        strictNumber(text(reading));
        return true;
    } catch (const StepFailed&) {
        return false;
    }
}

bool CalibrationSheet::notCounted(std::size_t test) const
{
    return !m_counted.at(test) && !(text(tests[test].scale).empty() && text(displayReading(test)).empty());
}

Decimal CalibrationSheet::exactMass(std::size_t test) const { return Decimal::of(text(tests[test].display)); }

// The results a new worksheet gives with the readings now on screen.
bool CalibrationSheet::settle()
{
    blankResults();
    m_exactTests = {};
    m_exactSums.reset();
    m_mistaken = false;
    for (std::size_t test = 0; test < tests.size(); ++test)
        writeTest(test);
    writeSums();
    return true;
}

void CalibrationSheet::writeTest(std::size_t test)
{
    const Test& t = tests[test];
    const FieldId reading = displayReading(test);
    const bool hasScale = !text(t.scale).empty(), hasDisplay = !text(reading).empty();
    const bool scaleRead = hasScale && isNumber(t.scale), displayRead = hasDisplay && isNumber(reading);
    m_counted[test] = scaleRead && displayRead;
    m_mistaken = m_mistaken || (hasScale && !scaleRead) || (hasDisplay && !displayRead);
    if (hasDisplay)
        writeMass(test);
    if (!hasScale || !hasDisplay) {
        if (scaleRead || displayRead) {
            note("Test " + std::to_string(test + 1) + " is not counted until it has a "
                 + (hasScale ? m_displayReading : std::string("scale reading")) + ".");
        }
        return;
    }
    set(t.difference, [&] { return numberText(minus(strict(t.scale), strict(t.display))); });
    set(t.percentError, [&] {
        const double difference = strict(t.difference);
        return fourDecimals(over(difference, divisor(t.scale)));
    });
    if (!text(t.percentError).empty())
        m_exactTests[test] = ExactError{Decimal::of(text(t.scale)), exactMass(test)};
}

void CalibrationSheet::readEveryReading() const
{
    for (std::size_t test = 0; test < tests.size(); ++test) {
        for (FieldId reading : {tests[test].scale, displayReading(test)}) {
            if (!text(reading).empty())
                strict(reading);
        }
    }
}

// Each average reads back the sum text just written, so it divides the sum as
// rounded to 15 significant digits.
void CalibrationSheet::writeSums()
{
    const auto count = static_cast<double>(std::count(m_counted.begin(), m_counted.end(), true));
    if (count == 0 && !m_mistaken)
        return;  // nothing to sum yet
    set(scaleSum, [&] {
        readEveryReading();
        double sum = 0.0;
        for (std::size_t test = 0; test < tests.size(); ++test) {
            if (m_counted[test])
                sum = plus(sum, strict(tests[test].scale));
        }
        return numberText(sum);
    });
    set(displaySum, [&] {
        readEveryReading();
        double sum = 0.0;
        for (std::size_t i = 0; i < tests.size(); ++i) {
            const std::size_t test = m_displaySumOrder == SumOrder::FirstTestFirst ? i : tests.size() - 1 - i;
            if (m_counted[test])
                sum = plus(sum, strict(tests[test].display));
        }
        return numberText(sum);
    });
    set(sumDifference, [&] { return numberText(minus(strict(scaleSum), strict(displaySum))); });
    set(sumError, [&] {
        const double difference = strict(sumDifference);
        return fourDecimals(over(difference, divisor(scaleSum)));
    });
    set(newFactor, [&] {
        const double existing = strict(existingFactor);
        const double scale = strict(scaleSum);
        // The quotient of the sums first: the other order can round the last decimal
        // the other way.
        return fourDecimals(times(existing, over(scale, divisor(displaySum))));
    });
    set(averageScale, [&] { return fourDecimals(over(strict(scaleSum), count)); });
    set(averageDisplay, [&] { return fourDecimals(over(strict(displaySum), count)); });
    writeFromAverages();
    if (!text(sumError).empty()) {
        ExactError sums;
        for (std::size_t test = 0; test < tests.size(); ++test) {
            if (m_counted[test])
                sums = {sums.scale + Decimal::of(text(tests[test].scale)), sums.display + exactMass(test)};
        }
        m_exactSums = sums;
    }
}

std::optional<ExactError> CalibrationSheet::exactError(FieldId error) const
{
    if (text(error).empty())
        return std::nullopt;
    for (std::size_t test = 0; test < tests.size(); ++test) {
        if (error == tests[test].percentError)
            return m_exactTests[test];
    }
    return m_exactSums;
}

CalibrationSheet::Judgement CalibrationSheet::judgement(FieldId error, const Tolerance& tolerance) const
{
    const std::optional<ExactError> exact = exactError(error);
    if (!exact)
        return {};
    Judgement judged{judge(*exact, tolerance), {}};
    if (judged.verdict != judge(text(error), tolerance))
        judged.exactShown = percentText(*exact, tolerance);
    return judged;
}

std::vector<ExactError> CalibrationSheet::countedErrors() const
{
    std::vector<ExactError> errors;
    for (std::size_t test = 0; test < tests.size() && !m_mistaken; ++test) {
        if (m_counted[test] && m_exactTests[test])
            errors.push_back(*m_exactTests[test]);
    }
    return errors;
}

bool CalibrationSheet::testTyped(std::size_t test) const
{
    return !text(tests[test].scale).empty() || !text(displayReading(test)).empty();
}

bool CalibrationSheet::hasTestReading() const
{
    for (std::size_t test = 0; test < tests.size(); ++test) {
        if (testTyped(test))
            return true;
    }
    return false;
}
