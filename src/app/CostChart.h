#pragma once
// The cost chart of the Optimum calculation: for each insulation thickness a
// bar of the investment with the loss stacked on it, and a line through their
// sums. Its three series in list order: bar set 0, bar set 1, the line. The
// thicknesses are the bottom axis's categories; the line's x values are
// their indexes 0 .. n-1, so its points stand on the bars.

#include <QList>
#include <QString>
#include <QtCharts/QChartView>

class QBarCategoryAxis;
class QGraphicsItem;
class QBarSet;
class QLineSeries;
class QStackedBarSeries;
class QValueAxis;

class TCostChart : public QChartView {
    Q_OBJECT

public:
    static constexpr int kSeriesCount = 3;

    explicit TCostChart(QWidget* parent = nullptr);

    QBarSet& Bars(int index) const { return index == 0 ? *bars0_ : *bars1_; }
    QLineSeries& Line() const { return *line_; }
    // The series at a list position (0, 1: the bar sets; 2: the line).
    QObject& Series(int position) const;
    QBarCategoryAxis& BottomAxis() const { return *bottom_; }
    QValueAxis& LeftAxis() const { return *left_; }

    // One thickness: bar set 0 gets `Lower`, bar set 1 `Upper`, the line `Total`.
    struct TPoint {
        QString Thickness;
        double Lower = 0;
        double Total = 0;
        double Upper = 0;
    };

    // Empties the three series and the categories.
    void Clear();
    // Replaces the points of all three series at once.
    void SetPoints(const QList<TPoint>& points);
    // Number of thicknesses.
    int Count() const;

    // The line's marks, each point's value on a white label above it: their
    // texts in point order.
    QStringList MarkTexts() const;

    // The chart's colours and titles, the axis titles and range, and each
    // series' title, colour, brush and points, by position; the marks follow.
    void CopyFrom(const TCostChart& source);

private:
    void FitLeftAxis();
    void PlaceMarks();

    QStackedBarSeries* stack_ = nullptr;
    QBarSet* bars0_ = nullptr;
    QBarSet* bars1_ = nullptr;
    QLineSeries* line_ = nullptr;
    QBarCategoryAxis* bottom_ = nullptr;
    QValueAxis* left_ = nullptr;
    QList<QGraphicsItem*> marks_;  // owned by the chart
};
