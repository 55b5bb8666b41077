#include "sheet/display_format.h"
#include "sheet/number_text.h"
#include "table_file.h"

#include <QtTest>

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
    void notANumber();
};

void TestNumberText::conversions_data()
{
    QTest::addColumn<QString>("conversion");
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("converted");
    for (const QStringList& row : readTable("sheet/conversions.txt", 4))
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
        {"arithmetic", [&] {
             const QStringList terms = given.split(' ');
             const double a = strictNumber(terms[0].toStdString()), b = strictNumber(terms[2].toStdString());
             const std::map<QString, double (*)(double, double)> steps{
                 {"+", plus}, {"-", minus}, {"*", times}, {"/", over}};
             return exact(steps.at(terms[1])(a, b));
         }},
    };
    QCOMPARE(outcome(conversions.at(conversion)), converted);
}

// A value no text reads as, and so only a fault could write.
void TestNumberText::notANumber() { QCOMPARE(outcome([] { return numberText(std::nan("")); }), u"OutOfRange"_s); }

QTEST_APPLESS_MAIN(TestNumberText)
#include "test_number_text.moc"
