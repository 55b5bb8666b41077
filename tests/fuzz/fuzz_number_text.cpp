// Any text through the readings: nothing crashes, a reading is a finite number or a
// StepFailed, and what a number is written as reads back to the same text.

#include "sheet/decimal.h"
#include "sheet/number_text.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

void checkWritten(double value)
{
    require(std::isfinite(value));
    std::string text;
    try {
        text = numberText(value);
    } catch (const StepFailed&) {
        require(std::fabs(value) > 1.7e308);  // only the few whose text would not read back
        return;
    }
    // A text that is no number fails strictNumber here, which ends the run as a crash.
    require(numberText(strictNumber(text)) == text);
    require(strictNumber(printerNumberText(value)) == strictNumber(text));

    try {
        const std::string money = fourDecimals(value);
        require(money.find('E') == std::string::npos);
        require(std::fabs(strictNumber(money) - value) <= 0.00005 + std::fabs(value) * 1e-15);
    } catch (const StepFailed& failure) {
        require(failure.kind == StepFailed::Kind::OutOfRange);
    }
}

// Reads first and checks after, so that a failure of a check is never taken for a
// failure of the reading; a reading may fail only in the ways given.
template <typename Read>
std::optional<double> reading(Read&& read, std::initializer_list<StepFailed::Kind> failures)
{
    try {
        return read();
    } catch (const StepFailed& failure) {
        require(std::find(failures.begin(), failures.end(), failure.kind) != failures.end());
        return std::nullopt;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using Kind = StepFailed::Kind;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto failures = {Kind::Empty, Kind::NotANumber, Kind::OutOfRange};
    const auto strict = reading([&] { return strictNumber(text); }, failures);
    if (strict) {
        checkWritten(*strict);
        // The exact digits read are the same number.
        const Decimal exact = Decimal::of(text);
        require(!exact.exact() || exact.value() == *strict);
    }
    const auto whole = reading([&] { return double(wholeNumber(text)); }, failures);
    if (whole)
        require(wholeNumber(std::to_string(std::int32_t(*whole))) == *whole);
    return 0;
}
