#include "calibration_mass/cal2_sheet.h"
#include "qt_std.h"

namespace {

// "Text1=100!;Text2=98" types 100 into Text1 one key at a time, presses Enter
// there, then types 98 into Text2.
void play(Cal2Sheet& sheet, const QString& steps)
{
    for (QString step : steps.split(';', Qt::SkipEmptyParts)) {
        const bool enter = step.endsWith('!');
        step.chop(enter ? 1 : 0);
        const QString value = step.section('=', 1);
        const FieldId field = sheet.find(step.section('=', 0, 0).toStdString());
        for (qsizetype keys = value.isEmpty() ? 0 : 1; keys <= value.size(); ++keys)
            sheet.type(field, value.left(keys).toStdString());
        if (enter)
            sheet.enter(field);
    }
}

void row(const char* tag, const QString& steps, const QString& expected, const QString& status = {})
{
    QTest::newRow(tag) << steps << expected << status;
}

const QString kWorked = "Text1=100!;Text2=98!;";
const QString kThreeTests = "Text1=100!;Text2=99!;Text5=101!;Text6=100!;Text9=102!;Text10=101!;";

} // namespace

class TestCal2Sheet : public QObject {
    Q_OBJECT

private slots:
    void stories_data();
    void stories();
    void orderOfWritesForOneKeystroke();
};

void TestCal2Sheet::stories_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("status");

    row("worked example", kWorked, "Text17=100;Text18=98;MaskedEdit1=0.02;MaskedEdit4=0.02;Text22=50.0235");
    row("three tests", kThreeTests, "Text17=101;Text18=100;MaskedEdit3=0.0098;MaskedEdit4=0.0099;Text22=49.5132");
    row("Test 2 with Test 1 empty", "Text5=101", "Text13=101;Text17=50.5");
    row("Test 1 retyped narrows its column", kThreeTests + "Text1=200!",
        "Text17=200;MaskedEdit4=0.0099;Text22=49.5132");
    row("display before any scale", "Text2=98", "Text18=98;MaskedEdit4=;Text22=",
        "New flow calibration factor not computed: no scale reading has been typed yet.");
    row("...filled at the next display change", "Text2=98!;Text1=100!;Text2=98", "MaskedEdit4=0.02;Text22=50.0235");
    row("existing factor alone recomputes nothing", kWorked + "Text21=50!", "Text22=50.0235");
    row("display left without Enter", kWorked + "Text2=99", "Text4=2;MaskedEdit1=0.02;MaskedEdit4=0.01");
    row("unchanged difference, new scale", kWorked + "Text1=200!;Text2=198!", "Text4=2;MaskedEdit1=0.01");
    row("display reads high", "Text1=100!;Text2=101!", "MaskedEdit1=-0.01;Text22=48.5376");
    row("factor from the quotient of the sums", "Text1=91!;Text2=93.6", "Text22=47.6613");
    row("1.2345 percent", "Text1=100!;Text2=98.7655!", "Text4=1.2345;MaskedEdit1=0.0123");
    row("negative readings", "Text1=-100!;Text2=-98!", "MaskedEdit1=0.02;Text22=50.0235");
    row("100 kg", "Text1=100 kg!;Text2=98!", "Text17=100;MaskedEdit1=;Text22=50.0235",
        "Percent of error of Test 1 not computed: the scale reading of Test 1 is not a number.");
    row("scale 0", "Text1=0!;Text2=98!", "MaskedEdit1=;MaskedEdit4=;Text22=0;Text18=98",
        "Percent of error of Test 1 not computed: the scale reading of Test 1 is zero.");
    row("scale empty", "Text2=98!", "Text4=-98;MaskedEdit1=",
        "Percent of error of Test 1 not computed: the scale reading of Test 1 is empty.");
    row("display letters", kWorked + "Text2=abc!", "Text22=50.0235;MaskedEdit1=1",
        "New flow calibration factor not computed: the display sum is zero.");
    row("existing factor emptied", kWorked + "Text21=;Text2=97", "Text22=50.0235;Text18=97",
        "New flow calibration factor not computed: the existing flow calibration factor is empty.");
    row("1e400", "Text1=1e400", "Text13=1E+40;Text17=10000",
        "Scale sum not computed: the scale reading of Test 1 is out of range.");
    row("average beyond four decimals", "Text1=1e15", "Text13=1E+15;Text17=10",
        "Average scale not computed: the result is too large to keep to four decimals.");
    // The display sum is a step of the Enter itself, so the Enter ends there.
    row("other test's display out of range", "Text2=1e400;Text5=100;Text6=98!", "Text8=;MaskedEdit2=",
        "Display sum not computed: the display reading of Test 1 is out of range.");
}

void TestCal2Sheet::stories()
{
    QFETCH(QString, steps);
    QFETCH(QString, expected);
    QFETCH(QString, status);
    Cal2Sheet sheet;
    play(sheet, steps);
    for (const QString& pair : expected.split(';'))
        QCOMPARE(sheet.text(sheet.find(pair.section('=', 0, 0).toStdString())),
                 pair.section('=', 1).toStdString());
    QCOMPARE(QString::fromStdString(sheet.status()), status);
    for (std::size_t i = 0; i < sheet.fieldCount(); ++i) {
        const QString text = QString::fromStdString(sheet.text(FieldId(i))).toLower();
        QVERIFY2(!text.contains("inf") && !text.contains("nan"), qPrintable(text));
    }
}

void TestCal2Sheet::orderOfWritesForOneKeystroke()
{
    Cal2Sheet sheet;
    play(sheet, kWorked + "Text5=100!");
    QStringList written;
    sheet.setObserver([&](FieldId field) { written << QString::fromStdString(sheet.name(field)); });
    sheet.type(sheet.Text6, "9");
    QCOMPARE(written, QStringList({"Text14", "Text16", "MaskedEdit4", "Text22", "Text18"}));
    written.clear();
    sheet.enter(sheet.Text6);
    QCOMPARE(written,
             QStringList({"Text14", "Text16", "MaskedEdit4", "Text22", "Text18", "Text8", "MaskedEdit2"}));
}

QTEST_APPLESS_MAIN(TestCal2Sheet)
#include "test_cal2_sheet.moc"
