#include "calibration_nomass/cal_no_mas_report.h"
#include "calibration_nomass/cal_no_mas_window.h"
#include "printing/print_checks.h"
#include "printing/printer.h"

#include <QMenuBar>
#include <QtTest>

namespace {

const QStringList kWorkedExample{"Text1=100", "Text24=17.5", "Text5=120", "Text25=21", "Text9=81", "Text26=14.3"};

} // namespace

// On the recording device a 12 pt character is 6 wide, so the zones begin at 0,
// 84, 168, 252 and 336; a 14 pt character is 7 wide.
class TestCalNoMasReport : public QObject {
    Q_OBJECT

private slots:
    void workedExample();
    void lines_data();
    void lines();
    void filePrint_data();
    void filePrint();
};

void TestCalNoMasReport::workedExample()
{
    CalNoMasSheet sheet;
    fill(sheet, kWorkedExample);
    const QStringList before = fieldTexts(sheet);
    std::vector<RecordingDevice::Document> documents;
    Printer printer(LineMarkingDevice::source(documents));
    printer.FontSize(9.0f);  // left over from another report
    printer.FontItalic(true);
    printCalNoMasReport(sheet, printer);
    printCalNoMasReport(sheet, printer);

    const QStringList body{
        "font 12 bold", "", "",                                          // 6, 7
        "0 'DISPENSER CALIBRATION  WITH OUT A MASS DISPLAY'", "",        // 8, 9
        "font 12", "0 '43.023' 36 '  Existing Flow Cal. Factor'", "", "", "",  // 10 to 13
        "84 'Gallon' 168 'Percent'",                                     // 14
        "0 'Scale' 84 'Display' 168 'of Error' 252 'Mass'", "",          // 15, 16
        "0 '100' 84 '17.5' 168 ' 0.95 ' 204 '%' 252 '99.05' 336 'Batch #1'", "",    // 17, 18
        "0 '120' 84 '21' 168 ' 0.95 ' 204 '%' 252 '118.86' 336 'Batch #2'", "",     // 19, 20
        "0 '81' 84 '14.3' 168 ' 0.08 ' 204 '%' 252 '80.938' 336 'Batch #3'", "", "",  // 21 to 23
        "84 'Average' 168 'Average'",                                    // 24
        "0 'Average' 84 'Mass' 168 'Percent'",                           // 25
        "0 'Scale' 84 'Display' 168 'of Error'", "",                     // 26, 27
        "0 '100.3333' 84 '99.616' 168 ' 0.71 ' 204 '%'", "", "",         // 28 to 30
        "font 14 bold", "0 '43.3328' 49 '       New Flow Cal. Factor'",  // 31
        "", "", "", "end"};                                              // 32 to 34
    QCOMPARE(documents.size(), std::size_t(2));
    const QStringList page = pageLines(documents[0]);
    QCOMPARE(page, letterheadLines() + body);
    QCOMPARE(linesOnly(page).size(), 34);
    QCOMPARE(pageLines(documents[1]), page);
    QCOMPARE(fieldTexts(sheet), before);
}

// One line of the page for worksheets that are not complete or hold odd values.
void TestCalNoMasReport::lines_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("printed");

    const QStringList test1 = kWorkedExample.mid(0, 2);
    QTest::newRow("one test: its row") << test1 << 17
                                       << "0 '100' 84 '17.5' 168 ' 0.95 ' 204 '%' 252 '99.05' 336 'Batch #1'";
    QTest::newRow("one test: Test 2 empty") << test1 << 19 << "336 'Batch #2'";
    QTest::newRow("one test: averages") << test1 << 28 << "0 '100' 84 '99.05' 168 ' 0.95 ' 204 '%'";
    QTest::newRow("one test: new factor") << test1 << 31 << "0 '43.4356' 49 '       New Flow Cal. Factor'";
    const QStringList tests12 = kWorkedExample.mid(0, 4);
    QTest::newRow("two tests: Test 3 empty") << tests12 << 21 << "336 'Batch #3'";
    QTest::newRow("two tests: averages") << tests12 << 28 << "0 '110' 84 '108.955' 168 ' 0.95 ' 204 '%'";

    QTest::newRow("mass dispensed emptied") << kWorkedExample + QStringList{"Text2="} << 17
                                            << "0 '100' 84 '17.5' 168 ' 0.95 ' 204 '%' 336 'Batch #1'";
    QTest::newRow("negative percentage") << QStringList{"MaskedEdit2=-0.005"} << 19
                                         << "168 '-0.5 ' 198 '%' 336 'Batch #2'";
    QTest::newRow("average from the sums, not the shown one")
        << QStringList{"MaskedEdit4=0.0071", "MaskedEdit5=0.0099"} << 28 << "168 ' 0.71 ' 204 '%'";
}

void TestCalNoMasReport::lines()
{
    QFETCH(QStringList, steps);
    QFETCH(int, line);
    QFETCH(QString, printed);

    CalNoMasSheet sheet;
    fill(sheet, steps);
    std::vector<RecordingDevice::Document> documents;
    Printer printer(LineMarkingDevice::source(documents));
    printCalNoMasReport(sheet, printer);

    QCOMPARE(documents.size(), std::size_t(1));
    const QStringList page = linesOnly(pageLines(documents[0]));
    QCOMPARE(page.size(), 34);
    QCOMPARE(page[line - 1], printed);
}

// File > Pirnt of the window. A percent field holding a text typed by hand that is
// no number stops the report before anything is printed.
void TestCalNoMasReport::filePrint_data()
{
    QTest::addColumn<QString>("step");
    QTest::addColumn<QString>("message");

    QTest::newRow("a number") << "MaskedEdit3=0.0008" << QString();
    QTest::newRow("letters in Test 1")
        << "MaskedEdit1=abc" << "Percent of error of Test 1 holds \"abc\", which is not a number.\nNothing was printed.";
}

void TestCalNoMasReport::filePrint()
{
    QFETCH(QString, step);
    QFETCH(QString, message);

    std::vector<RecordingDevice::Document> documents;
    Printer printer(RecordingDevice::source(documents));
    AnsweringDialogs dialogs;
    CalNoMasWindow window(printer, dialogs);
    fill(window.sheet(), kWorkedExample.mid(0, 2) + QStringList{step});
    const QStringList before = fieldTexts(window.sheet());

    QAction* print = window.menuBar()->findChild<QMenu*>()->actions().value(0);
    QCOMPARE(print->text(), QString("&Pirnt"));
    print->trigger();
    QCOMPARE(documents.size(), std::size_t(message.isEmpty() ? 1 : 0));
    QCOMPARE(dialogs.told, message.isEmpty() ? QStringList() : QStringList{message});
    QVERIFY(dialogs.offers.isEmpty() && !printer.documentOpen());
    QCOMPARE(fieldTexts(window.sheet()), before);
}

QTEST_MAIN(TestCalNoMasReport)
#include "test_cal_no_mas_report.moc"
