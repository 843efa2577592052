#include "app/CostChart.h"

#include <QPainter>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QLegend>
#include <QtCharts/QLineSeries>
#include <QtCharts/QStackedBarSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>

TCostChart::TCostChart(QWidget* parent) : QChartView(parent) {
    // The view owns the chart; the chart owns its series and axes.
    auto* chart = new QChart;
    chart->legend()->setAlignment(Qt::AlignTop);
    stack_ = new QStackedBarSeries;
    bars0_ = new QBarSet(QString());
    bars1_ = new QBarSet(QString());
    stack_->append(bars0_);
    stack_->append(bars1_);
    line_ = new QLineSeries;
    line_->setPointLabelsVisible(true);
    line_->setPointLabelsFormat(QStringLiteral("@yPoint"));
    line_->setPointLabelsClipping(false);
    chart->addSeries(stack_);
    chart->addSeries(line_);
    bottom_ = new QBarCategoryAxis;
    left_ = new QValueAxis;
    chart->addAxis(bottom_, Qt::AlignBottom);
    chart->addAxis(left_, Qt::AlignLeft);
    for (QAbstractSeries* series : {static_cast<QAbstractSeries*>(stack_), static_cast<QAbstractSeries*>(line_)}) {
        series->attachAxis(bottom_);
        series->attachAxis(left_);
    }
    setChart(chart);
    setRenderHint(QPainter::Antialiasing);
    FitLeftAxis();
}

QObject& TCostChart::Series(int position) const {
    if (position == 0) return *bars0_;
    if (position == 1) return *bars1_;
    return *line_;
}

void TCostChart::Clear() {
    bars0_->remove(0, bars0_->count());
    bars1_->remove(0, bars1_->count());
    line_->clear();
    bottom_->clear();
    FitLeftAxis();
}

void TCostChart::Add(const QString& thickness, double lower, double total, double upper) {
    bottom_->append(thickness);
    bars0_->append(lower);
    bars1_->append(upper);
    line_->append(line_->count(), total);
    FitLeftAxis();
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
    line_->setPointLabelsVisible(source.line_->pointLabelsVisible());
    line_->setPointLabelsColor(source.line_->pointLabelsColor());
    line_->replace(source.line_->points());
    left_->setRange(source.left_->min(), source.left_->max());
}
