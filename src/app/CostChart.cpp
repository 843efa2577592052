#include "app/CostChart.h"

#include <QFontMetricsF>
#include <QGraphicsItem>
#include <QPainter>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QLegend>
#include <QtCharts/QLineSeries>
#include <QtCharts/QStackedBarSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

// A value above a point of the line, on white so the bars don't hide it.
class TMark : public QGraphicsItem {
public:
    TMark(QGraphicsItem& chart, const QString& text, const QFont& font) : QGraphicsItem(&chart), text_(text), font_(font) {
        const QFontMetricsF metrics(font_);
        const qreal width = metrics.horizontalAdvance(text_) + 4;
        const qreal height = metrics.height() + 2;
        rect_ = QRectF(-width / 2, -height, width, height);
        setZValue(10);
    }

    QRectF boundingRect() const override { return rect_; }

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

// Costs are whole numbers: no exponent, no decimals.
QString MarkText(double value) {
    return std::fabs(value) < 1e15 ? QString::number(value, 'f', 0) : QString::number(value, 'g', 6);
}

}  // namespace

TCostChart::TCostChart(QWidget* parent) : QChartView(parent) {
    // The view owns the chart; the chart owns its series and axes.
    auto* chart = new QChart;
    chart->legend()->setAlignment(Qt::AlignTop);
    // Small as the dialog's own texts: the chart has little room.
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->setBackgroundRoundness(0);
    chart->legend()->setFont(font());
    stack_ = new QStackedBarSeries;
    bars0_ = new QBarSet(QString());
    bars1_ = new QBarSet(QString());
    stack_->append(bars0_);
    stack_->append(bars1_);
    line_ = new QLineSeries;
    chart->addSeries(stack_);
    chart->addSeries(line_);
    bottom_ = new QBarCategoryAxis;
    left_ = new QValueAxis;
    chart->addAxis(bottom_, Qt::AlignBottom);
    chart->addAxis(left_, Qt::AlignLeft);
    for (QAbstractAxis* axis : {static_cast<QAbstractAxis*>(bottom_), static_cast<QAbstractAxis*>(left_)}) {
        axis->setLabelsFont(font());
        axis->setTitleFont(font());
    }
    for (QAbstractSeries* series : {static_cast<QAbstractSeries*>(stack_), static_cast<QAbstractSeries*>(line_)}) {
        series->attachAxis(bottom_);
        series->attachAxis(left_);
    }
    setChart(chart);
    setRenderHint(QPainter::Antialiasing);
    connect(chart, &QChart::plotAreaChanged, this, [this] { PlaceMarks(); });
    FitLeftAxis();
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
    QStringList categories;
    QList<qreal> lower;
    QList<qreal> upper;
    QList<QPointF> total;
    for (const TPoint& point : points) {
        categories << point.Thickness;
        lower << point.Lower;
        upper << point.Upper;
        total << QPointF(static_cast<qreal>(total.size()), point.Total);
    }
    bars0_->remove(0, bars0_->count());
    bars1_->remove(0, bars1_->count());
    bars0_->append(lower);
    bars1_->append(upper);
    bottom_->setCategories(categories);
    line_->replace(total);
    FitLeftAxis();
    PlaceMarks();
}

int TCostChart::Count() const {
    return static_cast<int>(line_->count());
}

void TCostChart::FitLeftAxis() {
    // Stacked bars grow from 0 both ways: positive parts up, negative down.
    double low = 0;
    double high = 0;
    for (int i = 0; i < Count(); ++i) {
        const double a = bars0_->at(i);
        const double b = bars1_->at(i);
        high = std::max({high, std::max(a, 0.0) + std::max(b, 0.0), line_->at(i).y()});
        low = std::min({low, std::min(a, 0.0) + std::min(b, 0.0), line_->at(i).y()});
    }
    if (high <= low) high = low + 1;
    left_->setRange(low, high);
    left_->applyNiceNumbers();
    left_->setLabelFormat(left_->max() - left_->min() >= 10 ? QStringLiteral("%.0f") : QStringLiteral("%g"));
}

QStringList TCostChart::MarkTexts() const {
    QStringList texts;
    for (const QGraphicsItem* mark : marks_) texts << static_cast<const TMark*>(mark)->Text();
    return texts;
}

void TCostChart::PlaceMarks() {
    qDeleteAll(marks_);
    marks_.clear();
    for (const QPointF& point : line_->points()) {
        auto* mark = new TMark(*chart(), MarkText(point.y()), font());
        mark->setPos(chart()->mapToPosition(point, line_) - QPointF(0, 3));
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
    bottom_->setCategories(source.bottom_->categories());
    for (int i = 0; i < 2; ++i) {
        QBarSet& bars = Bars(i);
        const QBarSet& model = source.Bars(i);
        bars.setLabel(model.label());
        bars.setBrush(model.brush());
        bars.setPen(model.pen());
        bars.remove(0, bars.count());
        for (int j = 0; j < model.count(); ++j) bars.append(model.at(j));
    }
    line_->setName(source.line_->name());
    line_->setPen(source.line_->pen());
    line_->replace(source.line_->points());
    left_->setRange(source.left_->min(), source.left_->max());
    left_->setLabelFormat(source.left_->labelFormat());
    PlaceMarks();
}
