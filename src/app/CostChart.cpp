#include "app/CostChart.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFontMetricsF>
#include <QGraphicsItem>
#include <QGraphicsLayout>
#include <QPainter>
#include <QtCharts/QAreaSeries>
#include <QtCharts/QChart>
#include <QtCharts/QLegend>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

// Above the grid, below the line and its marks.
constexpr qreal kBarZ = 3.5;
constexpr qreal kMarkZ = 10;
// A bar takes this share of the smallest step between two thicknesses.
constexpr double kBarShare = 0.6;
// Qt Charts gives each axis label its share of the axis less this on each side.
constexpr qreal kLabelPadding = 4;

// A value above a point of the line, on white so the bars don't hide it.
class TMark : public QGraphicsItem {
public:
    TMark(QGraphicsItem& chart, const QString& text, const QFont& font) : QGraphicsItem(&chart), text_(text), font_(font) {
        const QFontMetricsF metrics(font_);
        const qreal width = metrics.horizontalAdvance(text_) + 4;
        const qreal height = metrics.height() + 2;
        rect_ = QRectF(-width / 2, -height, width, height);
        setZValue(kMarkZ);
    }

    QRectF boundingRect() const override { return rect_; }
    int type() const override { return TCostChart::kMarkType; }

    void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override {
        painter->setPen(QPen(Qt::gray, 0));
        painter->setBrush(Qt::white);
        painter->drawRect(rect_);
        painter->setFont(font_);
        painter->setPen(Qt::black);
        painter->drawText(rect_, Qt::AlignCenter, text_);
    }

    const QString& Text() const { return text_; }

private:
    QString text_;
    QFont font_;
    QRectF rect_;
};

// One bar, painted with its series' brush of the moment (printing hatches them).
class TBar : public QGraphicsItem {
public:
    TBar(QGraphicsItem& chart, const QAreaSeries& series, const QRectF& rect)
        : QGraphicsItem(&chart), series_(series), rect_(rect) {
        setZValue(kBarZ);
    }

    QRectF boundingRect() const override { return rect_; }

    void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override {
        painter->setPen(QPen(Qt::black, 0));
        painter->setBrush(series_.brush());
        painter->drawRect(rect_);
    }

private:
    const QAreaSeries& series_;
    QRectF rect_;
};

// Costs are whole numbers: no exponent, no decimals.
QString MarkText(double value) {
    return std::fabs(value) < 1e15 ? QString::number(value, 'f', 0) : QString::number(value, 'g', 6);
}

// The smallest step between two different thicknesses; 0 when there is none.
double SmallestStep(const QList<TCostChart::TPoint>& points) {
    QList<double> thicknesses;
    for (const TCostChart::TPoint& point : points) thicknesses << point.Thickness;
    std::sort(thicknesses.begin(), thicknesses.end());
    double step = 0;
    for (qsizetype i = 1; i < thicknesses.size(); ++i) {
        const double d = thicknesses[i] - thicknesses[i - 1];
        if (d > 0 && (step == 0 || d < step)) step = d;
    }
    return step;
}

// The width that one bar and the room around it take on the thickness scale.
double Slot(const QList<TCostChart::TPoint>& points) {
    const double step = SmallestStep(points);
    if (step > 0) return step;
    return points.isEmpty() ? 10 : std::max(10.0, std::fabs(points.front().Thickness) * 0.5);
}

// 1, 2, 5 times a power of ten, the first at least `value`.
double NiceStep(double value) {
    const double power = std::pow(10.0, std::floor(std::log10(value)));
    for (const double factor : {1.0, 2.0, 5.0, 10.0}) {
        if (factor * power >= value) return factor * power;
    }
    return 10 * power;
}

}  // namespace

TCostChart::TCostChart(QWidget* parent) : QChartView(parent) {
    // The chart's own small font, whatever its form's: the dialog gives it little room.
    QFont small(QStringLiteral("Arial"));
    small.setPixelSize(11);
    setFont(small);
    // The view owns the chart; the chart owns its series and axes.
    auto* chart = new QChart;
    chart->legend()->setAlignment(Qt::AlignTop);
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->legend()->setContentsMargins(0, 0, 0, 0);
    chart->setBackgroundRoundness(0);
    chart->legend()->setFont(font());
    for (QAreaSeries** bars : {&bars0_, &bars1_}) {
        // Points only so the series has lines to hold; the bars are drawn apart.
        *bars = new QAreaSeries(new QLineSeries(chart), new QLineSeries(chart));
        (*bars)->setPen(QPen(Qt::black, 0));
        chart->addSeries(*bars);
    }
    line_ = new QLineSeries;
    chart->addSeries(line_);
    bottom_ = new QValueAxis;
    left_ = new QValueAxis;
    bottom_->setTickType(QValueAxis::TicksDynamic);
    bottom_->setTickAnchor(0);
    bottom_->setLabelFormat(QStringLiteral("%g"));
    chart->addAxis(bottom_, Qt::AlignBottom);
    chart->addAxis(left_, Qt::AlignLeft);
    for (QValueAxis* axis : {bottom_, left_}) {
        axis->setLabelsFont(font());
        axis->setTitleFont(font());
    }
    for (QAbstractSeries* series : {static_cast<QAbstractSeries*>(bars0_), static_cast<QAbstractSeries*>(bars1_),
                                    static_cast<QAbstractSeries*>(line_)}) {
        series->attachAxis(bottom_);
        series->attachAxis(left_);
    }
    setChart(chart);
    setRenderHint(QPainter::Antialiasing);
    connect(chart, &QChart::plotAreaChanged, this, [this] { PlaceItems(); });
    FitAxes();
}

QObject& TCostChart::Series(int position) const {
    if (position == 0) return *bars0_;
    if (position == 1) return *bars1_;
    return *line_;
}

void TCostChart::Clear() {
    SetPoints({});
}

void TCostChart::SetPoints(const QList<TPoint>& points) {
    points_ = points;
    QList<QPointF> total;
    for (const TPoint& point : points) total << QPointF(point.Thickness, point.Total);
    line_->replace(total);
    FitAxes();
    PlaceItems();
}

void TCostChart::FitAxes() {
    // Stacked bars grow from 0 both ways: positive parts up, negative down.
    double low = 0;
    double high = 0;
    double first = 0;
    double last = 0;
    for (qsizetype i = 0; i < points_.size(); ++i) {
        const TPoint& p = points_[i];
        high = std::max({high, std::max(p.Lower, 0.0) + std::max(p.Upper, 0.0), p.Total});
        low = std::min({low, std::min(p.Lower, 0.0) + std::min(p.Upper, 0.0), p.Total});
        first = i == 0 ? p.Thickness : std::min(first, p.Thickness);
        last = i == 0 ? p.Thickness : std::max(last, p.Thickness);
    }
    if (high <= low) high = low + 1;
    left_->setRange(low, high);
    left_->applyNiceNumbers();
    left_->setLabelFormat(left_->max() - left_->min() >= 10 ? QStringLiteral("%.0f") : QStringLiteral("%g"));
    // Half a slot of room beside the outer bars.
    const double slot = Slot(points_);
    if (points_.isEmpty()) last = 100;
    bottom_->setRange(first - slot / 2, last + slot / 2);
    FitBottomTicks();
}

void TCostChart::FitBottomTicks() {
    // Labels on round numbers, as many as fit whole beside each other.
    const double span = bottom_->max() - bottom_->min();
    const qreal width = chart()->plotArea().width();
    if (span <= 0 || width <= 0) return;
    const QFontMetricsF metrics(bottom_->labelsFont());
    double step = NiceStep(span / 10);
    for (int i = 0; i < 40; ++i) {
        const double firstTick = std::ceil(bottom_->min() / step) * step;
        const double ticks = std::floor((bottom_->max() - firstTick) / step) + 1;
        const double lastTick = firstTick + (ticks - 1) * step;
        const qreal label = std::max(metrics.horizontalAdvance(QString::number(firstTick, 'g', 6)),
                                     metrics.horizontalAdvance(QString::number(lastTick, 'g', 6)));
        if (ticks <= 1 || (label + 2 * kLabelPadding + 2) * ticks <= width) break;
        step = NiceStep(step * 1.5);
    }
    if (bottom_->tickInterval() != step) bottom_->setTickInterval(step);
}

void TCostChart::SetDrawingSize(const QSizeF& size) {
    chart()->resize(size);
    // The layout waits for an event loop that a hidden dialog's page never
    // runs; without it the axes keep the ticks of the old size.
    QCoreApplication::sendPostedEvents(chart(), QEvent::LayoutRequest);
}

QStringList TCostChart::MarkTexts() const {
    QStringList texts;
    for (const QGraphicsItem* mark : marks_) texts << static_cast<const TMark*>(mark)->Text();
    return texts;
}

QList<QRectF> TCostChart::BarRects(int index) const {
    QList<QRectF> rects;
    for (qsizetype i = index; i < bars_.size(); i += 2) rects << bars_[i]->boundingRect();
    return rects;
}

void TCostChart::PlaceItems() {
    // Fitting the ticks may lay the chart out again.
    if (placing_) return;
    placing_ = true;
    FitBottomTicks();
    PlaceBars();
    PlaceMarks();
    placing_ = false;
}

void TCostChart::PlaceBars() {
    qDeleteAll(bars_);
    bars_.clear();
    const double half = Slot(points_) * kBarShare / 2;
    for (const TPoint& p : points_) {
        const QPointF left = chart()->mapToPosition(QPointF(p.Thickness - half, 0), line_);
        const QPointF right = chart()->mapToPosition(QPointF(p.Thickness + half, 0), line_);
        const double tops[] = {p.Lower, p.Lower + p.Upper};
        double base = 0;
        for (int set = 0; set < 2; ++set) {
            const qreal y0 = chart()->mapToPosition(QPointF(p.Thickness, base), line_).y();
            const qreal y1 = chart()->mapToPosition(QPointF(p.Thickness, tops[set]), line_).y();
            const QRectF rect = QRectF(QPointF(left.x(), y0), QPointF(right.x(), y1)).normalized();
            bars_ << new TBar(*chart(), Bars(set), rect);
            base = tops[set];
        }
    }
}

void TCostChart::PlaceMarks() {
    qDeleteAll(marks_);
    marks_.clear();
    const QRectF plot = chart()->plotArea();
    QList<QRectF> taken;
    for (const QPointF& point : line_->points()) {
        auto* mark = new TMark(*chart(), MarkText(point.y()), font());
        QPointF at = chart()->mapToPosition(point, line_) - QPointF(0, 3);
        // Inside the plot area, clear of the axes' labels.
        const QRectF box = mark->boundingRect();
        const qreal leftmost = plot.left() - box.left();
        at.setX(std::clamp(at.x(), leftmost, std::max(leftmost, plot.right() - box.right())));
        if (at.y() + box.top() < plot.top()) at.setY(plot.top() - box.top());
        mark->setPos(at);
        const QRectF placed = box.translated(at);
        if (std::any_of(taken.begin(), taken.end(), [&](const QRectF& r) { return r.intersects(placed); })) {
            delete mark;
            continue;
        }
        taken << placed;
        marks_ << mark;
    }
}

void TCostChart::CopyFrom(const TCostChart& source) {
    QChart& to = *chart();
    const QChart& from = *source.chart();
    to.setTitle(from.title());
    to.setBackgroundBrush(from.backgroundBrush());
    to.setBackgroundVisible(from.isBackgroundVisible());
    to.legend()->setAlignment(from.legend()->alignment());
    to.legend()->setVisible(from.legend()->isVisible());
    bottom_->setTitleText(source.bottom_->titleText());
    left_->setTitleText(source.left_->titleText());
    for (int i = 0; i < 2; ++i) {
        QAreaSeries& bars = Bars(i);
        const QAreaSeries& model = source.Bars(i);
        bars.setName(model.name());
        bars.setBrush(model.brush());
        bars.setPen(model.pen());
    }
    line_->setName(source.line_->name());
    line_->setPen(source.line_->pen());
    SetPoints(source.points_);
}
