#pragma once

// Conversions between field texts and numbers, and the checked arithmetic every
// computation step uses. Standard C++ only, so that other tools can build these
// two files on their own.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

// Raised by every conversion or arithmetic step that cannot produce a value. The
// step that raises it writes nothing; whoever runs the step decides how far the
// failure reaches.
struct StepFailed : std::runtime_error {
    enum class Kind {
        Empty,         // a strict reading of the empty text
        NotANumber,    // a strict reading of text that is not one number
        OutOfRange,    // a number beyond the double range, or a rounding beyond its whole range
        DivideByZero,  // x / 0 with x not zero
        ZeroByZero,    // 0 / 0
        Overflow,      // an arithmetic result beyond the double range
        NotComputed,   // a reading of a result that could not be computed
    };

    StepFailed(Kind kind, const std::string& reason);
    explicit StepFailed(Kind kind);

    Kind kind;
};

// What counts as a number: an optional sign, digits, a decimal point and digits,
// an exponent (E, an optional sign, digits), the point always the decimal separator
// whatever the regional settings. A comma stands only between digit groups of three
// in the whole-number part ("1,000", "12,345.6"); any other comma ("12,5") makes the
// text no number. Blanks and tabs around the number and inside it are passed over
// ("1 000", "1, 000"); every other character makes it no number.

// The whole text as one number. Fails on the empty text (Empty), on anything that
// is not one number (NotANumber) and on a number beyond the double range
// (OutOfRange); a number too small for a double reads as zero.
double strictNumber(std::string_view text);

// The digits of a number strictNumber reads, exactly as written: its value is
// digits x 10^exponent (digits may be empty or all zeros for zero). Fails as
// strictNumber does, but never for the range.
struct DecimalDigits {
    bool negative = false;
    std::string digits;
    long long exponent = 0;
};
DecimalDigits decimalDigits(std::string_view text);

// At most 15 significant digits; plain decimal for exponents -4 to 14, otherwise
// d.dddE+XX. Fails only for an infinity or NaN, which never reaches a field, and
// for the few largest doubles, whose text would not read back.
std::string numberText(double value);

// numberText with one leading blank for a value that is not negative (printer form).
std::string printerNumberText(double value);

// strictNumber, rounded to the nearest whole number with ties to even; fails outside
// the signed 32-bit range.
std::int32_t wholeNumber(std::string_view text);

// Count of ten-thousandths, value * 10000 rounded with ties to even; fails outside
// the signed 64-bit range.
std::int64_t tenThousandths(double value);

// The count of ten-thousandths as decimal text, at most four decimals, trailing
// zeros dropped, never in exponent form.
std::string tenThousandthsText(std::int64_t count);

// A value rounded to four decimals, as the fields that show money-like results hold it.
inline std::string fourDecimals(double value) { return tenThousandthsText(tenThousandths(value)); }

// Checked arithmetic, a + b, a - b, a * b and a / b: a division by zero, 0/0 and a
// result beyond the double range raise StepFailed; a result that only loses
// precision or underflows does not.
double plus(double a, double b);
double minus(double a, double b);
double times(double a, double b);
double over(double a, double b);
