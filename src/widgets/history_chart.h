#pragma once

// A dispenser's calibrations over time: a plot of the average error as found and as
// left against the tolerance band, with the factor left in the dispenser on a second
// axis, and beside it the same numbers as a table, which is what a screen reader
// reads.

#include <QDate>
#include <QString>
#include <QWidget>

#include <optional>
#include <vector>

// One calibration of the dispenser, as the plot and the table show it.
struct HistoryPoint {
    QDate tested;                   // the day its tests were typed
    std::optional<double> asFound;  // average error in percent, as found
    std::optional<double> asLeft;   // average error in percent, as left (none when left as found)
    std::optional<double> factor;   // the flow calibration factor left in the dispenser
    // As the table shows them ("-0.660 %", "0.9871"); the plot uses the numbers above.
    QString asFoundText, asLeftText, factorText;
};

class HistoryChart : public QWidget {
    Q_OBJECT

public:
    // points in any order (the chart sorts them by date, oldest left); the band is
    // +/- maintenance (and the inner lines +/- acceptance) in percent, each absent
    // when not set.
    HistoryChart(std::vector<HistoryPoint> points, std::optional<double> acceptance, std::optional<double> maintenance,
                 QWidget* parent = nullptr);
};
