#pragma once

// A number held exactly in decimal, as it was typed: the readings of a test and the
// sums, differences and products a worksheet forms of them, so that an error is
// compared with its limit without binary rounding ("0.3" is three tenths, not the
// double nearest to it). Exact while its digits fit in 38; beyond that it holds the
// nearest double and says it is no longer exact.

#include <string_view>

class Decimal {
public:
    Decimal() = default;  // exactly 0
    explicit Decimal(long long whole);
    // The number a text reads as (strictNumber); fails as strictNumber does on a
    // text that is no number.
    static Decimal of(std::string_view text);

    bool exact() const { return m_exact; }
    // The nearest double.
    double value() const;
    bool isZero() const { return m_exact ? m_mantissa == 0 : m_approximation == 0.0; }

    Decimal operator+(const Decimal& other) const;
    Decimal operator-(const Decimal& other) const;
    Decimal operator*(const Decimal& other) const;
    Decimal magnitude() const;

    // Below (negative), equal to (0) or above (positive) the other; by the nearest
    // doubles when either is not exact.
    int compare(const Decimal& other) const;

private:
    __extension__ using Mantissa = __int128;

    static Decimal approximately(double value);
    void normalize();

    Mantissa m_mantissa = 0;  // the value is m_mantissa x 10^m_exponent
    int m_exponent = 0;
    bool m_exact = true;
    double m_approximation = 0.0;  // when not exact
};
