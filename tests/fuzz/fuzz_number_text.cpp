// Any text through the readings: nothing crashes, a reading is a finite number or a
// StepFailed, and what a number is written as reads back to the same text.

#include "fields/number_text.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

int count(const std::string& text, char c) { return static_cast<int>(std::count(text.begin(), text.end(), c)); }

void checkWritten(double value)
{
    require(std::isfinite(value));
    std::string text;
    try {
        text = NumText(value);
    } catch (const StepFailed&) {
        require(std::fabs(value) > 1.7e308);  // only the few whose text would not read back
        return;
    }
    require(NumText(NumStrict(text)) == text);
    require(NumVal(text) == NumStrict(text));
    require(text.find("inf") == std::string::npos && text.find("nan") == std::string::npos);
    // One sign and one point at most before the exponent, which has a sign of its own.
    const std::string printed = NumStr(value);
    const std::string mantissa = printed.substr(0, printed.find('E'));
    require(count(mantissa, '-') <= 1 && count(mantissa, '.') <= 1 && count(printed, 'E') <= 1);

    try {
        const std::string money = CurText(CurRound(value));
        require(count(money, '-') <= 1 && count(money, '.') <= 1 && money.find('E') == std::string::npos);
        require(std::fabs(NumStrict(money) - value) <= 0.00005 + std::fabs(value) * 1e-15);
    } catch (const StepFailed& failure) {
        require(failure.kind == StepFailed::Kind::OutOfRange);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    // Read first, check after, so that a failure of the check is never taken for a
    // failure of the reading.
    double lenient = 0;
    bool lenientRead = true;
    try {
        lenient = NumVal(text);
    } catch (const StepFailed& failure) {
        require(failure.kind == StepFailed::Kind::OutOfRange);
        lenientRead = false;
    }
    if (lenientRead)
        checkWritten(lenient);

    double strict = 0;
    bool strictRead = true;
    try {
        strict = NumStrict(text);
    } catch (const StepFailed& failure) {
        require(failure.kind == StepFailed::Kind::Empty || failure.kind == StepFailed::Kind::NotANumber
                || failure.kind == StepFailed::Kind::OutOfRange);
        strictRead = false;
    }
    if (strictRead) {
        checkWritten(strict);
        require(NumVal(text) == strict || text.find(',') != std::string_view::npos);
    }
    std::int32_t whole = 0;
    try {
        whole = NumWhole(text);
    } catch (const StepFailed&) {
        return 0;
    }
    require(NumWhole(std::to_string(whole)) == whole);
    return 0;
}
