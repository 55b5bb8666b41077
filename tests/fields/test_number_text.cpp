#include "fields/display_format.h"
#include "fields/number_text.h"

#include <QtTest>

#include <cfloat>
#include <charconv>
#include <cmath>
#include <functional>
#include <map>

using namespace Qt::StringLiterals;

namespace {

// The shortest text that reads back to exactly this double.
std::string exact(double value)
{
    char buf[32];
    return std::string(buf, std::to_chars(buf, buf + sizeof buf, value).ptr);
}

// The text a step gives, or the kind of its failure.
QString outcome(const std::function<std::string()>& step)
{
    static const char* const kinds[] = {"Empty", "NotANumber", "OutOfRange", "DivideByZero", "ZeroByZero", "Overflow"};
    try {
        return QString::fromStdString(step());
    } catch (const StepFailed& failure) {
        return kinds[int(failure.kind)];
    }
}

void row(const char* conversion, const char* tag, const std::string& text, const char* converted)
{
    QTest::addRow("%s: %s", conversion, tag) << QString(conversion) << QString::fromStdString(text) << QString(converted);
}

} // namespace

class TestNumberText : public QObject {
    Q_OBJECT

private slots:
    void conversions_data();
    void conversions();
    void arithmetic();
};

// Numbers given as text are the shortest that read back to the double meant.
void TestNumberText::conversions_data()
{
    QTest::addColumn<QString>("conversion");
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("converted");

    // The lenient reading, then the strict one.
    row("read", "empty", "", "0 | Empty");
    row("read", "blanks around", " 12 ", "12 | 12");
    row("read", "blanks, tabs, line feeds inside", "\t1 2\n.5", "12.5 | NotANumber");
    row("read", "thousands commas", "-1,234,567.5", "-1 | -1234567.5");
    row("read", "comma in the fraction", "1.2,5", "1.2 | NotANumber");
    row("read", "double comma", "1,,2", "1 | NotANumber");
    row("read", "no integer digits", "-.5", "-0.5 | -0.5");
    row("read", "trailing point", "5.", "5 | 5");
    row("read", "exponent", "2.5E3", "2500 | 2500");
    row("read", "E without digits", "12e+", "12 | NotANumber");
    row("read", "trailing letters", "12abc", "12 | NotANumber");
    row("read", "second point", "3.5.7", "3.5 | NotANumber");
    row("read", "lone sign", "-", "0 | NotANumber");
    row("read", "underflow reads as zero", "1e-400", "0 | 0");
    row("read", "beyond the double range", "1e400", "OutOfRange | OutOfRange");
    row("read", "huge exponent digits", "1e99999999999999999999", "OutOfRange | OutOfRange");
    row("read", "zero with a huge exponent", "0e99999999999999999999", "0 | 0");
    row("read", "long fraction, rounded", "0." + std::string(5000, '3'), "0.3333333333333333 | 0.3333333333333333");
    row("read", "long digits, small exponent", "1" + std::string(300, '0') + "e-300", "1 | 1");

    // At most 15 significant digits, plain from 1E-04 up to 15 integer digits; the
    // text reads back to itself.
    row("text", "one third", "0.3333333333333333", "0.333333333333333");
    row("text", "two thirds", "0.6666666666666666", "0.666666666666667");
    row("text", "0.0001 stays plain", "0.0001", "0.0001");
    row("text", "0.00001 switches to exponent", "0.00001", "1E-05");
    row("text", "rounds up into plain form", "9.999999999999999e-05", "0.0001");
    row("text", "15 digits stay plain", "123456789012345", "123456789012345");
    row("text", "16 digits", "1234567890123456", "1.23456789012346E+15");
    row("text", "rounds up into exponent form", "999999999999999.5", "1E+15");
    row("text", "just below the rounding edge", "999999999999999.4", "999999999999999");
    row("text", "minus one quarter", "-0.25", "-0.25");
    row("text", "negative zero", "-0", "0");
    row("text", "three-digit exponent", "1e-300", "1E-300");
    row("text", "largest that reads back", "1.79769313486231e+308", "1.79769313486231E+308");
    row("text", "smallest subnormal", "5e-324", "4.94065645841247E-324");
    row("printer form", "negative zero", "-0", " 0");

    row("whole", "2.5 to even", "2.5", "2");
    row("whole", "3.5 to even", "3.5", "4");
    row("whole", "just under a half", "0.49999999999999994", "0");
    row("whole", "largest", "2147483647.4", "2147483647");
    row("whole", "smallest, tie to even", "-2147483648.5", "-2147483648");
    row("whole", "tie beyond the top", "2147483647.5", "OutOfRange");
    row("whole", "below the bottom", "-2147483649", "OutOfRange");

    // Ten-thousandths, ties to even; then a count of them written out.
    row("four decimals", "1.23456", "1.23456", "1.2346");
    row("four decimals", "none left", "2", "2");
    row("four decimals", "tie down to even", "0.03125", "0.0312");
    row("four decimals", "tie up to even", "0.09375", "0.0938");
    row("four decimals", "negative tie", "-0.03125", "-0.0312");
    row("four decimals", "below a ten-thousandth", "-0.00004", "0");
    row("four decimals", "large, exact", "562949953421312", "562949953421312");
    row("four decimals", "beyond the count range", "1e15", "OutOfRange");
    row("four decimals", "2^63 ten-thousandths", "922337203685477.5808", "OutOfRange");
    row("four decimals", "-2^63 ten-thousandths", "-922337203685477.5808", "-922337203685477.5808");
    row("count", "largest", "9223372036854775807", "922337203685477.5807");
    row("count", "smallest", "-9223372036854775808", "-922337203685477.5808");
    row("count", "one", "-1", "-0.0001");

    // As the windows show a value; a text that is no number shows as it stands.
    row("percent 3", "held to four decimals", "0.0123", "1.230%");
    row("percent 2", "two decimals", "0.0095", "0.95%");
    row("percent 2", "no negative zero", "-0.00001", "0.00%");
    row("percent 2", "letters", "abc", "abc");
    row("percent 2", "too large to scale", "1e307", "1e307");
    row("psi", "rounds, groups", "3042.56864", "3,043  PSI");
    row("psi", "leading zero", "950", "0,950  PSI");
    row("psi", "half away from zero", "2.5", "0,003  PSI");
    row("psi", "negative half", "-950.5", "-0,951  PSI");
    row("psi", "millions", "1234567", "1,234,567  PSI");
}

void TestNumberText::conversions()
{
    QFETCH(QString, conversion);
    QFETCH(QString, given);
    QFETCH(QString, converted);
    const std::string text = given.toStdString();
    const std::map<QString, std::function<std::string()>> conversions{
        {"read", [&] { return (outcome([&] { return exact(leadingNumber(text)); }) + " | "
                               + outcome([&] { return exact(strictNumber(text)); })).toStdString(); }},
        {"text", [&] {
             const std::string written = numberText(strictNumber(text));
             const bool readsBack = numberText(strictNumber(written)) == written && leadingNumber(written) == strictNumber(written);
             return readsBack ? written : written + " does not read back";
         }},
        {"printer form", [&] { return printerNumberText(strictNumber(text)); }},
        {"whole", [&] { return std::to_string(wholeNumber(text)); }},
        {"four decimals", [&] { return fourDecimals(strictNumber(text)); }},
        {"count", [&] { return tenThousandthsText(std::stoll(text)); }},
        {"percent 2", [&] { return percentDisplay(text, 2); }},
        {"percent 3", [&] { return percentDisplay(text, 3); }},
        {"psi", [&] { return psiDisplay(text); }},
    };
    QCOMPARE(outcome(conversions.at(conversion)), converted);
}

void TestNumberText::arithmetic()
{
    QCOMPARE(outcome([] { return exact(over(1, 0)); }), u"DivideByZero"_s);
    QCOMPARE(outcome([] { return exact(over(0, 0)); }), u"ZeroByZero"_s);
    QCOMPARE(outcome([] { return exact(times(1e308, 10)); }), u"Overflow"_s);
    QCOMPARE(outcome([] { return exact(plus(DBL_MAX, DBL_MAX)); }), u"Overflow"_s);
    QCOMPARE(outcome([] { return exact(minus(-DBL_MAX, DBL_MAX)); }), u"Overflow"_s);
    QCOMPARE(outcome([] { return exact(over(1e300, 1e-300)); }), u"Overflow"_s);
    // Losing precision or underflowing is no fault.
    QCOMPARE(outcome([] { return exact(over(1e-300, 1e300)); }), u"0"_s);
    QCOMPARE(outcome([] { return exact(plus(1e16, 1)); }), u"1e+16"_s);
    QCOMPARE(outcome([] { return numberText(std::nan("")); }), u"OutOfRange"_s);
    // Its text would round past the largest double and fail when read back.
    QCOMPARE(outcome([] { return numberText(-DBL_MAX); }), u"OutOfRange"_s);
}

QTEST_APPLESS_MAIN(TestNumberText)
#include "test_number_text.moc"
