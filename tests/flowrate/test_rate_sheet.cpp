#include "flowrate/rate_sheet.h"
#include "qt_std.h"

namespace {

void typeIn(RateSheet& sheet, const std::string& mrate, const std::string& ppg, const std::string& lbs)
{
    sheet.type(sheet.texMrate, mrate);
    sheet.type(sheet.texPpg, ppg);
    sheet.type(sheet.texLbs, lbs);
}

} // namespace

class TestRateSheet : public QObject {
    Q_OBJECT

private slots:
    void workedExamples_data();
    void workedExamples();
    void workValuesKeepTheirTextForm();
    void typingComputesNothing();
    void failures_data();
    void failures();
};

void TestRateSheet::workedExamples_data()
{
    QTest::addColumn<std::string>("mrate");
    QTest::addColumn<std::string>("ppg");
    QTest::addColumn<std::string>("lbs");
    QTest::addColumn<std::string>("hz");
    QTest::addColumn<std::string>("rate");

    QTest::newRow("10, 1000, 5.66") << std::string("10") << std::string("1000") << std::string("5.66")
                                    << std::string("29") << std::string("9.8484");
    QTest::newRow("trailing zero of the rate dropped")
        << std::string("15") << std::string("1200") << std::string("5.66") << std::string("53")
        << std::string("14.999");
    QTest::newRow("12, 1000, 5.66") << std::string("12") << std::string("1000") << std::string("5.66")
                                    << std::string("35") << std::string("11.886");
    QTest::newRow("29.5 rounds to even 30") << std::string("29.5") << std::string("60") << std::string("1")
                                            << std::string("30") << std::string("30");
    QTest::newRow("28.5 rounds to even 28") << std::string("28.5") << std::string("60") << std::string("1")
                                            << std::string("28") << std::string("28");
    QTest::newRow("lenient readings") << std::string(" 1 0 lb") << std::string("1000 pulses")
                                      << std::string("5.66abc") << std::string("29") << std::string("9.8484");
    QTest::newRow("at most a half per second shows 0")
        << std::string("0.001") << std::string("1") << std::string("5.66") << std::string("0") << std::string("0");
}

void TestRateSheet::workedExamples()
{
    QFETCH(std::string, mrate);
    QFETCH(std::string, ppg);
    QFETCH(std::string, lbs);
    QFETCH(std::string, hz);
    QFETCH(std::string, rate);
    RateSheet sheet;
    typeIn(sheet, mrate, ppg, lbs);
    sheet.enter(sheet.texLbs);
    QCOMPARE(sheet.text(sheet.texHz), hz);
    QCOMPARE(sheet.text(sheet.texRate), rate);
    QCOMPARE(sheet.status(), std::string());
}

void TestRateSheet::workValuesKeepTheirTextForm()
{
    RateSheet sheet;
    typeIn(sheet, "10", "1000", "5.66");
    sheet.enter(sheet.texLbs);
    QCOMPARE(sheet.text(sheet.texPlb), std::string("176.678445229682"));
    QCOMPARE(sheet.text(sheet.texPpm), std::string("1766.78445229682"));
    QCOMPARE(sheet.text(sheet.texH), std::string("29.4464075382803"));
    QCOMPARE(sheet.text(sheet.texDiv), std::string("29"));
    QCOMPARE(sheet.text(sheet.texRet), std::string("0.984840000000001"));
}

void TestRateSheet::typingComputesNothing()
{
    RateSheet sheet;
    typeIn(sheet, "10", "1000", "5.66");
    sheet.enter(sheet.texLbs);
    typeIn(sheet, "15", "1200", "6");
    sheet.enter(sheet.texMrate);
    sheet.enter(sheet.texPpg);
    sheet.type(sheet.texHz, "typed over");
    QCOMPARE(sheet.text(sheet.texHz), std::string("typed over"));
    QCOMPARE(sheet.text(sheet.texRate), std::string("9.8484"));
}

// Each row starts from the worked example's results (29 and 9.8484), then Enter in
// the density field with the given inputs.
void TestRateSheet::failures_data()
{
    QTest::addColumn<std::string>("mrate");
    QTest::addColumn<std::string>("ppg");
    QTest::addColumn<std::string>("lbs");
    QTest::addColumn<std::string>("hz");
    QTest::addColumn<std::string>("rate");
    QTest::addColumn<QString>("status");

    QTest::newRow("density empty") << std::string("10") << std::string("1000") << std::string("") << std::string("29")
                                   << std::string("9.8484") << QString("Pulses per pound not computed: it would divide by zero.");
    QTest::newRow("density 0") << std::string("10") << std::string("1000") << std::string("0") << std::string("29")
                               << std::string("9.8484") << QString("Pulses per pound not computed");
    QTest::newRow("density letters") << std::string("10") << std::string("1000") << std::string("abc")
                                     << std::string("29") << std::string("9.8484") << QString("Pulses per pound");
    QTest::newRow("density a lone minus") << std::string("10") << std::string("1000") << std::string("-")
                                          << std::string("29") << std::string("9.8484") << QString("Pulses per pound");
    QTest::newRow("flow 0: zero by zero at the ratio")
        << std::string("0") << std::string("1000") << std::string("5.66") << std::string("0") << std::string("9.8484")
        << QString("Frequency ratio not computed: it would divide zero by zero.");
    QTest::newRow("pulses empty") << std::string("10") << std::string("") << std::string("5.66") << std::string("0")
                                  << std::string("9.8484") << QString("Frequency ratio not computed");
    QTest::newRow("whole frequency beyond 32 bits")
        << std::string("1000000") << std::string("1000000000") << std::string("1") << std::string("29")
        << std::string("9.8484")
        << QString("Whole pulse frequency not computed: the pulse frequency is beyond the whole-number range.");
    QTest::newRow("flow beyond the double range")
        << std::string("1e400") << std::string("1000") << std::string("5.66") << std::string("29")
        << std::string("9.8484") << QString("Pulses per minute not computed: the maximum flow rate is out of range.");
    QTest::newRow("pulses per minute beyond the double range")
        << std::string("1e300") << std::string("1e300") << std::string("0.5") << std::string("29")
        << std::string("9.8484") << QString("Pulses per minute not computed: the result would be out of range.");
    QTest::newRow("10,000-digit paste")
        << std::string("10") << std::string(10000, '9') << std::string("5.66") << std::string("29")
        << std::string("9.8484") << QString("Pulses per pound not computed: the pulses per gallon is out of range.");
}

void TestRateSheet::failures()
{
    QFETCH(std::string, mrate);
    QFETCH(std::string, ppg);
    QFETCH(std::string, lbs);
    QFETCH(std::string, hz);
    QFETCH(std::string, rate);
    QFETCH(QString, status);
    RateSheet sheet;
    typeIn(sheet, "10", "1000", "5.66");
    sheet.enter(sheet.texLbs);
    typeIn(sheet, mrate, ppg, lbs);
    sheet.enter(sheet.texLbs);
    QCOMPARE(sheet.text(sheet.texHz), hz);
    QCOMPARE(sheet.text(sheet.texRate), rate);
    QVERIFY2(QString::fromStdString(sheet.status()).startsWith(status), sheet.status().c_str());
    for (std::size_t i = 0; i < sheet.fieldCount(); ++i) {
        const std::string& text = sheet.text(FieldId(i));
        QVERIFY2(text.find("inf") == std::string::npos && text.find("nan") == std::string::npos, text.c_str());
    }
    // The sheet keeps working: the worked example still computes.
    typeIn(sheet, "10", "1000", "5.66");
    sheet.enter(sheet.texLbs);
    QCOMPARE(sheet.text(sheet.texRate), std::string("9.8484"));
    QCOMPARE(sheet.status(), std::string());
}

QTEST_APPLESS_MAIN(TestRateSheet)
#include "test_rate_sheet.moc"
