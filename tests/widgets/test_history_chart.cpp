// A dispenser's calibrations over time: the table beside the plot reads them newest
// first with the texts given, and the plot draws whatever it is given, none or one.
#include "widgets/history_chart.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QtTest>

namespace {

HistoryPoint calibration(QDate tested, std::optional<double> asFound, std::optional<double> asLeft,
                         std::optional<double> factor)
{
    const auto text = [](std::optional<double> value, int decimals, const QString& unit) {
        return value ? QString::number(*value, 'f', decimals) + unit : QString();
    };
    return {tested,
            asFound,
            asLeft,
            factor,
            text(asFound, 3, QStringLiteral(" %")),
            text(asLeft, 3, QStringLiteral(" %")),
            text(factor, 4, QString())};
}

QStringList rows(const QTableWidget& table)
{
    QStringList rows;
    for (int row = 0; row < table.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < table.columnCount(); ++column)
            cells << (table.item(row, column) ? table.item(row, column)->text() : QString());
        rows << cells.join(u'|');
    }
    return rows;
}

// The plot as it shows on the screen.
QImage plotOf(HistoryChart& chart)
{
    chart.resize(chart.sizeHint());
    chart.show();
    if (!QTest::qWaitForWindowExposed(&chart))
        return {};
    const QWidget* plot = chart.findChild<QWidget*>(QStringLiteral("plot"));
    return plot ? chart.grab(plot->geometry()).toImage() : QImage();
}

bool uniform(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != image.pixel(0, 0))
                return false;
        }
    }
    return true;
}

}  // namespace

class TestHistoryChart : public QObject {
    Q_OBJECT

private slots:
    void tableReadsNewestFirstBesideThePlot();
    void noneOrOneCalibrationIsDrawn();
};

void TestHistoryChart::tableReadsNewestFirstBesideThePlot()
{
    // Given out of order; the newest as found beyond the band, the middle one left as found.
    HistoryChart chart({calibration(QDate(2024, 2, 10), -0.66, std::nullopt, 0.9871),
                        calibration(QDate(2025, 3, 4), -2.1, -0.2, 1.0112),
                        calibration(QDate(2023, 1, 5), 0.3, 0.1, 0.9905)},
                       0.7, 1.5);
    const QImage plot = plotOf(chart);
    QVERIFY(!plot.isNull());
    QVERIFY(!uniform(plot));

    const auto* table = chart.findChild<QTableWidget*>(QStringLiteral("historyTable"));
    QVERIFY(table);
    QStringList headers;
    for (int column = 0; column < table->columnCount(); ++column)
        headers << table->horizontalHeaderItem(column)->text();
    QCOMPARE(headers, QStringList({"Tested", "As found", "As left", "Factor"}));
    QCOMPARE(rows(*table), QStringList({"2025-03-04|-2.100 %|-0.200 %|1.0112", "2024-02-10|-0.660 %||0.9871",
                                        "2023-01-05|0.300 %|0.100 %|0.9905"}));
    QVERIFY(chart.findChild<QWidget*>(QStringLiteral("plot"))->geometry().right() < table->geometry().left());
}

void TestHistoryChart::noneOrOneCalibrationIsDrawn()
{
    HistoryChart none({}, 0.7, 1.5);
    const QImage saidSo = plotOf(none);
    QVERIFY(!saidSo.isNull());
    QVERIFY(!uniform(saidSo));  // the plot says no calibrations are kept
    QCOMPARE(none.findChild<QTableWidget*>()->rowCount(), 0);

    // One date, one error of nothing and one factor, no band: the scales have nothing
    // to span, yet the mark of the error shows, which is all that tells them apart.
    const QDate day(2024, 5, 6);
    HistoryChart one({calibration(day, 0.0, std::nullopt, 1.0)}, std::nullopt, std::nullopt);
    HistoryChart unmarked({calibration(day, std::nullopt, std::nullopt, 1.0)}, std::nullopt, std::nullopt);
    const QImage marked = plotOf(one);
    QVERIFY(!marked.isNull());
    QVERIFY(marked != plotOf(unmarked));
}

QTEST_MAIN(TestHistoryChart)
#include "test_history_chart.moc"
