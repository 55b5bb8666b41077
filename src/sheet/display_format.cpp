#include "sheet/display_format.h"

#include "sheet/number_text.h"

#include <charconv>
#include <cmath>
#include <optional>

namespace {

std::optional<double> numberIn(std::string_view value)
{
    try {
        return strictNumber(value);
    } catch (const StepFailed&) {
        return std::nullopt;
    }
}

// Fixed-point text of a finite value; a result that rounds to zero has no sign.
std::string fixed(double value, int decimals)
{
    char buf[400];
    auto result = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    std::string text(buf, result.ptr);
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1);
    return text;
}

}  // namespace

std::string percentDisplay(std::string_view value, int decimals)
{
    const auto number = numberIn(value);
    if (!number)
        return std::string(value);
    const double percent = *number * 100.0;
    if (!std::isfinite(percent))
        return std::string(value);
    return fixed(percent, decimals) + "%";
}

std::string psiDisplay(std::string_view value)
{
    const auto number = numberIn(value);
    if (!number)
        return std::string(value);
    std::string digits = fixed(std::round(*number), 0);
    const bool negative = digits.front() == '-';
    if (negative)
        digits.erase(0, 1);
    if (digits.size() < 4)
        digits.insert(0, 4 - digits.size(), '0');
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += ',';
        grouped += digits[i];
    }
    return (negative ? "-" : "") + grouped + "  PSI";
}
