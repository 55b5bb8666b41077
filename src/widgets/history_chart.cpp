#include "widgets/history_chart.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QTableWidget>

#include <algorithm>
#include <cmath>

namespace {

enum class Mark { Circle, Square, Triangle, Band, Dashed };

// The three series, told apart by their marks as well as by colours most eyes that
// confuse red and green still tell apart; drawn last to first, so the errors lie
// over the factor.
struct Series {
    const char* name;
    std::optional<double> HistoryPoint::*value;
    Mark mark;
    QColor colour;
    qreal lineWidth;
    bool onFactorAxis;
};
const Series kSeries[] = {
    {"As found", &HistoryPoint::asFound, Mark::Circle, QColor(213, 94, 0), 2, false},
    {"As left", &HistoryPoint::asLeft, Mark::Square, QColor(0, 114, 178), 2, false},
    {"Factor (right axis)", &HistoryPoint::factor, Mark::Triangle, QColor(0, 140, 100), 1, true},
};

std::optional<double> finite(std::optional<double> value)
{
    return value && std::isfinite(*value) ? value : std::nullopt;
}

// An axis from low to high in steps of 1, 2 or 5 times a power of ten.
struct Scale {
    double low = 0;
    double high = 1;
    double step = 1;
    int decimals = 0;

    std::vector<double> ticks() const
    {
        std::vector<double> at;
        const double steps = std::round((high - low) / step);
        for (int i = 0; std::isfinite(steps) && i <= std::min(steps, 100.0); ++i) {
            const double value = low + i * step;
            at.push_back(std::abs(value) < step * 1e-6 ? 0.0 : value);  // "0.0", never "-0.0"
        }
        return at;
    }
    QString label(double value) const { return QString::number(value, 'f', decimals); }
};

// The scale for values from low to high with a margin around them, about `ticks`
// steps long; values closer together than `narrowest` (one value, or all alike)
// are shown across that much.
Scale fitted(double low, double high, int ticks, double narrowest)
{
    if (!(high - low >= narrowest)) {
        const double middle = (low + high) / 2;
        low = middle - narrowest / 2;
        high = middle + narrowest / 2;
    }
    const double margin = (high - low) * 0.08;
    low -= margin;
    high += margin;
    const double rough = (high - low) / std::max(ticks, 1);
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = 10 * power;
    for (double times : {1.0, 2.0, 5.0}) {
        if (times * power >= rough) {
            step = times * power;
            break;
        }
    }
    return {std::floor(low / step) * step, std::ceil(high / step) * step, step,
            std::max(0, -int(std::floor(std::log10(step) + 1e-9)))};
}

// Circles hollow, so that a factor's triangle drawn at the same place shows through.
void drawMark(QPainter& painter, Mark mark, QPointF at, qreal radius, const QColor& colour)
{
    painter.setPen(QPen(colour, 1.5));
    painter.setBrush(mark == Mark::Circle ? QBrush() : QBrush(colour));
    switch (mark) {
    case Mark::Circle: painter.drawEllipse(at, radius, radius); break;
    case Mark::Square: {
        const qreal half = radius * 0.9;
        painter.drawRect(QRectF(at.x() - half, at.y() - half, 2 * half, 2 * half));
        break;
    }
    case Mark::Triangle:
        painter.drawPolygon(QPolygonF(
            {at + QPointF(0, -1.1 * radius), at + QPointF(radius, 0.8 * radius), at + QPointF(-radius, 0.8 * radius)}));
        break;
    default: break;
    }
}

// The plot of the calibrations, oldest left; a screen reader reads the table beside it.
class HistoryPlot : public QWidget {
public:
    HistoryPlot(std::vector<HistoryPoint> points, std::optional<double> acceptance, std::optional<double> maintenance,
                QWidget* parent)
        : QWidget(parent),
          m_points(std::move(points)),
          m_acceptance(finite(acceptance)),
          m_maintenance(finite(maintenance))
    {
        setObjectName(QStringLiteral("plot"));
        setAccessibleName(QStringLiteral("Plot of the average error as found and as left, and of the factor, by date"));
        setAccessibleDescription(QStringLiteral("The same numbers are in the table beside it, Calibrations by date."));
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        // A calibration without a date has no place on the plot; the table still lists it.
        std::erase_if(m_points, [](const HistoryPoint& point) { return !point.tested.isValid(); });
    }

    // About 360 by 220 pixels at the usual font: five dates across, sixteen lines high.
    QSize minimumSizeHint() const override
    {
        return QSize(5 * fontMetrics().horizontalAdvance(QStringLiteral("0000-00-00")),
                     16 * fontMetrics().lineSpacing());
    }
    QSize sizeHint() const override { return minimumSizeHint() * 3 / 2; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    struct LegendEntry {
        QString text;
        Mark mark;
        const Series* series;  // none for the band and the acceptance lines
        QRect place;
    };
    std::vector<LegendEntry> legend(int width) const;

    std::vector<HistoryPoint> m_points;
    std::optional<double> m_acceptance;
    std::optional<double> m_maintenance;
};

// The legend's entries, in rows as many as the width needs, their places from the
// top left of the legend.
std::vector<HistoryPlot::LegendEntry> HistoryPlot::legend(int width) const
{
    std::vector<LegendEntry> entries;
    for (const Series& series : kSeries)
        entries.push_back({QString::fromLatin1(series.name), series.mark, &series, {}});
    if (m_maintenance)
        entries.push_back({QStringLiteral("Maintenance tolerance \u00b1%1 %").arg(std::abs(*m_maintenance)),
                           Mark::Band,
                           nullptr,
                           {}});
    if (m_acceptance)
        entries.push_back({QStringLiteral("Acceptance tolerance \u00b1%1 %").arg(std::abs(*m_acceptance)),
                           Mark::Dashed,
                           nullptr,
                           {}});
    const QFontMetrics metrics = fontMetrics();
    const int gap = metrics.averageCharWidth();
    QPoint next(0, 0);
    for (LegendEntry& entry : entries) {
        const int entryWidth = 2 * metrics.height() + gap + metrics.horizontalAdvance(entry.text);
        if (next.x() > 0 && next.x() + entryWidth > width)
            next = QPoint(0, next.y() + metrics.lineSpacing());
        entry.place = QRect(next, QSize(entryWidth, metrics.lineSpacing()));
        next.rx() += entryWidth + 2 * gap;
    }
    return entries;
}

void HistoryPlot::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor text = palette().color(QPalette::Text);
    const auto faint = [&](int alpha) {
        QColor colour = text;
        colour.setAlpha(alpha);
        return colour;
    };
    painter.fillRect(rect(), palette().color(QPalette::Base));
    const QFontMetrics metrics = fontMetrics();
    const int line = metrics.lineSpacing();
    const int gap = metrics.averageCharWidth();
    const int tick = std::max(3, gap / 2);
    painter.setPen(text);
    if (m_points.empty()) {
        painter.drawText(rect().adjusted(gap, gap, -gap, -gap), Qt::AlignCenter | Qt::TextWordWrap,
                         QStringLiteral("No calibrations of this dispenser are kept."));
        return;
    }

    // Axis titles at the top, then the plot, the dates under it and the legend at the bottom.
    std::vector<LegendEntry> entries = legend(width() - 2 * gap);
    const int legendTop = height() - gap / 2 - (entries.back().place.bottom() + 1);
    const int top = gap / 2 + line + line / 2;
    const int bottom = legendTop - gap / 2 - line - line / 2;  // the dates clear of the lowest ticks' labels

    // The error axis holds the errors, no error at all and the band; the factor axis
    // is there when some factor is.
    double lowError = 0;
    double highError = 0;
    std::optional<double> lowFactor;
    std::optional<double> highFactor;
    for (const HistoryPoint& point : m_points) {
        for (std::optional<double> error : {finite(point.asFound), finite(point.asLeft)}) {
            if (error) {
                lowError = std::min(lowError, *error);
                highError = std::max(highError, *error);
            }
        }
        if (const std::optional<double> factor = finite(point.factor)) {
            lowFactor = std::min(lowFactor.value_or(*factor), *factor);
            highFactor = std::max(highFactor.value_or(*factor), *factor);
        }
    }
    for (std::optional<double> tolerance : {m_maintenance, m_acceptance}) {
        if (tolerance) {
            lowError = std::min(lowError, -std::abs(*tolerance));
            highError = std::max(highError, std::abs(*tolerance));
        }
    }
    const int ticks = std::clamp((bottom - top) / (2 * line), 2, 8);
    const Scale errors = fitted(lowError, highError, ticks, 0.5);
    const std::optional<Scale> factors = lowFactor ? std::optional(fitted(*lowFactor, *highFactor, ticks, 0.002))
                                                   : std::nullopt;
    const auto widest = [&](const std::optional<Scale>& scale) {
        int widest = 0;
        for (double value : scale ? scale->ticks() : std::vector<double>())
            widest = std::max(widest, metrics.horizontalAdvance(scale->label(value)));
        return widest;
    };
    const int left = gap / 2 + widest(errors) + gap / 2 + tick;
    const int right = width() - (factors ? tick + gap / 2 + widest(factors) + gap / 2 : gap);
    const QRectF area(QPointF(left, top), QPointF(right, bottom));
    const auto y = [&](const Scale& scale, double value) {
        return area.bottom() - (value - scale.low) / (scale.high - scale.low) * area.height();
    };

    // The band and the acceptance lines, under the grid and the series.
    if (m_maintenance) {
        const double band = std::abs(*m_maintenance);
        painter.fillRect(QRectF(QPointF(area.left(), y(errors, band)), QPointF(area.right(), y(errors, -band))),
                         faint(36));
    }
    if (m_acceptance) {
        painter.setPen(QPen(text, 1, Qt::DashLine));
        for (double edge : {std::abs(*m_acceptance), -std::abs(*m_acceptance)})
            painter.drawLine(QLineF(area.left(), y(errors, edge), area.right(), y(errors, edge)));
    }
    for (double value : errors.ticks()) {
        const double at = y(errors, value);
        painter.setPen(faint(value == 0 ? 110 : 30));
        painter.drawLine(QLineF(area.left(), at, area.right(), at));
        painter.setPen(text);
        painter.drawLine(QLineF(area.left() - tick, at, area.left(), at));
        painter.drawText(QRectF(gap / 2, at - line / 2.0, area.left() - tick - gap, line),
                         Qt::AlignRight | Qt::AlignVCenter, errors.label(value));
    }
    painter.setPen(text);
    painter.drawText(QRectF(gap / 2, gap / 2, width() / 2, line), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Average error, %"));
    if (factors) {
        for (double value : factors->ticks()) {
            const double at = y(*factors, value);
            painter.drawLine(QLineF(area.right(), at, area.right() + tick, at));
            painter.drawText(QRectF(area.right() + tick + gap / 2, at - line / 2.0, width(), line),
                             Qt::AlignLeft | Qt::AlignVCenter, factors->label(value));
        }
        painter.drawText(QRectF(width() / 2, gap / 2, width() / 2 - gap / 2, line), Qt::AlignRight | Qt::AlignVCenter,
                         QStringLiteral("Factor"));
    }
    painter.setPen(faint(140));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area);

    // Dates across, the first and the last under their calibrations and more between
    // as the width has room for, kept clear of the marks at the ends.
    const qreal radius = std::max(3.0, metrics.height() / 4.0);
    const QRectF dates = area.adjusted(2 * radius + gap, 0, -(2 * radius + gap), 0);
    const qint64 first = m_points.front().tested.toJulianDay();
    const qint64 days = m_points.back().tested.toJulianDay() - first;
    const auto x = [&](const QDate& date) {
        return days == 0 ? dates.center().x()
                         : dates.left() + double(date.toJulianDay() - first) / days * dates.width();
    };
    const int dateWidth = metrics.horizontalAdvance(QStringLiteral("0000-00-00"));
    const int labels = days == 0 ? 1 : std::clamp(int(dates.width()) / (dateWidth + 2 * gap), 2, 6);
    qint64 labelled = first - 1;
    painter.setPen(text);
    for (int i = 0; i < labels; ++i) {
        const qint64 day = labels == 1 ? first : first + std::llround(double(days) * i / (labels - 1));
        if (day == labelled)
            continue;
        labelled = day;
        const QDate date = QDate::fromJulianDay(day);
        const double at = x(date);
        painter.drawLine(QLineF(at, area.bottom(), at, area.bottom() + tick));
        const QString label = date.toString(QStringLiteral("yyyy-MM-dd"));
        const double labelWidth = metrics.horizontalAdvance(label);
        painter.drawText(QRectF(std::clamp(at - labelWidth / 2, 0.0, std::max(0.0, width() - labelWidth)),
                                area.bottom() + line / 2, labelWidth, line),
                         Qt::AlignCenter, label);
    }

    for (auto series = std::rbegin(kSeries); series != std::rend(kSeries); ++series) {
        const Scale* scale = series->onFactorAxis ? (factors ? &*factors : nullptr) : &errors;
        if (!scale)
            continue;
        QPolygonF joined;
        for (const HistoryPoint& point : m_points) {
            if (const std::optional<double> value = finite(point.*series->value))
                joined << QPointF(x(point.tested), y(*scale, *value));
        }
        painter.setPen(QPen(series->colour, series->lineWidth));
        painter.setBrush(Qt::NoBrush);
        painter.drawPolyline(joined);
        for (QPointF at : joined)
            drawMark(painter, series->mark, at, radius, series->colour);
    }

    for (const LegendEntry& entry : entries) {
        const QRect place = entry.place.translated(gap, legendTop);
        const QRectF sample(place.left(), place.top(), 2 * metrics.height(), place.height());
        const double middle = sample.center().y();
        switch (entry.mark) {
        case Mark::Band: painter.fillRect(sample.adjusted(0, line / 5.0, 0, -line / 5.0), faint(36)); break;
        case Mark::Dashed:
            painter.setPen(QPen(text, 1, Qt::DashLine));
            painter.drawLine(QLineF(sample.left(), middle, sample.right(), middle));
            break;
        default:
            painter.setPen(QPen(entry.series->colour, entry.series->lineWidth));
            painter.drawLine(QLineF(sample.left(), middle, sample.right(), middle));
            drawMark(painter, entry.mark, sample.center(), radius, entry.series->colour);
        }
        painter.setPen(text);
        painter.drawText(QRectF(sample.right() + gap, place.top(), place.right() - sample.right() - gap + 1, line),
                         Qt::AlignLeft | Qt::AlignVCenter, entry.text);
    }
}

}  // namespace

HistoryChart::HistoryChart(std::vector<HistoryPoint> points, std::optional<double> acceptance,
                           std::optional<double> maintenance, QWidget* parent)
    : QWidget(parent)
{
    std::stable_sort(points.begin(), points.end(),
                     [](const HistoryPoint& a, const HistoryPoint& b) { return a.tested < b.tested; });

    // The table, newest first, is what a screen reader reads: one stop on the way
    // through the window, its cells read with the arrow keys.
    auto* table = new QTableWidget(int(points.size()), 4, this);
    table->setObjectName(QStringLiteral("historyTable"));
    table->setAccessibleName(QStringLiteral("Calibrations by date"));
    table->setHorizontalHeaderLabels(
        {QStringLiteral("Tested"), QStringLiteral("As found"), QStringLiteral("As left"), QStringLiteral("Factor")});
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setTabKeyNavigation(false);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->verticalHeader()->hide();
    int row = 0;
    for (auto point = points.rbegin(); point != points.rend(); ++point, ++row) {
        const QString texts[] = {point->tested.toString(QStringLiteral("yyyy-MM-dd")), point->asFoundText,
                                 point->asLeftText, point->factorText};
        for (int column = 0; column < 4; ++column) {
            auto* item = new QTableWidgetItem(texts[column]);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            if (column > 0)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(row, column, item);
        }
    }
    table->resizeColumnsToContents();
    table->horizontalHeader()->setStretchLastSection(true);
    // As wide as its columns: on a small screen the window scrolls, not the table.
    table->setMinimumWidth(table->horizontalHeader()->length() + 2 * table->frameWidth()
                           + table->verticalScrollBar()->sizeHint().width());

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new HistoryPlot(std::move(points), acceptance, maintenance, this), 1);
    layout->addWidget(table);
}
