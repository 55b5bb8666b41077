#include "fields/number_text.h"
#include "qt_std.h"

#include <cfloat>
#include <cmath>
#include <limits>
#include <optional>

Q_DECLARE_METATYPE(std::optional<StepFailed::Kind>)

namespace {

using Kind = StepFailed::Kind;

std::optional<Kind> failureOf(auto&& step)
{
    try {
        step();
    } catch (const StepFailed& failure) {
        return failure.kind;
    }
    return std::nullopt;
}

} // namespace

class TestNumberText : public QObject {
    Q_OBJECT

private slots:
    void numVal_data();
    void numVal();
    void numStrict_data();
    void numStrict();
    void numText_data();
    void numText();
    void numTextReadsBack_data();
    void numTextReadsBack();
    void numStr_data();
    void numStr();
    void numWhole_data();
    void numWhole();
    void curRound_data();
    void curRound();
    void curTextAtTheEnds();
    void arithmetic();
};

// A value of nullopt means the reading fails.
void TestNumberText::numVal_data()
{
    QTest::addColumn<std::string>("text");
    QTest::addColumn<std::optional<double>>("value");

    QTest::newRow("empty") << std::string() << std::optional(0.0);
    QTest::newRow("blanks around") << std::string("  12  ") << std::optional(12.0);
    QTest::newRow("blank inside") << std::string("1 000") << std::optional(1000.0);
    QTest::newRow("blanks, tabs, line feeds anywhere") << std::string("\t1 2\n.5") << std::optional(12.5);
    QTest::newRow("comma ends the number") << std::string("1,000") << std::optional(1.0);
    QTest::newRow("no digit before the point") << std::string("-.5") << std::optional(-0.5);
    QTest::newRow("exponent") << std::string("2.5E3") << std::optional(2500.0);
    QTest::newRow("letters") << std::string("abc") << std::optional(0.0);
    QTest::newRow("second point") << std::string("3.5.7") << std::optional(3.5);
    QTest::newRow("lone sign") << std::string("-") << std::optional(0.0);
    QTest::newRow("lone point") << std::string(".") << std::optional(0.0);
    QTest::newRow("E without digits is not an exponent") << std::string("12e+") << std::optional(12.0);
    QTest::newRow("non-ASCII digit") << std::string("\xd9\xa3") << std::optional(0.0);
    QTest::newRow("non-ASCII after digits") << std::string("5\xc3\xa9") << std::optional(5.0);
    QTest::newRow("underflow reads as zero") << std::string("1e-400") << std::optional(0.0);
    QTest::newRow("beyond the double range") << std::string("1e400") << std::optional<double>();
    QTest::newRow("huge exponent digits") << std::string("1e99999999999999999999") << std::optional<double>();
    QTest::newRow("zero with huge exponent") << std::string("0e99999999999999999999") << std::optional(0.0);
    QTest::newRow("10,000 nines") << std::string(10000, '9') << std::optional<double>();
    QTest::newRow("long fraction rounds correctly")
        << "0." + std::string(5000, '3') << std::optional(1.0 / 3.0);
    QTest::newRow("long digits then a small exponent")
        << "1" + std::string(300, '0') + "e-300" << std::optional(1.0);
}

void TestNumberText::numVal()
{
    QFETCH(std::string, text);
    QFETCH(std::optional<double>, value);
    if (!value) {
        QCOMPARE(failureOf([&] { NumVal(text); }), std::optional(Kind::OutOfRange));
        return;
    }
    QCOMPARE(NumVal(text), *value);
}

void TestNumberText::numStrict_data()
{
    QTest::addColumn<std::string>("text");
    QTest::addColumn<std::optional<double>>("value");
    QTest::addColumn<std::optional<Kind>>("failure");

    const std::optional<double> fails;
    const std::optional<Kind> none;
    QTest::newRow("blanks around") << std::string(" 12 ") << std::optional(12.0) << none;
    QTest::newRow("thousands comma") << std::string("1,000") << std::optional(1000.0) << none;
    QTest::newRow("grouped with a fraction") << std::string("-1,234,567.5") << std::optional(-1234567.5) << none;
    QTest::newRow("exponent") << std::string("1E-3") << std::optional(0.001) << none;
    QTest::newRow("plus and no integer digits") << std::string("+.5") << std::optional(0.5) << none;
    QTest::newRow("trailing point") << std::string("5.") << std::optional(5.0) << none;
    QTest::newRow("underflow reads as zero") << std::string("1e-400") << std::optional(0.0) << none;
    QTest::newRow("empty") << std::string() << fails << std::optional(Kind::Empty);
    QTest::newRow("trailing letters") << std::string("12abc") << fails << std::optional(Kind::NotANumber);
    QTest::newRow("blank inside") << std::string("1 2") << fails << std::optional(Kind::NotANumber);
    QTest::newRow("double comma") << std::string("1,,2") << fails << std::optional(Kind::NotANumber);
    QTest::newRow("comma in the fraction") << std::string("1.2,5") << fails << std::optional(Kind::NotANumber);
    QTest::newRow("lone sign") << std::string("-") << fails << std::optional(Kind::NotANumber);
    QTest::newRow("lone point") << std::string(".") << fails << std::optional(Kind::NotANumber);
    QTest::newRow("second point") << std::string("1.2.3") << fails << std::optional(Kind::NotANumber);
    QTest::newRow("E without digits") << std::string("1e") << fails << std::optional(Kind::NotANumber);
    QTest::newRow("fullwidth digit") << std::string("\xef\xbc\x95") << fails << std::optional(Kind::NotANumber);
    QTest::newRow("beyond the double range") << std::string("1e400") << fails << std::optional(Kind::OutOfRange);
}

void TestNumberText::numStrict()
{
    QFETCH(std::string, text);
    QFETCH(std::optional<double>, value);
    QFETCH(std::optional<Kind>, failure);
    QCOMPARE(failureOf([&] { NumStrict(text); }), failure);
    if (value)
        QCOMPARE(NumStrict(text), *value);
}

void TestNumberText::numText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<std::string>("text");

    QTest::newRow("one third") << 1.0 / 3.0 << std::string("0.333333333333333");
    QTest::newRow("two thirds") << 2.0 / 3.0 << std::string("0.666666666666667");
    QTest::newRow("0.0001 stays plain") << 0.0001 << std::string("0.0001");
    QTest::newRow("0.00001 switches to exponent") << 0.00001 << std::string("1E-05");
    QTest::newRow("0.0000125") << 0.0000125 << std::string("1.25E-05");
    QTest::newRow("rounds up into plain form") << 0.000099999999999999995 << std::string("0.0001");
    QTest::newRow("15 digits stay plain") << 123456789012345.0 << std::string("123456789012345");
    QTest::newRow("16 digits") << 1234567890123456.0 << std::string("1.23456789012346E+15");
    QTest::newRow("rounds up into exponent form") << 999999999999999.5 << std::string("1E+15");
    QTest::newRow("just below the rounding edge") << 999999999999999.4 << std::string("999999999999999");
    QTest::newRow("minus one quarter") << -0.25 << std::string("-0.25");
    QTest::newRow("zero") << 0.0 << std::string("0");
    QTest::newRow("negative zero") << -0.0 << std::string("0");
    QTest::newRow("three-digit exponent") << 1e-300 << std::string("1E-300");
    QTest::newRow("largest that reads back") << 1.79769313486231e308 << std::string("1.79769313486231E+308");
    QTest::newRow("smallest subnormal") << std::numeric_limits<double>::denorm_min()
                                        << std::string("4.94065645841247E-324");
    QTest::newRow("frequency of the worked example") << 1766.78445229682 / 60 << std::string("29.4464075382803");
}

void TestNumberText::numText()
{
    QFETCH(double, value);
    QFETCH(std::string, text);
    QCOMPARE(NumText(value), text);
}

void TestNumberText::numTextReadsBack_data()
{
    QTest::addColumn<double>("value");
    for (double v : {1.0 / 3.0, 1e-5, 1.25e-5, 1234567890123456.0, -9.87654321e-200, 6.02214076e23, -1.79769313486231e308,
                     std::numeric_limits<double>::denorm_min(), 0.1, 12345.6789})
        QTest::newRow(NumText(v).c_str()) << v;
}

void TestNumberText::numTextReadsBack()
{
    QFETCH(double, value);
    const std::string text = NumText(value);
    QCOMPARE(NumText(NumStrict(text)), text);
    QCOMPARE(NumVal(text), NumStrict(text));
}

void TestNumberText::numStr_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<std::string>("text");
    QTest::newRow("one and a half") << 1.5 << std::string(" 1.5");
    QTest::newRow("minus one and a half") << -1.5 << std::string("-1.5");
    QTest::newRow("zero") << 0.0 << std::string(" 0");
    QTest::newRow("negative zero") << -0.0 << std::string(" 0");
    QTest::newRow("one quarter") << 0.25 << std::string(" 0.25");
}

void TestNumberText::numStr()
{
    QFETCH(double, value);
    QFETCH(std::string, text);
    QCOMPARE(NumStr(value), text);
}

void TestNumberText::numWhole_data()
{
    QTest::addColumn<std::string>("text");
    QTest::addColumn<std::optional<double>>("whole");

    QTest::newRow("2.5 to even") << std::string("2.5") << std::optional(2.0);
    QTest::newRow("3.5 to even") << std::string("3.5") << std::optional(4.0);
    QTest::newRow("-2.5 to even") << std::string("-2.5") << std::optional(-2.0);
    QTest::newRow("just under a half") << std::string("0.49999999999999994") << std::optional(0.0);
    QTest::newRow("thousands comma") << std::string("1,000.4") << std::optional(1000.0);
    QTest::newRow("largest") << std::string("2147483647.4") << std::optional(2147483647.0);
    QTest::newRow("smallest, tie to even") << std::string("-2147483648.5") << std::optional(-2147483648.0);
    QTest::newRow("tie beyond the top") << std::string("2147483647.5") << std::optional<double>();
    QTest::newRow("below the bottom") << std::string("-2147483649") << std::optional<double>();
    QTest::newRow("not a number") << std::string("abc") << std::optional<double>();
}

void TestNumberText::numWhole()
{
    QFETCH(std::string, text);
    QFETCH(std::optional<double>, whole);
    if (!whole) {
        QVERIFY(failureOf([&] { NumWhole(text); }).has_value());
        return;
    }
    QCOMPARE(double(NumWhole(text)), *whole);
}

void TestNumberText::curRound_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<std::optional<std::string>>("text");

    QTest::newRow("1.23456") << 1.23456 << std::optional<std::string>("1.2346");
    QTest::newRow("2") << 2.0 << std::optional<std::string>("2");
    QTest::newRow("0.1") << 0.1 << std::optional<std::string>("0.1");
    QTest::newRow("minus one half") << -0.5 << std::optional<std::string>("-0.5");
    QTest::newRow("a percent of error of 1.2345") << 0.012345 << std::optional<std::string>("0.0123");
    QTest::newRow("exact tie down to even") << 0.03125 << std::optional<std::string>("0.0312");
    QTest::newRow("exact tie up to even") << 0.09375 << std::optional<std::string>("0.0938");
    QTest::newRow("negative tie to even") << -0.03125 << std::optional<std::string>("-0.0312");
    QTest::newRow("below a ten-thousandth") << -0.00004 << std::optional<std::string>("0");
    QTest::newRow("large, exact") << 562949953421312.0 << std::optional<std::string>("562949953421312");
    QTest::newRow("beyond the count range") << 1e15 << std::optional<std::string>();
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << std::optional<std::string>();
}

void TestNumberText::curRound()
{
    QFETCH(double, value);
    QFETCH(std::optional<std::string>, text);
    if (!text) {
        QCOMPARE(failureOf([&] { CurRound(value); }), std::optional(Kind::OutOfRange));
        return;
    }
    QCOMPARE(CurText(CurRound(value)), *text);
}

void TestNumberText::curTextAtTheEnds()
{
    QCOMPARE(CurText(std::numeric_limits<std::int64_t>::max()), std::string("922337203685477.5807"));
    QCOMPARE(CurText(std::numeric_limits<std::int64_t>::min()), std::string("-922337203685477.5808"));
    QCOMPARE(CurText(-1), std::string("-0.0001"));
    QCOMPARE(CurText(0), std::string("0"));
    QCOMPARE(CurText(-10000), std::string("-1"));
}

void TestNumberText::arithmetic()
{
    QCOMPARE(failureOf([] { Div(1, 0); }), std::optional(Kind::DivideByZero));
    QCOMPARE(failureOf([] { Div(-1, -0.0); }), std::optional(Kind::DivideByZero));
    QCOMPARE(failureOf([] { Div(0, 0); }), std::optional(Kind::ZeroByZero));
    QCOMPARE(failureOf([] { Mul(1e308, 10); }), std::optional(Kind::Overflow));
    QCOMPARE(failureOf([] { Add(DBL_MAX, DBL_MAX); }), std::optional(Kind::Overflow));
    QCOMPARE(failureOf([] { Sub(-DBL_MAX, DBL_MAX); }), std::optional(Kind::Overflow));
    QCOMPARE(failureOf([] { Div(1e300, 1e-300); }), std::optional(Kind::Overflow));
    // Losing precision or underflowing is no fault.
    QCOMPARE(Div(1e-300, 1e300), 0.0);
    QCOMPARE(Add(1e16, 1), 1e16);
    QCOMPARE(failureOf([] { NumText(std::numeric_limits<double>::quiet_NaN()); }), std::optional(Kind::OutOfRange));
    // Its text would round past the largest double and fail when read back.
    QCOMPARE(failureOf([] { NumText(-DBL_MAX); }), std::optional(Kind::OutOfRange));
}

QTEST_APPLESS_MAIN(TestNumberText)
#include "test_number_text.moc"
