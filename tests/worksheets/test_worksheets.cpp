#include "calibration_mass/cal2_sheet.h"
#include "calibration_nomass/cal_no_mas_sheet.h"
#include "flowrate/rate_sheet.h"
#include "sheet_support.h"
#include "tempcomp/tcomp_sheet.h"

#include <memory>

namespace {

std::unique_ptr<Sheet> sheetFor(const QString& kind)
{
    if (kind == "rate")
        return std::make_unique<RateSheet>();
    if (kind == "temp")
        return std::make_unique<TcompSheet>();
    if (kind == "mass")
        return std::make_unique<Cal2Sheet>();
    return std::make_unique<CalNoMasSheet>();
}

void story(const char* tag, const QString& steps, const QString& expected, const QString& status = {})
{
    QTest::newRow(tag) << steps << expected << status;
}

} // namespace

class TestWorksheets : public QObject {
    Q_OBJECT

private slots:
    void stories_data();
    void stories();
    void writesRunDepthFirst();
};

// Steps as play() takes them; expected as textsOf() gives them. The tag names the
// sheet up to its colon. The sheet's own rules show in these stories as well: a
// failing step writes nothing and ends its own reaction or Enter, the writer of
// the field goes on; every write reruns the field's reaction, changed or not.
void TestWorksheets::stories_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("status");

    const QString rate = "texMrate=10;texPpg=1000;texLbs=5.66!;";
    story("rate: 10, 1000, 5.66", rate, "texHz=29;texRate=9.8484;texRet=0.984840000000001");
    // A computation that goes through clears the status line; events that compute
    // nothing leave it as it was.
    story("rate: 15, 1200, 5.66 after a failure", "texLbs=!;texMrate=15;texPpg=1200;texLbs=5.66!",
          "texHz=53;texRate=14.999");
    story("rate: 12, 1000, 5.66", "texMrate=12;texPpg=1000;texLbs=5.66!", "texHz=35;texRate=11.886");
    story("rate: 28.5 rounds to even", "texMrate=28.5;texPpg=60;texLbs=1!", "texHz=28;texRate=28");
    story("rate: only Enter in the density computes", rate + "texMrate=15!;texPpg=1200!;texHz=typed over",
          "texHz=typed over;texRate=9.8484");
    story("rate: density empty", rate + "texLbs=!;texMrate=10;texMrate!;texPpg@", "texHz=29;texRate=9.8484",
          "Pulses per pound not computed: it would divide by zero.");
    story("rate: flow 0", rate + "texMrate=0;texLbs!", "texHz=0;texRate=9.8484",
          "Frequency ratio not computed: it would divide zero by zero.");
    story("rate: whole frequency beyond 32 bits", rate + "texMrate=1000000;texPpg=1000000000;texLbs=1!",
          "texHz=29;texRate=9.8484",
          "Whole pulse frequency not computed: the pulse frequency is beyond the whole-number range.");
    story("rate: flow beyond the double range", rate + "texMrate=1e400;texLbs!", "texHz=29;texRate=9.8484",
          "Pulses per minute not computed: the maximum flow rate is out of range.");
    story("rate: pulses per minute beyond the double range", rate + "texMrate=1e300;texPpg=1e300;texLbs=0.5!",
          "texHz=29", "Pulses per minute not computed: the result would be out of range.");
    story("rate: 10,000-digit paste", rate + "texPpg=" + QString(10000, '9') + ";texLbs!", "texHz=29;texRate=9.8484",
          "Pulses per pound not computed: the pulses per gallon is out of range.");

    const QString p70 = "MaskedEdit3=3042.56864;MaskedEdit4=3805.789248";
    story("temp: 70 when it gets the focus", "Text1@", "Text2=21.1111111111111;" + p70);
    story("temp: 59", "Text1=59!", "Text2=15;MaskedEdit3=2900.754;MaskedEdit4=3614.339484");
    story("temp: freezing", "Text1=32@", "Text2=0;MaskedEdit3=2552.66352;MaskedEdit4=3144.417336");
    story("temp: -40", "Text1=-40!", "Text2=-40;MaskedEdit3=1624.42224;MaskedEdit4=1891.291608");
    // Dividing before multiplying, or by 5/9 at once, would end in ...556.
    story("temp: subtract, multiply, divide", "Text1= 21.1 !",
          "Text2=-6.05555555555555;MaskedEdit3=2412.138104;MaskedEdit4=2954.7080244");
    story("temp: letters", "Text1@;Text1=70 F!", p70,
          "Celsius temperature not computed: the temperature is not a number.");
    story("temp: 1e308 times 5 overflows", "Text1@;Text1=1e308!", "Text2=21.1111111111111;" + p70,
          "Celsius temperature not computed: the temperature is out of range.");
    story("temp: pressures overflow", "Text1@;Text1=2e307!", "Text2=1.11111111111111E+307;" + p70,
          "P-30 pressure not computed: the temperature is out of range.");

    const QString test1 = "Text1=100!;Text2=98!;";
    const QString three = "Text1=100!;Text2=99!;Text5=101!;Text6=100!;Text9=102!;Text10=101!;";
    story("mass: 100 and 98", test1, "Text17=100;Text18=98;MaskedEdit1=0.02;MaskedEdit4=0.02;Text22=50.0235");
    story("mass: three tests", three, "Text17=101;Text18=100;MaskedEdit3=0.0098;MaskedEdit4=0.0099;Text22=49.5132");
    story("mass: Test 2 with Test 1 empty", "Text5=101", "Text13=101;Text17=50.5");
    story("mass: Test 1 retyped narrows its column", three + "Text1=200!",
          "Text17=200;MaskedEdit4=0.0099;Text22=49.5132");
    // Failures stop their own reaction only: the display's goes on to Text18.
    story("mass: display before any scale", "Text2=98", "Text18=98;MaskedEdit4=;Text22=",
          "New flow calibration factor not computed: no scale reading has been typed yet.");
    story("mass: existing factor alone recomputes nothing", test1 + "Text21=50!", "Text22=50.0235");
    story("mass: existing factor emptied", test1 + "Text21=;Text2=97", "Text22=50.0235;Text18=97",
          "New flow calibration factor not computed: the existing flow calibration factor is empty.");
    // Text4 is written "2" again, and its percent still follows the new scale.
    story("mass: unchanged difference, new scale", test1 + "Text1=200!;Text2=198!", "Text4=2;MaskedEdit1=0.01");
    story("mass: display left without Enter", test1 + "Text2=99", "Text4=2;MaskedEdit1=0.02;MaskedEdit4=0.01");
    story("mass: display reads high", "Text1=100!;Text2=101!", "MaskedEdit1=-0.01;Text22=48.5376");
    story("mass: quotient of the sums first", "Text1=91!;Text2=93.6", "Text22=47.6613");
    story("mass: 1.2345 percent", "Text1=100!;Text2=98.7655!", "Text4=1.2345;MaskedEdit1=0.0123");
    story("mass: 100 kg", "Text1=100 kg!;Text2=98!", "Text17=100;MaskedEdit1=;Text22=50.0235",
          "Percent of error of Test 1 not computed: the scale reading of Test 1 is not a number.");
    story("mass: scale 0", "Text1=0!;Text2=98!", "MaskedEdit1=;MaskedEdit4=;Text22=0;Text18=98",
          "Percent of error of Test 1 not computed: the scale reading of Test 1 is zero.");
    story("mass: 1e400 typed key by key", "Text1=1e400", "Text13=1E+40;Text17=10000",
          "Scale sum not computed: the scale reading of Test 1 is out of range.");
    story("mass: Enter ends at a sum it cannot form", "Text2=1e400;Text5=100;Text6=98!", "Text8=;MaskedEdit2=",
          "Display sum not computed: the display reading of Test 1 is out of range.");

    const QString t1 = "Text1=100!;Text24=17.5!;";
    const QString example = t1 + "Text5=120!;Text25=21!;Text9=81!;Text26=14.3!;";
    story("no mass: worked example", example,
          "Text2=99.05;Text6=118.86;Text10=80.938;MaskedEdit1=0.0095;MaskedEdit2=0.0095;MaskedEdit3=0.0008;"
          "Text17=100.3333;Text18=99.616;MaskedEdit5=0.0071;MaskedEdit4=0.0071;Text22=43.3328");
    story("no mass: Test 1 alone", t1,
          "Text17=100;Text18=99.05;MaskedEdit5=0.0095;MaskedEdit4=0.0095;Text22=43.4356;MaskedEdit2=");
    story("no mass: Tests 1 and 2", t1 + "Text5=120!;Text25=21!",
          "Text8=1.14;Text17=110;Text18=108.955;MaskedEdit5=0.0095;MaskedEdit3=");
    story("no mass: mass above the scale reading", "Text9=79!;Text26=14.3!", "Text12=-1.938;MaskedEdit3=-0.0245");
    // The display side goes back to Test 1 alone while the scale side still covers
    // all three tests; the new factor is worked out from that mix.
    story("no mass: Enter again in Test 1's gallons", example + "Text24!",
          "Text18=99.05;Text17=100.3333;MaskedEdit4=0.6709;MaskedEdit5=0.0128;Text22=130.7413;MaskedEdit3=0.0008");
    story("no mass: 1. counts as 1", example + "Text5=1.", "Text13=101;Text17=50.5;MaskedEdit4=0.0071;Text22=43.3328");
    story("no mass: new factors wait for the next Enter", example + "Text3=6!;Text21=50!",
          "Text2=99.05;Text10=80.938;Text22=43.3328");
    story("no mass: ...in a gallon field", example + "Text3=6!;Text21=50!;Text26!",
          "Text10=85.8;Text6=118.86;Text14=303.71;MaskedEdit3=-0.0593;Text22=49.5539");
    story("no mass: factor in letters", example + "Text3=abc;Text25!", "Text6=118.86;Text22=43.3328",
          "Mass dispensed of Test 2 not computed: the factor Lbs\\GGE is not a number.");
    // The average display cannot hold the mass: the Enter stops there, before Test 1's difference.
    story("no mass: mass beyond four decimals", example + "Text24=1e300!",
          "Text2=5.66E+300;Text18=99.616;Text4=0.950000000000003;Text22=43.3328",
          "Average display not computed: the result is too large to keep to four decimals.");
}

void TestWorksheets::stories()
{
    QFETCH(QString, steps);
    QFETCH(QString, expected);
    QFETCH(QString, status);
    const std::unique_ptr<Sheet> sheet = sheetFor(QString(QTest::currentDataTag()).section(':', 0, 0));
    play(*sheet, steps);
    QCOMPARE(textsOf(*sheet, expected), expected);
    QCOMPARE(QString::fromStdString(sheet->status()), status);
}

// A write runs the field's reaction, and the writes of that reaction theirs, before
// the writer goes on: the order in which a window sees its fields change.
void TestWorksheets::writesRunDepthFirst()
{
    Cal2Sheet cal2;
    play(cal2, "Text1=100!;Text2=98!;Text5=100!");
    QStringList written;
    cal2.setObserver([&](FieldId field) { written << QString::fromStdString(cal2.name(field)); });
    play(cal2, "Text6=9");
    QCOMPARE(written, QStringList({"Text14", "Text16", "MaskedEdit4", "Text22", "Text18"}));
    play(cal2, "Text6!");
    QCOMPARE(written.mid(5),
             QStringList({"Text14", "Text16", "MaskedEdit4", "Text22", "Text18", "Text8", "MaskedEdit2"}));
}

QTEST_APPLESS_MAIN(TestWorksheets)
#include "test_worksheets.moc"
