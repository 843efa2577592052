#include "uninstaller/Pictures.h"

#include <QColor>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPixmap>
#include <QSize>

namespace {

// A transparent square icon; `paint` draws on a 32-unit grid scaled by its
// second argument.
template <class Paint>
QPixmap paintIcon(int side, Paint paint) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    paint(p, side / 32.0);
    return pixmap;
}

}  // namespace

QPixmap sideBitmap(const QSize& size) {
    QPixmap pixmap(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0.0, QColor(18, 52, 96));
    sky.setColorAt(1.0, QColor(40, 140, 150));
    p.fillRect(pixmap.rect(), sky);
    // Rings rising from the bottom: things being lifted off the machine.
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 6; ++i) {
        const double r = size.width() * (0.18 + 0.07 * i);
        const double y = size.height() * (0.95 - 0.14 * i);
        p.setPen(QPen(QColor(255, 255, 255, 150 - 20 * i), 2.0));
        p.drawEllipse(QPointF(size.width() * 0.5, y), r, r * 0.35);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 60));
    p.drawRect(QRectF(0, size.height() * 0.9, size.width(), size.height() * 0.1));
    return pixmap;
}

QPixmap programIcon(int side) {
    return paintIcon(side, [](QPainter& p, double s) {
        // A box, and an arrow leaving it.
        p.setPen(QPen(QColor(60, 40, 10), 1.2 * s));
        p.setBrush(QColor(214, 170, 100));
        p.drawRect(QRectF(4 * s, 14 * s, 24 * s, 15 * s));
        p.setBrush(QColor(190, 145, 80));
        p.drawRect(QRectF(3 * s, 11 * s, 26 * s, 4 * s));
        QPainterPath arrow;
        arrow.moveTo(16 * s, 1 * s);
        arrow.lineTo(24 * s, 9 * s);
        arrow.lineTo(19 * s, 9 * s);
        arrow.lineTo(19 * s, 17 * s);
        arrow.lineTo(13 * s, 17 * s);
        arrow.lineTo(13 * s, 9 * s);
        arrow.lineTo(8 * s, 9 * s);
        arrow.closeSubpath();
        p.setPen(QPen(QColor(120, 10, 10), 1.0 * s));
        p.setBrush(QColor(220, 40, 40));
        p.drawPath(arrow);
    });
}

QPixmap stepMarkIcon(int side) {
    return paintIcon(side, [](QPainter& p, double s) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 150, 60));
        p.drawEllipse(QRectF(3 * s, 3 * s, 26 * s, 26 * s));
        QPainterPath tick;
        tick.moveTo(9 * s, 16 * s);
        tick.lineTo(14 * s, 21 * s);
        tick.lineTo(23 * s, 11 * s);
        p.setPen(QPen(Qt::white, 3.5 * s, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(tick);
    });
}
