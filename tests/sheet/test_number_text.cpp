#include "sheet/display_format.h"
#include "sheet/number_text.h"
#include "sheet/tolerance.h"
#include "table_file.h"

#include <QtTest>

#include <charconv>
#include <cmath>
#include <functional>
#include <map>

using namespace Qt::StringLiterals;
Q_DECLARE_METATYPE(TableRow)

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
    static const char* const kinds[] = {"Empty",      "NotANumber", "OutOfRange", "DivideByZero",
                                        "ZeroByZero", "Overflow",   "NotComputed"};
    try {
        return QString::fromStdString(step());
    } catch (const StepFailed& failure) {
        return kinds[int(failure.kind)];
    } catch (const std::exception& failure) {  // a text the table should not have given
        return u"not a test input: "_s + failure.what();
    }
}

}  // namespace

class TestNumberText : public QObject {
    Q_OBJECT

private slots:
    void conversions_data();
    void conversions();
    void notANumber();
};

// Each conversion the table names, applied to a given text.
using Conversion = std::function<std::string(const std::string&)>;
const std::map<std::string, Conversion>& conversionsByName()
{
    static const std::map<std::string, Conversion> all{
        {"read", [](const std::string& text) { return exact(strictNumber(text)); }},
        {"text",
         [](const std::string& text) {
             const std::string written = numberText(strictNumber(text));
             const bool readsBack = numberText(strictNumber(written)) == written;
             return readsBack ? written : written + " does not read back";
         }},
        {"printer form", [](const std::string& text) { return printerNumberText(strictNumber(text)); }},
        {"whole", [](const std::string& text) { return std::to_string(wholeNumber(text)); }},
        {"four decimals", [](const std::string& text) { return fourDecimals(strictNumber(text)); }},
        {"count", [](const std::string& text) { return tenThousandthsText(std::stoll(text)); }},
        {"percent 2", [](const std::string& text) { return percentDisplay(text, 2); }},
        {"percent 3", [](const std::string& text) { return percentDisplay(text, 3); }},
        {"psi", [](const std::string& text) { return psiDisplay(text); }},
        {"verdict",
         [](const std::string& text) {  // "error acceptance maintenance", "-" for a limit not set
             const QStringList terms = QString::fromStdString(text).split(' ');
             const auto limit = [&](int i) {
                 return terms.value(i) == "-" ? std::string() : terms.value(i).toStdString();
             };
             const Tolerance tolerance{limit(1), limit(2)};
             if (const std::string problem = toleranceProblem(tolerance); !problem.empty())
                 return problem;
             const Verdict verdict = judge(terms.value(0).toStdString(), tolerance);
             return verdictWord(verdict) + (verdict == Verdict::None ? "" : ": " + verdictSentence(verdict, tolerance));
         }},
        {"as left verdict",
         [](const std::string& text) {  // "error acceptance maintenance", "-" for a limit not set
             const QStringList terms = QString::fromStdString(text).split(' ');
             const auto limit = [&](int i) {
                 return terms.value(i) == "-" ? std::string() : terms.value(i).toStdString();
             };
             const Tolerance tolerance = phaseTolerance({limit(1), limit(2)}, Phase::AsLeft);
             const Verdict verdict = judge(terms.value(0).toStdString(), tolerance);
             return verdictWord(verdict) + ": " + verdictSentence(verdict, tolerance);
         }},
        {"repeatability",
         [](const std::string& text) {  // "share maintenance scale:display..."
             const QStringList terms = QString::fromStdString(text).split(' ');
             std::vector<ExactError> errors;
             for (const QString& test : terms.mid(2))
                 errors.push_back({Decimal::of(test.section(':', 0, 0).toStdString()),
                                   Decimal::of(test.section(':', 1).toStdString())});
             const std::optional<Repeatability> range =
                 repeatability(errors, {{}, terms.value(1).toStdString()}, terms.value(0).toStdString());
             if (!range)
                 return std::string("none");
             return range->range
                    + (range->limit.empty() ? "" : " " + verdictWord(range->verdict) + ", limit " + range->limit);
         }},
        {"exact verdict",
         [](const std::string& text) {  // "scale display acceptance maintenance"
             const QStringList terms = QString::fromStdString(text).split(' ');
             const ExactError error{Decimal::of(terms.value(0).toStdString()),
                                    Decimal::of(terms.value(1).toStdString())};
             const auto limit = [&](int i) {
                 return terms.value(i) == "-" ? std::string() : terms.value(i).toStdString();
             };
             const Tolerance tolerance{limit(2), limit(3)};
             return verdictWord(judge(error, tolerance)) + " " + percentText(error, tolerance);
         }},
        {"arithmetic",
         [](const std::string& text) {  // "a op b"
             const QStringList terms = QString::fromStdString(text).split(' ');
             const double a = strictNumber(terms.value(0).toStdString());
             const double b = strictNumber(terms.value(2).toStdString());
             const std::map<QString, double (*)(double, double)> steps{{"+", plus},
                                                                       {"-", minus},
                                                                       {"*", times},
                                                                       {"/", over}};
             return exact(steps.at(terms.value(1))(a, b));
         }},
    };
    return all;
}

void TestNumberText::conversions_data()
{
    QTest::addColumn<TableRow>("row");
    for (TableRow row : readTable("sheet/conversions.txt", 4)) {
        if (!conversionsByName().contains(row.cells[0]))
            row.fault("no conversion \"" + row.cells[0] + "\"");
        else if (row.cells[0] == "arithmetic"
                 && !QString::fromStdString(row.cells[2]).contains(QRegularExpression("^\\S+ [-+*/] \\S+$")))
            row.fault("not \"a op b\", op one of + - * /");
        QTest::addRow("%s: %s", row.cells[0].c_str(), row.cells[1].c_str()) << row;
    }
}

void TestNumberText::conversions()
{
    QFETCH(TableRow, row);
    CHECK_TABLE_ROW(row);
    QCOMPARE(outcome([&] { return conversionsByName().at(row.cells[0])(row.cells[2]); }), row[3]);
}

// A value no text reads as, and so only a fault could write.
void TestNumberText::notANumber()
{
    QCOMPARE(outcome([] { return numberText(std::nan("")); }), u"OutOfRange"_s);
}

QTEST_APPLESS_MAIN(TestNumberText)
#include "test_number_text.moc"
