#include "fields/display_format.h"
#include "fields/number_text.h"
#include "table_file.h"

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

} // namespace

class TestNumberText : public QObject {
    Q_OBJECT

private slots:
    void conversions_data();
    void conversions();
    void arithmetic();
};

void TestNumberText::conversions_data()
{
    QTest::addColumn<QString>("conversion");
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("converted");
    for (const QStringList& row : readTable("fields/conversions.txt", 4))
        QTest::addRow("%s: %s", qPrintable(row[0]), qPrintable(row[1])) << row[0] << row[2] << row[3];
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
             const bool readsBack = numberText(strictNumber(written)) == written
                                    && leadingNumber(written) == strictNumber(written);
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
