// A dispenser's calibrations over time: the table beside the plot reads them newest
// first with the texts given, and the plot draws whatever it is given, none or one.
#include "widgets/history_chart.h"

#include <QTableWidget>
#include <QtTest>

class TestHistoryChart : public QObject {
    Q_OBJECT

private slots:
    void tableReadsNewestFirstBesideThePlot();
};

void TestHistoryChart::tableReadsNewestFirstBesideThePlot()
{
    const auto rowsOf = [](std::vector<HistoryPoint> points) {
        HistoryChart chart(std::move(points), 0.7, 1.5);
        chart.show();
        // Drawn on the screen, left of the table; nothing to span or nothing at all
        // divides by no zero.
        const QWidget* plot = chart.findChild<QWidget*>(QStringLiteral("plot"));
        const auto* table = chart.findChild<QTableWidget*>(QStringLiteral("historyTable"));
        if (!QTest::qWaitForWindowExposed(&chart) || chart.grab(plot->geometry()).isNull()
            || plot->geometry().right() >= table->geometry().left())
            return QStringList{"not drawn"};
        QStringList rows;
        for (int row = 0; row < table->rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < table->columnCount(); ++column)
                cells << (table->item(row, column) ? table->item(row, column)->text() : QString());
            rows << cells.join(u'|');
        }
        return rows;
    };
    // Given out of order; the newest as found beyond the band, the middle one left as found.
    QCOMPARE(rowsOf({{QDate(2024, 2, 10), -0.66, std::nullopt, 0.9871, "-0.660 %", "", "0.9871"},
                     {QDate(2025, 3, 4), -2.1, -0.2, 1.0112, "-2.100 %", "-0.200 %", "1.0112"},
                     {QDate(2023, 1, 5), 0.3, 0.1, 0.9905, "0.300 %", "0.100 %", "0.9905"}}),
             QStringList({"2025-03-04|-2.100 %|-0.200 %|1.0112", "2024-02-10|-0.660 %||0.9871",
                          "2023-01-05|0.300 %|0.100 %|0.9905"}));
    QCOMPARE(rowsOf({}), QStringList());
    QCOMPARE(rowsOf({{QDate(2024, 5, 6), 0.0, std::nullopt, 1.0, "0.000 %", "", "1.0000"}}),
             QStringList({"2024-05-06|0.000 %||1.0000"}));
}

QTEST_MAIN(TestHistoryChart)
#include "test_history_chart.moc"
