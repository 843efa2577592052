// Draws the program's own pictures: the toolbar and list images and the
// 565 x 335 start-up picture. The output is committed; run this again only to
// change them:  makeimages <folder of src/app>

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QSize>

#include <cmath>
#include <cstdio>
#include <functional>

namespace {

using Draw = std::function<void(QPainter&)>;

bool Save(const QString& path, QSize size, const Draw& draw) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    painter.end();
    const bool ok = image.save(path, "PNG");
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

void Page(QPainter& p, QRectF r) {
    const qreal fold = r.width() * 0.3;
    QPainterPath page;
    page.moveTo(r.topLeft());
    page.lineTo(r.right() - fold, r.top());
    page.lineTo(r.right(), r.top() + fold);
    page.lineTo(r.bottomRight());
    page.lineTo(r.bottomLeft());
    page.closeSubpath();
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(Qt::white);
    p.drawPath(page);
    p.drawLine(QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold));
    p.drawLine(QPointF(r.right() - fold, r.top() + fold), QPointF(r.right(), r.top() + fold));
}

void Lines(QPainter& p, QRectF r, int count) {
    p.setPen(QPen(QColor(120, 140, 190), 1));
    for (int i = 0; i < count; ++i) {
        const qreal y = r.top() + 4.5 + i * 2.5;
        p.drawLine(QPointF(r.left() + 2.5, y), QPointF(r.right() - 2.5, y));
    }
}

void Cut(QPainter& p) {
    p.setPen(QPen(QColor(60, 60, 60), 1.4));
    p.drawLine(QPointF(5.5, 11), QPointF(11, 1.5));
    p.drawLine(QPointF(10.5, 11), QPointF(5, 1.5));
    p.setPen(QPen(QColor(180, 30, 30), 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(4.5, 12.5), 2.3, 2.3);
    p.drawEllipse(QPointF(11.5, 12.5), 2.3, 2.3);
}

void Copy(QPainter& p) {
    Page(p, QRectF(1.5, 1.5, 9, 11));
    Lines(p, QRectF(1.5, 1.5, 9, 11), 3);
    Page(p, QRectF(5.5, 4.5, 9, 11));
    Lines(p, QRectF(5.5, 4.5, 9, 11), 3);
}

void Paste(QPainter& p) {
    p.setPen(QPen(QColor(110, 70, 30), 1));
    p.setBrush(QColor(190, 140, 80));
    p.drawRoundedRect(QRectF(1.5, 2.5, 10, 12.5), 1.5, 1.5);
    p.setBrush(QColor(170, 170, 170));
    p.drawRect(QRectF(4, 1, 5, 3));
    Page(p, QRectF(6.5, 6.5, 8, 9));
    Lines(p, QRectF(6.5, 6.5, 8, 9), 2);
}

void New(QPainter& p) {
    Page(p, QRectF(2.5, 1.5, 10, 13));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 200, 20));
    p.drawEllipse(QPointF(12, 4), 2.8, 2.8);
}

void Open(QPainter& p) {
    p.setPen(QPen(QColor(150, 110, 20), 1));
    p.setBrush(QColor(230, 190, 80));
    p.drawRect(QRectF(1.5, 3.5, 11, 10));
    QPainterPath lid;
    lid.moveTo(3.5, 7.5);
    lid.lineTo(15, 7.5);
    lid.lineTo(12.5, 13.5);
    lid.lineTo(1.5, 13.5);
    lid.closeSubpath();
    p.setBrush(QColor(250, 220, 120));
    p.drawPath(lid);
}

void SaveDisk(QPainter& p) {
    p.setPen(QPen(QColor(30, 50, 110), 1));
    p.setBrush(QColor(60, 90, 170));
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1.5, 1.5);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4, 1.5, 8, 5));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(4.5, 9.5, 7, 5));
}

void Print(QPainter& p) {
    Page(p, QRectF(4.5, 1.5, 7, 6));
    p.setPen(QPen(QColor(70, 70, 70), 1));
    p.setBrush(QColor(170, 170, 175));
    p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1.5, 1.5);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 10.5, 7, 4));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 160, 40));
    p.drawEllipse(QPointF(12.5, 8.5), 0.9, 0.9);
}

void View(QPainter& p) {
    p.setPen(QPen(QColor(40, 70, 120), 1));
    p.setBrush(QColor(120, 160, 220));
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 2; ++column) p.drawRect(QRectF(1.5 + column * 7, 1.5 + row * 7, 5, 5));
    }
}

// An insulated pipe seen end on: insulation, steel wall, medium.
void Pipe(QPainter& p, qreal size) {
    const QPointF centre(size / 2, size / 2);
    const qreal outer = size / 2 - 1;
    QRadialGradient insulation(centre, outer);
    insulation.setColorAt(0.6, QColor(250, 215, 90));
    insulation.setColorAt(1.0, QColor(215, 165, 40));
    p.setPen(QPen(QColor(120, 90, 20), size / 32));
    p.setBrush(insulation);
    p.drawEllipse(centre, outer, outer);
    p.setPen(QPen(QColor(60, 60, 60), size / 32));
    p.setBrush(QColor(150, 155, 160));
    p.drawEllipse(centre, outer * 0.55, outer * 0.55);
    p.setBrush(QColor(70, 130, 210));
    p.drawEllipse(centre, outer * 0.42, outer * 0.42);
}

// A long insulated pipe, cut open at its front end to show its layers.
void DrawPipe(QPainter& p, QRectF body) {
    const qreal rx = body.height() * 0.22;  // the ellipse of the cut, seen at an angle
    const qreal ry = body.height() / 2;
    const QPointF front(body.right(), body.center().y());

    QLinearGradient jacket(body.topLeft(), body.bottomLeft());
    jacket.setColorAt(0.0, QColor(235, 238, 240));
    jacket.setColorAt(0.35, QColor(190, 196, 200));
    jacket.setColorAt(1.0, QColor(110, 116, 122));
    p.setPen(Qt::NoPen);
    p.setBrush(jacket);
    p.drawRect(QRectF(body.left(), body.top(), body.width(), body.height()));
    p.drawEllipse(QPointF(body.left(), body.center().y()), rx, ry);

    // Bands of the aluminium jacket.
    p.setPen(QPen(QColor(120, 126, 132), 1.2));
    for (qreal x = body.left() + 40; x < body.right() - 20; x += 70) {
        QPainterPath band;
        band.moveTo(x, body.top());
        band.cubicTo(x + rx * 0.55, body.top(), x + rx * 0.55, body.bottom(), x, body.bottom());
        p.drawPath(band);
    }

    const struct {
        qreal Scale;
        QColor Colour;
    } layers[] = {
        {1.0, QColor(205, 210, 214)},   // jacket edge
        {0.93, QColor(246, 206, 84)},   // mineral wool
        {0.5, QColor(120, 124, 130)},   // steel wall
        {0.43, QColor(64, 126, 206)},   // medium
    };
    for (const auto& layer : layers) {
        p.setPen(QPen(layer.Colour.darker(125), 1));
        p.setBrush(layer.Colour);
        p.drawEllipse(front, rx * layer.Scale, ry * layer.Scale);
    }
    // The wool's fibres.
    p.setPen(QPen(QColor(214, 168, 50), 0.8));
    for (int i = 0; i < 14; ++i) {
        const qreal t = i / 14.0;
        p.drawLine(QPointF(front.x() - rx * 0.7, front.y() - ry * 0.85 + t * ry * 1.7),
                   QPointF(front.x() - rx * 0.55, front.y() - ry * 0.8 + t * ry * 1.7));
    }
}

// The calculation dialog's list pictures, 104 x 36: one per application and
// one per calculation type.
bool SaveEntry(const QString& path, const Draw& draw) {
    return Save(path, QSize(104, 36), draw);
}

const QColor kWool(246, 206, 84);
const QColor kSteel(120, 124, 130);
const QColor kWater(64, 126, 206);
const QColor kLine(70, 70, 70);

// A pipe seen from the side with its insulation cut back at the right end.
void SidePipe(QPainter& p, qreal y, qreal radius, qreal wool) {
    p.setPen(QPen(kLine, 1));
    p.setBrush(kWool);
    p.drawRect(QRectF(8, y - radius - wool, 64, 2 * (radius + wool)));
    p.setBrush(kSteel);
    p.drawRect(QRectF(72, y - radius, 24, 2 * radius));
    p.setBrush(kWater);
    p.drawEllipse(QPointF(96, y), radius * 0.35, radius * 0.85);
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour) {
    p.setPen(QPen(colour, 1.6));
    p.drawLine(from, to);
    const QPointF d = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
    const QPointF n(-d.y(), d.x());
    p.setBrush(colour);
    p.drawPolygon(QPolygonF({to, to - 5 * d + 3 * n, to - 5 * d - 3 * n}));
}

void Geometry(QPainter& p, int kind) {
    p.setPen(QPen(kLine, 1));
    switch (kind) {
    case 0:
        SidePipe(p, 18, 6, 7);
        break;
    case 1:  // a thin-walled duct, thicker than a pipe
        SidePipe(p, 18, 10, 4);
        break;
    case 2: {  // a rectangular duct in perspective
        const QPolygonF top({QPointF(8, 10), QPointF(80, 10), QPointF(92, 4), QPointF(20, 4)});
        const QPolygonF side({QPointF(80, 10), QPointF(92, 4), QPointF(92, 24), QPointF(80, 30)});
        p.setBrush(kWool);
        p.drawRect(QRectF(8, 10, 72, 20));
        p.setBrush(kWool.lighter(115));
        p.drawPolygon(top);
        p.setBrush(kSteel);
        p.drawPolygon(side);
        break;
    }
    default:  // a standing tank
        p.setBrush(kWool);
        p.drawRect(QRectF(36, 6, 32, 26));
        p.drawEllipse(QRectF(36, 2, 32, 8));
        p.setBrush(kWool.darker(110));
        p.drawEllipse(QRectF(36, 28, 32, 6));
        break;
    }
}

void Calculation(QPainter& p, int kind) {
    SidePipe(p, 18, 5, 5);
    switch (kind) {
    case 0:  // the given thickness
        Arrow(p, QPointF(20, 2), QPointF(20, 8), kLine);
        Arrow(p, QPointF(20, 34), QPointF(20, 28), kLine);
        break;
    case 1:  // condensing drops
        p.setPen(Qt::NoPen);
        p.setBrush(kWater);
        for (const qreal x : {24.0, 40.0, 56.0}) p.drawEllipse(QPointF(x, 32), 2, 2.5);
        break;
    case 2:  // a thermometer on the surface
        p.setPen(QPen(kLine, 1));
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(38, 1, 6, 14), 3, 3);
        p.setBrush(Qt::red);
        p.drawEllipse(QPointF(41, 13), 3, 3);
        break;
    case 3:  // heat leaving
        for (const qreal x : {24.0, 44.0, 64.0}) Arrow(p, QPointF(x, 8), QPointF(x, 0.5), Qt::red);
        break;
    case 4:  // the medium cooling along the pipe
        Arrow(p, QPointF(10, 33), QPointF(70, 33), QColor(200, 60, 60));
        break;
    case 5:  // frost
        p.setPen(QPen(kWater, 1.4));
        for (int i = 0; i < 3; ++i) {
            const qreal a = i * 3.14159265 / 3;
            p.drawLine(QPointF(40 + 6 * std::cos(a), 6 + 6 * std::sin(a)),
                       QPointF(40 - 6 * std::cos(a), 6 - 6 * std::sin(a)));
        }
        break;
    default: {  // the cost curve and its lowest point
        QPainterPath cost;
        cost.moveTo(12, 2);
        cost.quadTo(40, 40, 70, 4);
        p.setPen(QPen(QColor(0, 128, 0), 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawPath(cost);
        p.setBrush(Qt::red);
        p.drawEllipse(QPointF(41, 21), 2.5, 2.5);
        break;
    }
    }
}

bool MakePicture(const QString& path) {
    QImage image(565, 335, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient sky(0, 0, 0, 335);
    sky.setColorAt(0.0, QColor(236, 244, 228));
    sky.setColorAt(1.0, QColor(176, 204, 156));
    p.fillRect(image.rect(), sky);

    // A faint grid, as on a drawing sheet.
    p.setPen(QPen(QColor(255, 255, 255, 90), 1));
    for (int x = 0; x < 565; x += 24) p.drawLine(x, 0, x, 335);
    for (int y = 0; y < 335; y += 24) p.drawLine(0, y, 565, y);

    DrawPipe(p, QRectF(-30, 170, 470, 110));

    QFont title(QStringLiteral("Liberation Sans"));
    title.setPixelSize(64);
    title.setBold(true);
    title.setLetterSpacing(QFont::AbsoluteSpacing, 4);
    p.setFont(title);
    p.setPen(QColor(255, 255, 255, 160));
    p.drawText(QRectF(32, 30, 520, 80), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("VALDORINE"));
    p.setPen(QColor(36, 70, 40));
    p.drawText(QRectF(30, 28, 520, 80), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("VALDORINE"));

    QFont subtitle(QStringLiteral("Liberation Sans"));
    subtitle.setPixelSize(20);
    p.setFont(subtitle);
    p.setPen(QColor(60, 90, 60));
    p.drawText(QRectF(34, 104, 520, 30), Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromUtf8("Csővezetékek, légcsatornák és tartályok hőszigetelése"));
    p.setPen(QPen(QColor(60, 90, 60), 2));
    p.drawLine(34, 140, 420, 140);
    p.end();
    const bool ok = image.save(path, "JPEG", 90);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: makeimages <folder of src/app>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    folder.mkpath(QStringLiteral("images"));
    folder.mkpath(QStringLiteral("pictures"));
    const auto image = [&](const char* name) { return folder.filePath(QStringLiteral("images/") + QLatin1String(name)); };
    bool ok = true;
    ok &= Save(image("cut.png"), QSize(16, 16), Cut);
    ok &= Save(image("copy.png"), QSize(16, 16), Copy);
    ok &= Save(image("paste.png"), QSize(16, 16), Paste);
    ok &= Save(image("new.png"), QSize(16, 16), New);
    ok &= Save(image("open.png"), QSize(16, 16), Open);
    ok &= Save(image("save.png"), QSize(16, 16), SaveDisk);
    ok &= Save(image("print.png"), QSize(16, 16), Print);
    ok &= Save(image("view.png"), QSize(16, 16), View);
    ok &= Save(image("item16.png"), QSize(16, 16), [](QPainter& p) { Pipe(p, 16); });
    ok &= Save(image("item32.png"), QSize(32, 32), [](QPainter& p) { Pipe(p, 32); });
    ok &= MakePicture(folder.filePath(QStringLiteral("pictures/Valdorine.jpg")));
    for (int i = 0; i < 4; ++i) {
        ok &= SaveEntry(folder.filePath(QStringLiteral("images/geometry%1.png").arg(i)),
                        [i](QPainter& p) { Geometry(p, i); });
    }
    for (int i = 0; i < 7; ++i) {
        ok &= SaveEntry(folder.filePath(QStringLiteral("images/calculation%1.png").arg(i)),
                        [i](QPainter& p) { Calculation(p, i); });
    }
    return ok ? 0 : 1;
}
