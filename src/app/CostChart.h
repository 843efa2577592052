#pragma once
// The cost chart of the Optimum calculation: for each insulation thickness a
// bar of the investment with the loss stacked on it, and a line through their
// sums. Its three series in list order: bar set 0, bar set 1, the line. The
// bottom axis is the thickness in mm: bars stand centred at their thickness
// on the same scale as the line. The bar series hold no points of their own
// (they carry the titles, colours and brushes, and the legend); the bars are
// drawn as rectangles over the plot area.

#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QtCharts/QChartView>

class QAreaSeries;
class QGraphicsItem;
class QLineSeries;
class QValueAxis;

class TCostChart : public QChartView {
    Q_OBJECT

public:
    static constexpr int kSeriesCount = 3;
    // The graphics-item type of the line's value marks.
    static constexpr int kMarkType = 65536 + 1;

    explicit TCostChart(QWidget* parent = nullptr);

    QAreaSeries& Bars(int index) const { return index == 0 ? *bars0_ : *bars1_; }
    QLineSeries& Line() const { return *line_; }
    // The series at a list position (0, 1: the bar sets; 2: the line).
    QObject& Series(int position) const;
    QValueAxis& BottomAxis() const { return *bottom_; }
    QValueAxis& LeftAxis() const { return *left_; }

    // One thickness (mm): bar set 0 gets `Lower`, bar set 1 `Upper` stacked
    // on it, the line `Total`.
    struct TPoint {
        double Thickness = 0;
        double Lower = 0;
        double Total = 0;
        double Upper = 0;
    };

    // Empties the three series.
    void Clear();
    // Replaces the points of all three series at once.
    void SetPoints(const QList<TPoint>& points);
    const QList<TPoint>& Points() const { return points_; }
    // Number of thicknesses.
    int Count() const { return static_cast<int>(points_.size()); }

    // The line's marks: each point's value on a white label above it; a mark
    // that would overlap one already placed is left out. Their texts, in
    // point order.
    QStringList MarkTexts() const;
    // The rectangles of bar set `index` as drawn, in point order, in the
    // chart's coordinates.
    QList<QRectF> BarRects(int index) const;

    // Resizes the chart and lays it out at once, so that it can be drawn
    // without an event loop (on a page of a dialog never shown).
    void SetDrawingSize(const QSizeF& size);

    // The chart's colours and titles, the axis titles and ranges, and each
    // series' title, colour, brush and points, by position; the marks follow.
    void CopyFrom(const TCostChart& source);

private:
    void FitAxes();
    void FitBottomTicks();
    void PlaceItems();
    void PlaceBars();
    void PlaceMarks();

    QAreaSeries* bars0_ = nullptr;
    QAreaSeries* bars1_ = nullptr;
    QLineSeries* line_ = nullptr;
    QValueAxis* bottom_ = nullptr;
    QValueAxis* left_ = nullptr;
    QList<TPoint> points_;
    bool placing_ = false;
    QList<QGraphicsItem*> bars_;   // owned by the chart
    QList<QGraphicsItem*> marks_;  // owned by the chart
};
