#pragma once
// The component library's paint box: a plain area whose owner draws it in
// the Paint signal (OnPaint), on a painter clipped to the area to repaint.

#include <QWidget>

class QPainter;
class QPaintEvent;

class TPaintBox : public QWidget {
    Q_OBJECT

public:
    explicit TPaintBox(QWidget* parent = nullptr);

signals:
    // The painter lives for the signal's duration only.
    void Paint(QPainter& painter);

protected:
    void paintEvent(QPaintEvent* event) override;
};
