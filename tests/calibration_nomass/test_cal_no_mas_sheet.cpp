#include "calibration_nomass/cal_no_mas_sheet.h"
#include "qt_std.h"

namespace {

// Test rows of the worked example, each filled the way the technician does it.
const QStringList test1{"Text1=100", "Text1!", "Text24=17.5", "Text24!"};
const QStringList test2{"Text5=120", "Text5!", "Text25=21", "Text25!"};
const QStringList test3{"Text9=81", "Text9!", "Text26=14.3", "Text26!"};
const QStringList example = test1 + test2 + test3;

} // namespace

class TestCalNoMasSheet : public QObject {
    Q_OBJECT

private slots:
    void stories_data();
    void stories();
};

// Steps: "Text1=100" types the text key by key, as the window passes it on;
// "Text24!" is Enter. Expected: "Text22=43.3328" is one field's text afterwards.
void TestCalNoMasSheet::stories_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("status");

    QTest::newRow("worked example")
        << example
        << QStringList{"Text2=99.05", "Text6=118.86", "Text10=80.938", "Text4=0.950000000000003", "MaskedEdit1=0.0095",
                       "MaskedEdit2=0.0095", "MaskedEdit3=0.0008", "Text13=301", "Text14=298.848", "Text17=100.3333",
                       "Text18=99.616", "MaskedEdit5=0.0071", "MaskedEdit4=0.0071", "Text22=43.3328"}
        << "";
    QTest::newRow("Test 1 alone") << test1
                                  << QStringList{"Text17=100", "Text18=99.05", "MaskedEdit5=0.0095",
                                                 "MaskedEdit4=0.0095", "Text22=43.4356", "MaskedEdit2="}
                                  << "";
    QTest::newRow("Tests 1 and 2") << test1 + test2
                                   << QStringList{"Text8=1.14", "Text14=217.91", "Text17=110", "Text18=108.955",
                                                  "MaskedEdit5=0.0095", "Text22=43.4356", "MaskedEdit3="}
                                   << "";
    QTest::newRow("mass above the scale reading")
        << QStringList{"Text9=79", "Text9!", "Text26=14.3", "Text26!"}
        << QStringList{"Text12=-1.938", "MaskedEdit3=-0.0245", "MaskedEdit1=", "MaskedEdit2="} << "";
    // The display side goes back to Test 1 alone, the scale side still covers all
    // three tests, and the new factor is worked out from that mix.
    QTest::newRow("Enter again in Test 1's gallons")
        << example + QStringList{"Text24!"}
        << QStringList{"Text14=99.05", "Text18=99.05", "Text13=301", "Text17=100.3333", "MaskedEdit4=0.6709",
                       "Text20=1.2833", "MaskedEdit5=0.0128", "Text22=130.7413", "MaskedEdit3=0.0008"}
        << "";
    QTest::newRow("a 1 and a point count as 1")
        << example + QStringList{"Text5=1."}
        << QStringList{"Text13=101", "Text17=50.5", "Text14=298.848", "MaskedEdit4=0.0071", "Text22=43.3328"} << "";
    QTest::newRow("an emptied scale counts as 0")
        << example + QStringList{"Text1="} << QStringList{"Text13=0", "Text17=0", "MaskedEdit5=0.0071"} << "";
    const QStringList newFactors = example + QStringList{"Text3=6", "Text3!", "Text21=50", "Text21!"};
    QTest::newRow("factors changed") << newFactors
                                     << QStringList{"Text2=99.05", "Text10=80.938", "MaskedEdit3=0.0008",
                                                    "Text22=43.3328"}
                                     << "";
    QTest::newRow("factors changed, then Enter in Test 3's gallons")
        << newFactors + QStringList{"Text26!"}
        << QStringList{"Text10=85.8", "Text6=118.86", "Text14=303.71", "MaskedEdit3=-0.0593", "Text22=49.5539"}
        << "";
    // The results that divide by the scale side are not computed, the others are.
    QTest::newRow("gallons before any scale reading")
        << QStringList{"Text24=17.5", "Text24!"}
        << QStringList{"Text2=99.05", "Text16=-99.05", "MaskedEdit4=", "Text20=-99.05", "MaskedEdit5=",
                       "Text22=", "Text4=-99.05", "MaskedEdit1="}
        << "Percent of error of Test 1 not computed: the scale reading of Test 1 is empty.";

    const QStringList kept{"Text2=99.05", "Text14=298.848", "Text4=0.950000000000003", "Text22=43.3328"};
    QTest::newRow("factor emptied") << example + QStringList{"Text3=", "Text24!"} << kept
                                    << "Mass dispensed of Test 1 not computed: the factor Lbs\\GGE is empty.";
    QTest::newRow("factor in letters")
        << example + QStringList{"Text3=abc", "Text25!"} << kept + QStringList{"Text6=118.86"}
        << "Mass dispensed of Test 2 not computed: the factor Lbs\\GGE is not a number.";
    QTest::newRow("gallons not a number")
        << example + QStringList{"Text26=14.3 gal", "Text26!"} << kept + QStringList{"MaskedEdit3=0.0008"}
        << "Mass dispensed of Test 3 not computed: the gallon display reading of Test 3 is not a number.";
    QTest::newRow("gallons beyond the double range")
        << example + QStringList{"Text24=1e400", "Text24!"} << kept
        << "Mass dispensed of Test 1 not computed: the gallon display reading of Test 1 is out of range.";
    QTest::newRow("mass beyond the double range")
        << example + QStringList{"Text3=1e300", "Text24=1e300", "Text24!"} << kept
        << "Mass dispensed of Test 1 not computed: the result would be out of range.";
    // The average display cannot hold the mass: the Enter stops there, before
    // Test 1's difference.
    QTest::newRow("mass beyond the four-decimal range")
        << example + QStringList{"Text24=1e300", "Text24!"}
        << QStringList{"Text2=5.66E+300", "Text18=99.616", "Text4=0.950000000000003", "Text22=43.3328"}
        << "Average display not computed: the result is too large to keep to four decimals.";
    // Key by key, the sum keeps 1e40, the last reading it could take.
    QTest::newRow("scale beyond the double range")
        << example + QStringList{"Text1=1e400"} << kept + QStringList{"Text13=1E+40", "Text17=10000"}
        << "Sum of the scale readings not computed: the scale reading of Test 1 is out of range.";
    QTest::newRow("scale 0") << example + QStringList{"Text1=0", "Text24!"}
                             << QStringList{"Text13=0", "Text4=-99.05", "MaskedEdit1=0.0095", "Text22=0"}
                             << "Percent of error of Test 1 not computed: it would divide by zero.";
}

void TestCalNoMasSheet::stories()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, expected);
    QFETCH(QString, status);
    CalNoMasSheet sheet;
    for (const QString& step : steps) {
        const FieldId field = sheet.find(step.section(QRegularExpression("[=!]"), 0, 0).toStdString());
        const std::string text = step.section('=', 1).toStdString();
        if (step.endsWith('!'))
            sheet.enter(field);
        else if (text.empty())
            sheet.type(field, text);
        for (std::size_t n = 1; n <= text.size(); ++n)
            sheet.type(field, text.substr(0, n));
    }
    for (const QString& item : expected) {
        const FieldId field = sheet.find(item.section('=', 0, 0).toStdString());
        QVERIFY2(field != FieldId(), qPrintable(item));
        QCOMPARE(QString::fromStdString(sheet.text(field)), item.section('=', 1));
    }
    QCOMPARE(QString::fromStdString(sheet.status()), status);
    for (std::size_t i = 0; i < sheet.fieldCount(); ++i) {
        const std::string& text = sheet.text(FieldId(i));
        QVERIFY2(text.find("inf") == std::string::npos && text.find("nan") == std::string::npos, text.c_str());
    }
}

QTEST_APPLESS_MAIN(TestCalNoMasSheet)
#include "test_cal_no_mas_sheet.moc"
