#include "sheet/decimal.h"

#include "sheet/number_text.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {

// Far beyond any reading, yet small enough that exponents never overflow an int.
constexpr long long kExponentLimit = 100'000;

__extension__ using Unsigned = unsigned __int128;
// The one mantissa whose negation does not fit.
__extension__ constexpr __int128 kLowest = -static_cast<__int128>(~Unsigned(0) >> 1) - 1;

}  // namespace

Decimal::Decimal(long long whole) : m_mantissa(whole) { normalize(); }

Decimal Decimal::approximately(double value)
{
    Decimal d;
    d.m_exact = false;
    d.m_approximation = value;
    return d;
}

Decimal Decimal::of(std::string_view text)
{
    const DecimalDigits read = decimalDigits(text);
    std::string digits = read.digits;
    long long exponent = read.exponent;
    digits.erase(0, digits.find_first_not_of('0'));
    while (!digits.empty() && digits.back() == '0') {
        digits.pop_back();
        ++exponent;
    }
    if (digits.empty())
        return Decimal();
    if (digits.size() > 38 || exponent > kExponentLimit || exponent < -kExponentLimit) {
        try {
            return approximately(strictNumber(text));
        } catch (const StepFailed&) {  // beyond the double range
            return approximately(read.negative ? -HUGE_VAL : HUGE_VAL);
        }
    }
    Decimal d;
    for (char digit : digits)
        d.m_mantissa = d.m_mantissa * 10 + (digit - '0');
    if (read.negative)
        d.m_mantissa = -d.m_mantissa;
    d.m_exponent = static_cast<int>(exponent);
    return d;
}

void Decimal::normalize()
{
    if (m_mantissa == 0) {
        m_exponent = 0;
        return;
    }
    while (m_mantissa % 10 == 0) {
        m_mantissa /= 10;
        ++m_exponent;
    }
    if (m_exponent > kExponentLimit || m_exponent < -kExponentLimit)
        *this = approximately(value());
}

double Decimal::value() const
{
    if (!m_exact)
        return m_approximation;
    const bool negative = m_mantissa < 0;
    Mantissa rest = negative ? -m_mantissa : m_mantissa;
    std::string text;
    do {
        text.insert(text.begin(), static_cast<char>('0' + static_cast<int>(rest % 10)));
        rest /= 10;
    } while (rest != 0);
    text = (negative ? "-" : "") + text + "e" + std::to_string(m_exponent);
    double result = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), result);
    if (error == std::errc::result_out_of_range)  // beyond the doubles either way
        return m_exponent < 0 ? (negative ? -0.0 : 0.0) : (negative ? -HUGE_VAL : HUGE_VAL);
    return result;
}

Decimal Decimal::operator+(const Decimal& other) const
{
    if (!m_exact || !other.m_exact)
        return approximately(value() + other.value());
    // Both brought to the smaller exponent; a mantissa that would not fit ends exactness.
    const Decimal& high = m_exponent >= other.m_exponent ? *this : other;
    const Decimal& low = m_exponent >= other.m_exponent ? other : *this;
    Mantissa scaled = high.m_mantissa;
    for (int step = low.m_exponent; step < high.m_exponent; ++step) {
        if (__builtin_mul_overflow(scaled, Mantissa(10), &scaled))
            return approximately(value() + other.value());
    }
    Decimal sum;
    if (__builtin_add_overflow(scaled, low.m_mantissa, &sum.m_mantissa))
        return approximately(value() + other.value());
    sum.m_exponent = low.m_exponent;
    sum.normalize();
    return sum;
}

Decimal Decimal::operator-(const Decimal& other) const
{
    Decimal negated = other;
    if (negated.m_exact && negated.m_mantissa != kLowest)
        negated.m_mantissa = -negated.m_mantissa;
    else
        negated = approximately(-other.value());
    return *this + negated;
}

Decimal Decimal::operator*(const Decimal& other) const
{
    Decimal product;
    if (!m_exact || !other.m_exact || __builtin_mul_overflow(m_mantissa, other.m_mantissa, &product.m_mantissa))
        return approximately(value() * other.value());
    product.m_exponent = m_exponent + other.m_exponent;
    product.normalize();
    return product;
}

Decimal Decimal::magnitude() const
{
    return m_exact && m_mantissa < 0 ? Decimal() - *this : m_exact ? *this : approximately(std::fabs(value()));
}

int Decimal::compare(const Decimal& other) const
{
    const Decimal difference = *this - other;
    if (difference.m_exact)
        return difference.m_mantissa < 0 ? -1 : difference.m_mantissa > 0 ? 1 : 0;
    const double a = value(), b = other.value();
    return a < b ? -1 : a > b ? 1 : 0;
}
