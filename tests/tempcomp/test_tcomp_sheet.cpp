#include "qt_std.h"
#include "tempcomp/tcomp_sheet.h"

class TestTcompSheet : public QObject {
    Q_OBJECT

private slots:
    void computes_data();
    void computes();
    void badTemperature_data();
    void badTemperature();
};

void TestTcompSheet::computes_data()
{
    QTest::addColumn<std::string>("fahrenheit");
    QTest::addColumn<std::string>("celsius");
    QTest::addColumn<std::string>("p30");
    QTest::addColumn<std::string>("p36");
    QTest::newRow("design 70") << std::string("70") << std::string("21.1111111111111")
                               << std::string("3042.56864") << std::string("3805.789248");
    QTest::newRow("59") << std::string("59") << std::string("15") << std::string("2900.754")
                        << std::string("3614.339484");
    QTest::newRow("freezing") << std::string("32") << std::string("0") << std::string("2552.66352")
                              << std::string("3144.417336");
    QTest::newRow("-40") << std::string("-40") << std::string("-40") << std::string("1624.42224")
                         << std::string("1891.291608");
    // Dividing before multiplying, or by 5/9 at once, would end in ...556.
    QTest::newRow("subtract, multiply, divide") << std::string(" 21.1 ") << std::string("-6.05555555555555")
                                                << std::string("2412.138104") << std::string("2954.7080244");
}

// The window's first activation focuses Text1; Enter and every later visit compute
// the same way.
void TestTcompSheet::computes()
{
    QFETCH(std::string, fahrenheit);
    QFETCH(std::string, celsius);
    QFETCH(std::string, p30);
    QFETCH(std::string, p36);
    for (bool byEnter : {false, true}) {
        TcompSheet sheet;
        sheet.type(sheet.Text1, fahrenheit);
        byEnter ? sheet.enter(sheet.Text1) : sheet.focus(sheet.Text1);
        QCOMPARE(sheet.text(sheet.Text2), celsius);
        QCOMPARE(sheet.text(sheet.MaskedEdit3), p30);
        QCOMPARE(sheet.text(sheet.MaskedEdit4), p36);
        QCOMPARE(sheet.status(), std::string());
    }
}

void TestTcompSheet::badTemperature_data()
{
    QTest::addColumn<std::string>("typed");
    QTest::addColumn<std::string>("celsius");
    QTest::addColumn<std::string>("status");
    const std::string before = "21.1111111111111";
    QTest::newRow("empty") << std::string() << before
                           << std::string("Celsius temperature not computed: the temperature is empty.");
    for (const char* typed : {"abc", "-", "12abc", "70 F"})
        QTest::newRow(typed) << std::string(typed) << before
                             << std::string("Celsius temperature not computed: the temperature is not a number.");
    QTest::newRow("beyond the double range")
        << std::string("1e400") << before
        << std::string("Celsius temperature not computed: the temperature is out of range.");
    for (const char* typed : {"1e308", "-1e308"})  // times 5 overflows
        QTest::newRow(typed) << std::string(typed) << before
                             << std::string("Celsius temperature not computed: the temperature is out of range.");
    // The Celsius text is a number, yet the pressures overflow; both keep their values.
    QTest::newRow("pressure overflows") << std::string("2e307") << std::string("1.11111111111111E+307")
                                        << std::string("P-30 pressure not computed: the temperature is out of range.");
}

void TestTcompSheet::badTemperature()
{
    QFETCH(std::string, typed);
    QFETCH(std::string, celsius);
    QFETCH(std::string, status);
    TcompSheet sheet;
    sheet.focus(sheet.Text1);
    sheet.type(sheet.Text1, typed);
    sheet.enter(sheet.Text1);
    QCOMPARE(sheet.text(sheet.Text1), typed);
    QCOMPARE(sheet.text(sheet.Text2), celsius);
    QCOMPARE(sheet.text(sheet.MaskedEdit3), std::string("3042.56864"));
    QCOMPARE(sheet.text(sheet.MaskedEdit4), std::string("3805.789248"));
    QCOMPARE(sheet.status(), status);
    sheet.type(sheet.Text1, "59");
    sheet.enter(sheet.Text1);
    QCOMPARE(sheet.text(sheet.MaskedEdit3), std::string("2900.754"));
    QCOMPARE(sheet.status(), std::string());
}

QTEST_APPLESS_MAIN(TestTcompSheet)
#include "test_tcomp_sheet.moc"
