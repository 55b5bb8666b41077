#include "calibration_mass/cal2_report.h"
#include "calibration_mass/cal2_window.h"
#include "printing/print_checks.h"
#include "printing/printer.h"

#include <QMenuBar>
#include <QtTest>

namespace {

const QStringList kThreeTests{"Text1=100", "Text2=98", "Text5=101", "Text6=100", "Text9=102", "Text10=103"};

} // namespace

// On the recording device a 12 pt character is 6 wide, so the zones begin at 0,
// 84, 168 and 252; a 14 pt character is 7 wide.
class TestCal2Report : public QObject {
    Q_OBJECT

private slots:
    void threeTests();
    void lines_data();
    void lines();
    void filePrint_data();
    void filePrint();
};

void TestCal2Report::threeTests()
{
    Cal2Sheet sheet;
    fill(sheet, kThreeTests);
    const QStringList before = fieldTexts(sheet);
    std::vector<RecordingDevice::Document> documents;
    Printer printer(LineMarkingDevice::source(documents));
    printer.FontSize(9.0f);  // left over from another report
    printer.FontItalic(true);
    printCal2Report(sheet, printer);
    printCal2Report(sheet, printer);

    const QStringList body{
        "font 12 bold", "", "",                                          // 6, 7
        "0 'DISPENSER CALIBRATION  WITH A MASS DISPLAY'", "",            // 8, 9
        "font 12", "0 '49.023' 36 '  Existing Flow Cal. Factor'", "", "", "",  // 10 to 13
        "84 'Mass' 168 'Percent'",                                       // 14
        "0 'Scale' 84 'Display' 168 'of Error'", "",                     // 15, 16
        "0 '100' 84 '98' 168 ' 2 ' 186 '%' 252 'Batch #1'", "",          // 17, 18
        "0 '101' 84 '100' 168 ' 0.99 ' 204 '%' 252 'Batch #2'", "",      // 19, 20
        "0 '102' 84 '103' 168 '-0.98 ' 204 '%' 252 'Batch #3'", "", "",  // 21 to 23
        "84 'Average' 168 'Average'",                                    // 24
        "0 'Average' 84 'Mass' 168 'Percent'",                           // 25
        "0 'Scale' 84 'Display' 168 'of Error'", "",                     // 26, 27
        "0 '101' 84 '100.3333' 168 ' 0.66 ' 204 '%'", "", "",            // 28 to 30
        "font 14 bold", "0 '49.3487' 49 '       New Flow Cal. Factor'",  // 31
        "", "", "", "end"};                                              // 32 to 34
    QCOMPARE(documents.size(), std::size_t(2));
    const QStringList page = pageLines(documents[0]);
    QCOMPARE(page, letterheadLines() + body);
    QCOMPARE(linesOnly(page).size(), 34);
    QCOMPARE(pageLines(documents[1]), page);
    QCOMPARE(fieldTexts(sheet), before);
}

// One line of the page for worksheets that are not complete or hold odd values.
void TestCal2Report::lines_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("printed");

    const QStringList test1{"Text1=100", "Text2=98"};
    QTest::newRow("one test: its row") << test1 << 17 << "0 '100' 84 '98' 168 ' 2 ' 186 '%' 252 'Batch #1'";
    QTest::newRow("one test: Test 2 empty") << test1 << 19 << "252 'Batch #2'";
    QTest::newRow("one test: averages") << test1 << 28 << "0 '100' 84 '98' 168 ' 2 ' 186 '%'";
    QTest::newRow("one test: new factor") << test1 << 31 << "0 '50.0235' 49 '       New Flow Cal. Factor'";
    const QStringList tests12 = kThreeTests.mid(0, 4);
    QTest::newRow("two tests: Test 2") << tests12 << 19 << "0 '101' 84 '100' 168 ' 0.99 ' 204 '%' 252 'Batch #2'";
    QTest::newRow("two tests: Test 3 empty") << tests12 << 21 << "252 'Batch #3'";
    QTest::newRow("two tests: averages") << tests12 << 28 << "0 '100.5' 84 '99' 168 ' 1.49 ' 204 '%'";

    // The held fraction times 100, as a number item, then "%".
    QTest::newRow("0.0123") << QStringList{"MaskedEdit1=0.0123"} << 17 << "168 ' 1.23 ' 204 '%' 252 'Batch #1'";
    QTest::newRow("0.0007") << QStringList{"MaskedEdit2=0.0007"} << 19 << "168 ' 0.07 ' 204 '%' 252 'Batch #2'";
    QTest::newRow("-0.005") << QStringList{"MaskedEdit3=-0.005"} << 21 << "168 '-0.5 ' 198 '%' 252 'Batch #3'";
    QTest::newRow("0") << QStringList{"MaskedEdit4=0"} << 28 << "168 ' 0 ' 186 '%'";
    QTest::newRow("blanks only") << QStringList{"MaskedEdit1=  "} << 17 << "252 'Batch #1'";
    QTest::newRow("empty averages") << QStringList{"MaskedEdit4=0.02"} << 28 << "168 ' 2 ' 186 '%'";

    QTest::newRow("long Text21") << QStringList{"Text21=49.0230000000000000001"} << 10
                                 << "0 '49.0230000000000000001' 132 '  Existing Flow Cal. Factor'";
    QTest::newRow("empty Text21") << QStringList{"Text21="} << 10 << "0 '  Existing Flow Cal. Factor'";
}

void TestCal2Report::lines()
{
    QFETCH(QStringList, steps);
    QFETCH(int, line);
    QFETCH(QString, printed);

    Cal2Sheet sheet;
    fill(sheet, steps);
    std::vector<RecordingDevice::Document> documents;
    Printer printer(LineMarkingDevice::source(documents));
    printCal2Report(sheet, printer);

    QCOMPARE(documents.size(), std::size_t(1));
    const QStringList page = linesOnly(pageLines(documents[0]));
    QCOMPARE(page.size(), 34);
    QCOMPARE(page[line - 1], printed);
}

// File > Print of the window. A percent field holding a text typed by hand that is
// no number stops the report before anything is printed.
void TestCal2Report::filePrint_data()
{
    QTest::addColumn<QString>("step");
    QTest::addColumn<QString>("message");

    QTest::newRow("a number") << "MaskedEdit2=0.0095" << QString();
    QTest::newRow("a percentage typed in Test 1")
        << "MaskedEdit1=2%" << "Percent of error of Test 1 holds \"2%\", which is not a number.\nNothing was printed.";
    QTest::newRow("letters in Test 3")
        << "MaskedEdit3=abc" << "Percent of error of Test 3 holds \"abc\", which is not a number.\nNothing was printed.";
    QTest::newRow("beyond range in the average")
        << "MaskedEdit4=1e307" << "Average error holds \"1e307\", which is too large to print.\nNothing was printed.";
}

void TestCal2Report::filePrint()
{
    QFETCH(QString, step);
    QFETCH(QString, message);

    std::vector<RecordingDevice::Document> documents;
    Printer printer(RecordingDevice::source(documents));
    AnsweringDialogs dialogs;
    Cal2Window window(printer, dialogs);
    fill(window.sheet(), QStringList{"Text1=100", "Text2=98", step});
    const QStringList before = fieldTexts(window.sheet());

    QAction* print = window.menuBar()->findChild<QMenu*>()->actions().value(0);
    QCOMPARE(print->text(), QString("&Print"));
    print->trigger();
    QCOMPARE(documents.size(), std::size_t(message.isEmpty() ? 1 : 0));
    QCOMPARE(dialogs.told, message.isEmpty() ? QStringList() : QStringList{message});
    QVERIFY(dialogs.offers.isEmpty() && !printer.documentOpen());
    QCOMPARE(fieldTexts(window.sheet()), before);
}

QTEST_MAIN(TestCal2Report)
#include "test_cal2_report.moc"
