#include "sheet_support.h"
#include "worked_examples.h"

using worked::Window;
Q_DECLARE_METATYPE(worked::Window)

namespace {

void story(Window sheet, const char* tag, const QString& steps, const QString& expected, const QString& status = {})
{
    QTest::newRow(tag) << sheet << steps << expected << status;
}

} // namespace

class TestWorksheets : public QObject {
    Q_OBJECT

private slots:
    void workedExamples();
    void stories_data();
    void stories();
    void writesRunDepthFirst();
};

void TestWorksheets::workedExamples()
{
    for (const worked::Example& example : worked::examples()) {
        const auto sheet = worked::makeSheet(example.window);
        worked::fill(*sheet, example);
        for (const auto& [name, text] : example.held)
            QCOMPARE(name + '=' + sheet->text(sheet->find(name)), name + '=' + text);
        QCOMPARE(sheet->status(), std::string());
    }
}

// Steps as play() takes them; expected as textsOf() gives them. The sheet's own
// rules show in these stories as well: a failing step writes nothing and ends its
// own reaction or Enter, the writer of the field goes on; every write reruns the
// field's reaction, changed or not.
void TestWorksheets::stories_data()
{
    QTest::addColumn<Window>("sheet");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("status");

    const Window rate = Window::FlowRate;
    const QString r = "maximumFlow=10;pulsesPerGallon=1000;density=5.66!;";
    // A computation that goes through clears the status line; events that compute
    // nothing leave it as it was.
    story(rate, "15, 1200, 5.66 after a failure", "density=!;maximumFlow=15;pulsesPerGallon=1200;density=5.66!",
          "frequency=53;rate=14.999");
    story(rate, "12, 1000, 5.66", "maximumFlow=12;pulsesPerGallon=1000;density=5.66!", "frequency=35;rate=11.886");
    story(rate, "28.5 rounds to even", "maximumFlow=28.5;pulsesPerGallon=60;density=1!", "frequency=28;rate=28");
    story(rate, "only Enter in the density computes", r + "maximumFlow=15!;pulsesPerGallon=1200!;frequency=typed over",
          "frequency=typed over;rate=9.8484");
    story(rate, "density empty", r + "density=!;maximumFlow=10;maximumFlow!;pulsesPerGallon@", "frequency=29;rate=9.8484",
          "Pulses per pound not computed: it would divide by zero.");
    story(rate, "flow 0", r + "maximumFlow=0;density!", "frequency=0;rate=9.8484",
          "Frequency ratio not computed: it would divide zero by zero.");
    story(rate, "whole frequency beyond 32 bits", r + "maximumFlow=1000000;pulsesPerGallon=1000000000;density=1!",
          "frequency=29;rate=9.8484",
          "Whole pulse frequency not computed: the pulse frequency is beyond the whole-number range.");
    story(rate, "flow beyond the double range", r + "maximumFlow=1e400;density!", "frequency=29;rate=9.8484",
          "Pulses per minute not computed: the maximum flow rate is out of range.");
    story(rate, "pulses per minute beyond the double range", r + "maximumFlow=1e300;pulsesPerGallon=1e300;density=0.5!",
          "frequency=29", "Pulses per minute not computed: the result would be out of range.");
    story(rate, "10,000-digit paste", r + "pulsesPerGallon=" + QString(10000, '9') + ";density!",
          "frequency=29;rate=9.8484", "Pulses per pound not computed: the pulses per gallon is out of range.");

    const Window temp = Window::Temperature;
    const QString p70 = "p30Pressure=3042.56864;p36Pressure=3805.789248";
    story(temp, "70 when it gets the focus", "temperature@", "celsius=21.1111111111111;" + p70);
    story(temp, "59", "temperature=59!", "celsius=15;p30Pressure=2900.754;p36Pressure=3614.339484");
    story(temp, "freezing", "temperature=32@", "celsius=0;p30Pressure=2552.66352;p36Pressure=3144.417336");
    // Dividing before multiplying, or by 5/9 at once, would end in ...556.
    story(temp, "subtract, multiply, divide", "temperature= 21.1 !",
          "celsius=-6.05555555555555;p30Pressure=2412.138104;p36Pressure=2954.7080244");
    story(temp, "letters", "temperature@;temperature=70 F!", p70,
          "Celsius temperature not computed: the temperature is not a number.");
    story(temp, "1e308 times 5 overflows", "temperature@;temperature=1e308!", "celsius=21.1111111111111;" + p70,
          "Celsius temperature not computed: the temperature is out of range.");
    story(temp, "pressures overflow", "temperature@;temperature=2e307!", "celsius=1.11111111111111E+307;" + p70,
          "P-30 pressure not computed: the temperature is out of range.");

    const Window mass = Window::MassDisplay;
    const QString test1 = "scale1=100!;display1=98!;";
    const QString three = "scale1=100!;display1=99!;scale2=101!;display2=100!;scale3=102!;display3=101!;";
    story(mass, "100 and 98", test1,
          "averageScale=100;averageDisplay=98;percentError1=0.02;sumError=0.02;newFactor=50.0235");
    story(mass, "three tests", three, "averageScale=101;averageDisplay=100;percentError3=0.0098;sumError=0.0099;"
                                      "newFactor=49.5132");
    story(mass, "Test 2 with Test 1 empty", "scale2=101", "scaleSum=101;averageScale=50.5");
    story(mass, "Test 1 retyped narrows its column", three + "scale1=200!",
          "averageScale=200;sumError=0.0099;newFactor=49.5132");
    // Failures stop their own reaction only: the display's goes on to its average.
    story(mass, "display before any scale", "display1=98", "averageDisplay=98;sumError=;newFactor=",
          "New flow calibration factor not computed: no scale reading has been typed yet.");
    story(mass, "existing factor alone recomputes nothing", test1 + "existingFactor=50!", "newFactor=50.0235");
    story(mass, "existing factor emptied", test1 + "existingFactor=;display1=97", "newFactor=50.0235;averageDisplay=97",
          "New flow calibration factor not computed: the existing flow calibration factor is empty.");
    // The difference is written "2" again, and its percent still follows the new scale.
    story(mass, "unchanged difference, new scale", test1 + "scale1=200!;display1=198!",
          "difference1=2;percentError1=0.01");
    story(mass, "display left without Enter", test1 + "display1=99", "difference1=2;percentError1=0.02;sumError=0.01");
    story(mass, "display reads high", "scale1=100!;display1=101!", "percentError1=-0.01;newFactor=48.5376");
    story(mass, "quotient of the sums first", "scale1=91!;display1=93.6", "newFactor=47.6613");
    story(mass, "1.2345 percent", "scale1=100!;display1=98.7655!", "difference1=1.2345;percentError1=0.0123");
    story(mass, "100 kg", "scale1=100 kg!;display1=98!", "averageScale=100;percentError1=;newFactor=50.0235",
          "Percent of error of Test 1 not computed: the scale reading of Test 1 is not a number.");
    story(mass, "scale 0", "scale1=0!;display1=98!", "percentError1=;sumError=;newFactor=0;averageDisplay=98",
          "Percent of error of Test 1 not computed: the scale reading of Test 1 is zero.");
    story(mass, "1e400 typed key by key", "scale1=1e400", "scaleSum=1E+40;averageScale=10000",
          "Scale sum not computed: the scale reading of Test 1 is out of range.");
    story(mass, "first test first", "display1=0.1;display2=1e16;display3=-1e16", "displaySum=0",
          "New flow calibration factor not computed: no scale reading has been typed yet.");
    story(mass, "Enter ends at a sum it cannot form", "display1=1e400;scale2=100;display2=98!",
          "difference2=;percentError2=", "Display sum not computed: the display reading of Test 1 is out of range.");

    const Window noMass = Window::NoMassDisplay;
    const QString t1 = "scale1=100!;gallons1=17.5!;";
    const QString example = t1 + "scale2=120!;gallons2=21!;scale3=81!;gallons3=14.3!;";
    story(noMass, "Test 1 alone", t1, "averageScale=100;averageDisplay=99.05;averageError=0.0095;sumError=0.0095;"
                                      "newFactor=43.4356;percentError2=");
    story(noMass, "Tests 1 and 2", t1 + "scale2=120!;gallons2=21!",
          "difference2=1.14;averageScale=110;averageDisplay=108.955;averageError=0.0095;percentError3=");
    story(noMass, "mass above the scale reading", "scale3=79!;gallons3=14.3!", "difference3=-1.938;percentError3=-0.0245");
    // The display side goes back to Test 1 alone while the scale side still covers
    // all three tests; the new factor is worked out from that mix.
    story(noMass, "Enter again in Test 1's gallons", example + "gallons1!",
          "averageDisplay=99.05;averageScale=100.3333;sumError=0.6709;averageError=0.0128;newFactor=130.7413;"
          "percentError3=0.0008");
    story(noMass, "1. counts as 1", example + "scale2=1.", "scaleSum=101;averageScale=50.5;sumError=0.0071;"
                                                         "newFactor=43.3328");
    story(noMass, "new factors wait for the next Enter", example + "lbsPerGge=6!;existingFactor=50!",
          "display1=99.05;display3=80.938;newFactor=43.3328");
    story(noMass, "...in a gallon field", example + "lbsPerGge=6!;existingFactor=50!;gallons3!",
          "display3=85.8;display2=118.86;displaySum=303.71;percentError3=-0.0593;newFactor=49.5539");
    // A sum of three masses adds the last test first; the other worksheet, the first.
    story(noMass, "last test first", "display1=0.1;display2=1e16;display3=-1e16", "displaySum=0.1",
          "Percent of error of Test 3 not computed: the scale reading of Test 3 is empty.");
    story(noMass, "factor in letters", example + "lbsPerGge=abc;gallons2!", "display2=118.86;newFactor=43.3328",
          "Mass dispensed of Test 2 not computed: the factor Lbs\\GGE is not a number.");
    // The average display cannot hold the mass: the Enter stops there, before Test 1's difference.
    story(noMass, "mass beyond four decimals", example + "gallons1=1e300!",
          "display1=5.66E+300;averageDisplay=99.616;difference1=0.950000000000003;newFactor=43.3328",
          "Average display not computed: the result is too large to keep to four decimals.");
}

void TestWorksheets::stories()
{
    QFETCH(Window, sheet);
    QFETCH(QString, steps);
    QFETCH(QString, expected);
    QFETCH(QString, status);
    const auto played = worked::makeSheet(sheet);
    play(*played, steps);
    QCOMPARE(textsOf(*played, expected), expected);
    QCOMPARE(QString::fromStdString(played->status()), status);
}

// A write runs the field's reaction, and the writes of that reaction theirs, before
// the writer goes on: the order in which a window sees its fields change.
void TestWorksheets::writesRunDepthFirst()
{
    CalibrationMassSheet sheet;
    play(sheet, "scale1=100!;display1=98!;scale2=100!");
    QStringList written;
    sheet.setObserver([&](FieldId field) { written << QString::fromStdString(sheet.name(field)); });
    play(sheet, "display2=9");
    const QStringList change{"displaySum", "sumDifference", "sumError", "newFactor", "averageDisplay"};
    QCOMPARE(written, change);
    play(sheet, "display2!");
    QCOMPARE(written.mid(5), change + QStringList({"difference2", "percentError2"}));
}

QTEST_APPLESS_MAIN(TestWorksheets)
#include "test_worksheets.moc"
