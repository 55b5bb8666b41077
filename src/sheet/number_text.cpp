#include "sheet/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <system_error>

namespace {

const char* defaultReason(StepFailed::Kind kind)
{
    switch (kind) {
    case StepFailed::Kind::Empty: return "the text is empty";
    case StepFailed::Kind::NotANumber: return "the text is not a number";
    case StepFailed::Kind::OutOfRange: return "the number is out of range";
    case StepFailed::Kind::DivideByZero: return "it would divide by zero";
    case StepFailed::Kind::ZeroByZero: return "it would divide zero by zero";
    case StepFailed::Kind::Overflow: return "the result would be out of range";
    case StepFailed::Kind::NotComputed: return "a result it needs was not computed";
    }
    return "the step failed";
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

// A number taken apart by the scanners below: only the pieces that matter for
// its value, in the plain form std::from_chars reads.
struct Parts {
    bool negative = false;
    std::string intDigits;
    std::string fracDigits;
    long long exponent = 0;  // saturated far beyond anything a digit string can offset
    bool hasDigit = false;
};

constexpr long long kExponentCap = 100'000'000;

// Reads "[sign]digits" of an exponent starting at text[i]; returns the index past it,
// or i itself when no digit follows (then the E is not part of the number).
std::size_t scanExponent(std::string_view text, std::size_t i, long long& exponent)
{
    std::size_t j = i;
    bool negative = false;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
        negative = text[j] == '-';
        ++j;
    }
    if (j >= text.size() || !isDigit(text[j]))
        return i;
    long long value = 0;
    for (; j < text.size() && isDigit(text[j]); ++j) {
        if (value < kExponentCap)
            value = value * 10 + (text[j] - '0');
    }
    exponent = negative ? -value : value;
    return j;
}

// Value of the parts, read with the standard library's correctly rounded
// conversion. A number too small for a double reads as zero; one too large fails.
double valueOf(const Parts& parts)
{
    if (!parts.hasDigit)
        return 0.0;
    std::string plain;
    plain.reserve(parts.intDigits.size() + parts.fracDigits.size() + 24);
    if (parts.negative)
        plain += '-';
    plain += parts.intDigits.empty() ? "0" : parts.intDigits;
    if (!parts.fracDigits.empty()) {
        plain += '.';
        plain += parts.fracDigits;
    }
    if (parts.exponent != 0) {
        plain += 'e';
        plain += std::to_string(parts.exponent);
    }

    double value = 0.0;
    const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), value, std::chars_format::general);
    if (result.ec == std::errc())
        return value;

    // Out of range: decide between overflow and underflow by the power of ten of
    // the first significant digit.
    const std::string digits = parts.intDigits + parts.fracDigits;
    const auto lead = digits.find_first_not_of('0');
    if (lead == std::string::npos)
        return parts.negative ? -0.0 : 0.0;
    const long long magnitude =
        static_cast<long long>(parts.intDigits.size()) - static_cast<long long>(lead) - 1 + parts.exponent;
    if (magnitude < 0)
        return parts.negative ? -0.0 : 0.0;
    throw StepFailed(StepFailed::Kind::OutOfRange);
}

}  // namespace

StepFailed::StepFailed(Kind k, const std::string& reason) : std::runtime_error(reason), kind(k) {}

StepFailed::StepFailed(Kind k) : StepFailed(k, defaultReason(k)) {}

namespace {

// Reads one number from text[i] on: an optional sign, digits, a decimal point and
// digits, an exponent. Between digit groups of three in the whole-number part a
// comma is a thousands separator ("1,000", "12,345.6"); any other comma ends the
// number. Blanks and tabs anywhere inside are passed over ("1 000", "1, 000").
// Returns the index past the number.
std::size_t scanNumber(std::string_view s, std::size_t i, Parts& parts)
{
    const auto skip = [&](std::size_t at) {
        while (at < s.size() && isBlank(s[at]))
            ++at;
        return at;
    };
    // The index past three digits and any blanks between them, or npos.
    const auto group = [&](std::size_t at) {
        for (int digit = 0; digit < 3; ++digit) {
            at = skip(at);
            if (at >= s.size() || !isDigit(s[at]))
                return std::string_view::npos;
            ++at;
        }
        return at;
    };
    i = skip(i);
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        parts.negative = s[i] == '-';
        i = skip(i + 1);
    }
    std::size_t inGroup = 0;
    bool grouped = false;
    while (i < s.size()) {
        if (isDigit(s[i])) {
            parts.intDigits += s[i];
            ++inGroup;
            i = skip(i + 1);
            continue;
        }
        if (s[i] != ',' || inGroup == 0 || inGroup > 3 || (grouped && inGroup != 3))
            break;
        const std::size_t past = group(i + 1);
        if (past == std::string_view::npos || (skip(past) < s.size() && isDigit(s[skip(past)])))
            break;
        grouped = true;
        inGroup = 0;
        i = skip(i + 1);
    }
    if (i < s.size() && s[i] == '.') {
        const std::size_t point = i;
        i = skip(i + 1);
        while (i < s.size() && isDigit(s[i])) {
            parts.fracDigits += s[i];
            i = skip(i + 1);
        }
        if (parts.intDigits.empty() && parts.fracDigits.empty())
            return point;
    }
    parts.hasDigit = !parts.intDigits.empty() || !parts.fracDigits.empty();
    if (parts.hasDigit && i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        // The exponent's digits stand together.
        const std::size_t after = scanExponent(s, i + 1, parts.exponent);
        if (after != i + 1)
            i = skip(after);
    }
    return i;
}

// A number in the plain form the program writes ("298.848", "-1.25E-05") and most
// readings are typed in: an optional minus, digits with at most one point, an
// exponent. std::from_chars reads it straight to the value the scanner's parts
// would give; anything else (blanks, commas, a plus, a number out of range, a text
// long enough for the exponent's cap to matter) is left to the scanner.
std::optional<double> plainNumber(std::string_view s)
{
    const std::size_t first = !s.empty() && s[0] == '-' ? 1 : 0;
    if (s.size() > 64 || first >= s.size() || !(isDigit(s[first]) || s[first] == '.'))
        return std::nullopt;
    double value = 0.0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value, std::chars_format::general);
    if (error != std::errc() || end != s.data() + s.size())
        return std::nullopt;
    return value;
}

}  // namespace

namespace {

std::string_view trimmed(std::string_view text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    const std::string_view s = text.substr(begin, end - begin);
    if (s.empty())
        throw StepFailed(StepFailed::Kind::Empty);
    return s;
}

// The whole text as one number, taken apart, or NotANumber.
Parts partsOf(std::string_view s)
{
    Parts parts;
    if (scanNumber(s, 0, parts) != s.size() || !parts.hasDigit)
        throw StepFailed(StepFailed::Kind::NotANumber);
    return parts;
}

}  // namespace

double strictNumber(std::string_view text)
{
    const std::string_view s = trimmed(text);
    if (const std::optional<double> plain = plainNumber(s))
        return *plain;
    return valueOf(partsOf(s));
}

DecimalDigits decimalDigits(std::string_view text)
{
    const Parts parts = partsOf(trimmed(text));
    DecimalDigits digits{parts.negative, parts.intDigits + parts.fracDigits, parts.exponent};
    digits.exponent -= static_cast<long long>(parts.fracDigits.size());
    return digits;
}

std::string numberText(double value)
{
    // Beyond 1.79769313486231E+308 the 15-digit text would round up past the
    // largest double and could never be read back.
    if (!std::isfinite(value) || std::fabs(value) >= 1.797693134862315e308)
        throw StepFailed(StepFailed::Kind::OutOfRange);
    if (value == 0.0)
        return "0";

    // 15 significant digits, correctly rounded: "-d.dddddddddddddde+XX".
    char sci[32];
    const char* const sciEnd = std::to_chars(sci, sci + sizeof sci, value, std::chars_format::scientific, 14).ptr;
    const bool negative = sci[0] == '-';
    const char* mantissa = sci + (negative ? 1 : 0);
    const char* const e = std::find(mantissa, sciEnd, 'e');
    int exponent = 0;
    std::from_chars(e + (e[1] == '+' ? 2 : 1), sciEnd, exponent);

    // The significant digits without the point and without trailing zeros.
    char digits[16];
    std::size_t count = 0;
    for (; mantissa != e; ++mantissa) {
        if (*mantissa != '.')
            digits[count++] = *mantissa;
    }
    while (count > 1 && digits[count - 1] == '0')
        --count;

    // Composed on the stack: the text is built once, in a single allocation at most.
    char out[32];
    char* o = out;
    if (negative)
        *o++ = '-';
    const auto put = [&o](const char* from, std::size_t n) { o = std::copy(from, from + n, o); };
    if (exponent >= -4 && exponent < 15) {
        if (exponent < 0) {
            put("0.0000", static_cast<std::size_t>(1 - exponent));
            put(digits, count);
        } else {
            const auto intCount = static_cast<std::size_t>(exponent) + 1;
            if (count <= intCount) {
                put(digits, count);
                o = std::fill_n(o, intCount - count, '0');
            } else {
                put(digits, intCount);
                *o++ = '.';
                put(digits + intCount, count - intCount);
            }
        }
    } else {
        *o++ = digits[0];
        if (count > 1) {
            *o++ = '.';
            put(digits + 1, count - 1);
        }
        *o++ = 'E';
        *o++ = exponent < 0 ? '-' : '+';
        const int power = exponent < 0 ? -exponent : exponent;
        if (power < 10)
            *o++ = '0';
        o = std::to_chars(o, out + sizeof out, power).ptr;
    }
    return std::string(out, o);
}

std::string printerNumberText(double value)
{
    std::string text = numberText(value);
    if (value < 0)
        return text;
    return " " + text;
}

std::int32_t wholeNumber(std::string_view text)
{
    // nearbyint rounds in the default mode, to nearest with ties to even.
    const double rounded = std::nearbyint(strictNumber(text));
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0))
        throw StepFailed(StepFailed::Kind::OutOfRange);
    return static_cast<std::int32_t>(rounded);
}

std::int64_t tenThousandths(double value)
{
    const double rounded = std::nearbyint(value * 10000.0);
    // 2^63 is exact in a double; the largest count is 2^63 - 1.
    if (!(rounded >= -9223372036854775808.0 && rounded < 9223372036854775808.0))
        throw StepFailed(StepFailed::Kind::OutOfRange, "the result is too large to keep to four decimals");
    return static_cast<std::int64_t>(rounded);
}

std::string tenThousandthsText(std::int64_t count)
{
    const bool negative = count < 0;
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(count)
                                             : static_cast<std::uint64_t>(count);
    std::string out = negative ? "-" : "";
    out += std::to_string(magnitude / 10000);
    std::uint64_t fraction = magnitude % 10000;
    if (fraction != 0) {
        std::string decimals = std::to_string(fraction);
        decimals.insert(0, 4 - decimals.size(), '0');
        while (decimals.back() == '0')
            decimals.pop_back();
        out += '.';
        out += decimals;
    }
    return out;
}

namespace {

double checked(double result)
{
    if (std::isinf(result))
        throw StepFailed(StepFailed::Kind::Overflow);
    return result;
}

}  // namespace

double plus(double a, double b) { return checked(a + b); }
double minus(double a, double b) { return checked(a - b); }
double times(double a, double b) { return checked(a * b); }

double over(double a, double b)
{
    if (b == 0.0)
        throw StepFailed(a == 0.0 ? StepFailed::Kind::ZeroByZero : StepFailed::Kind::DivideByZero);
    return checked(a / b);
}
