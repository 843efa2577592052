#include "platform/ui/QtCanvas.h"

#include "platform/ui/QtText.h"
#include "platform/win/CodePage.h"

#include <QColor>
#include <QGuiApplication>
#include <QPaintDevice>
#include <QPainter>
#include <QPalette>

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

constexpr int kMinPoints = 1;
constexpr int kMaxPoints = 1000;

// The Symbol font's characters from 0x20 to 0x7E and from 0xA0 to 0xFE;
// 0 where the font has none (the byte then reads as Windows-1250).
constexpr std::array<char16_t, 95> kSymbolLow = {{
    0x0020, 0x0021, 0x2200, 0x0023, 0x2203, 0x0025, 0x0026, 0x220B, 0x0028, 0x0029, 0x2217, 0x002B,
    0x002C, 0x2212, 0x002E, 0x002F, 0x0030, 0x0031, 0x0032, 0x0033, 0x0034, 0x0035, 0x0036, 0x0037,
    0x0038, 0x0039, 0x003A, 0x003B, 0x003C, 0x003D, 0x003E, 0x003F, 0x2245, 0x0391, 0x0392, 0x03A7,
    0x0394, 0x0395, 0x03A6, 0x0393, 0x0397, 0x0399, 0x03D1, 0x039A, 0x039B, 0x039C, 0x039D, 0x039F,
    0x03A0, 0x0398, 0x03A1, 0x03A3, 0x03A4, 0x03A5, 0x03C2, 0x03A9, 0x039E, 0x03A8, 0x0396, 0x005B,
    0x2234, 0x005D, 0x22A5, 0x005F, 0x203E, 0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5, 0x03C6, 0x03B3,
    0x03B7, 0x03B9, 0x03D5, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BF, 0x03C0, 0x03B8, 0x03C1, 0x03C3,
    0x03C4, 0x03C5, 0x03D6, 0x03C9, 0x03BE, 0x03C8, 0x03B6, 0x007B, 0x007C, 0x007D, 0x223C,
}};
constexpr std::array<char16_t, 95> kSymbolHigh = {{
    0x20AC, 0x03D2, 0x2032, 0x2264, 0x2044, 0x221E, 0x0192, 0x2663, 0x2666, 0x2665, 0x2660, 0x2194,
    0x2190, 0x2191, 0x2192, 0x2193, 0x00B0, 0x00B1, 0x2033, 0x2265, 0x00D7, 0x221D, 0x2202, 0x2022,
    0x00F7, 0x2260, 0x2261, 0x2248, 0x2026, 0x23D0, 0x23AF, 0x21B5, 0x2135, 0x2111, 0x211C, 0x2118,
    0x2297, 0x2295, 0x2205, 0x2229, 0x222A, 0x2283, 0x2287, 0x2284, 0x2282, 0x2286, 0x2208, 0x2209,
    0x2220, 0x2207, 0x00AE, 0x00A9, 0x2122, 0x220F, 0x221A, 0x22C5, 0x00AC, 0x2227, 0x2228, 0x21D4,
    0x21D0, 0x21D1, 0x21D2, 0x21D3, 0x25CA, 0x2329, 0x00AE, 0x00A9, 0x2122, 0x2211, 0x239B, 0x239C,
    0x239D, 0x23A1, 0x23A2, 0x23A3, 0x23A7, 0x23A8, 0x23A9, 0x23AA, 0x0000, 0x232A, 0x222B, 0x2320,
    0x23AE, 0x2321, 0x239E, 0x239F, 0x23A0, 0x23A4, 0x23A5, 0x23A6, 0x23AB, 0x23AC, 0x23AD,
}};

bool IsSymbolFont(const TFont& font) { return QString::fromLatin1(font.Name()).compare("Symbol", Qt::CaseInsensitive) == 0; }

// The Windows faces the program names, and the metric-compatible faces
// installed in their place.
QString InstalledFace(const std::string& name) {
    const QString face = ToQString(name);
    struct Alias {
        const char* windows;
        const char* installed;
    };
    static constexpr Alias kAliases[] = {
        {"Arial", "Liberation Sans"},         {"MS Sans Serif", "Liberation Sans"},
        {"Times New Roman", "Liberation Serif"}, {"Symbol", "Liberation Serif"},
        {"Courier New", "Liberation Mono"},
    };
    for (const Alias& alias : kAliases) {
        if (face.compare(QLatin1String(alias.windows), Qt::CaseInsensitive) == 0) return QLatin1String(alias.installed);
    }
    return face;
}

QRect ToQRect(const TRect& r) {
    return QRect(r.Left, r.Top, std::max(0, r.Width()), std::max(0, r.Height()));
}

}  // namespace

char16_t SymbolToUnicode(unsigned char byte) {
    char16_t c = 0;
    if (byte >= 0x20 && byte <= 0x7E) c = kSymbolLow[byte - 0x20];
    if (byte >= 0xA0 && byte <= 0xFE) c = kSymbolHigh[byte - 0xA0];
    return c != 0 ? c : static_cast<char16_t>(win::ToUnicode(win::CodePage::Cp1250, byte));
}

QColor ToQColor(TColor color) {
    if (color == clBtnFace) return QGuiApplication::palette().color(QPalette::Button);
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

TQtCanvas::TQtCanvas(QPainter& painter, int pixelsPerInch)
    : TCanvas(pixelsPerInch > 0 ? pixelsPerInch : (painter.device() ? painter.device()->logicalDpiY() : 96)),
      painter_(painter) {}

QFont TQtCanvas::QtFont() const {
    const TFont& font = Font();
    QFont qfont(InstalledFace(font.Name()));
    // Sized in whole pixels, as GDI sizes a font, at the canvas's density.
    const std::int64_t points = std::clamp(font.Size(), kMinPoints, kMaxPoints);
    const std::int64_t ppi = std::max(1, font.PixelsPerInch());
    qfont.setPixelSize(static_cast<int>(std::max<std::int64_t>(1, (points * ppi + 36) / 72)));
    qfont.setBold(font.Style().Bold);
    qfont.setItalic(font.Style().Italic);
    return qfont;
}

QString TQtCanvas::QtText(std::string_view text) const {
    if (!IsSymbolFont(Font())) return ToQString(text);
    QString out(static_cast<qsizetype>(text.size()), Qt::Uninitialized);
    QChar* c = out.data();
    for (const char byte : text) *c++ = QChar(SymbolToUnicode(static_cast<unsigned char>(byte)));
    return out;
}

const QFontMetrics& TQtCanvas::Metrics() {
    if (!metrics_ || *metricsFont_ != Font()) {
        metricsFont_ = Font();
        metrics_.emplace(QtFont(), painter_.device());
    }
    return *metrics_;
}

TSize TQtCanvas::TextExtent(std::string_view text) {
    const QFontMetrics& fm = Metrics();
    return {fm.horizontalAdvance(QtText(text)), fm.height()};
}

TTextMetric TQtCanvas::TextMetrics() {
    const QFontMetrics& fm = Metrics();
    return {fm.height(), fm.ascent(), fm.descent(), fm.leading(), fm.averageCharWidth()};
}

void TQtCanvas::TextOut(int x, int y, std::string_view text) {
    const int ascent = Metrics().ascent();
    painter_.save();
    painter_.setFont(QtFont());
    painter_.setPen(ToQColor(Font().Color()));
    // Qt places text by its baseline, Win32 by the cell's top.
    painter_.drawText(QPoint(x, y + ascent), QtText(text));
    painter_.restore();
}

void TQtCanvas::TextRect(const TRect& clip, int x, int y, std::string_view text) {
    painter_.save();
    painter_.setClipRect(ToQRect(clip), painter_.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    TextOut(x, y, text);
    painter_.restore();
}

void TQtCanvas::FillRect(const TRect& rect) {
    if (rect.Right <= rect.Left || rect.Bottom <= rect.Top) return;
    painter_.fillRect(ToQRect(rect), ToQColor(BrushColor()));
}

void TQtCanvas::LineTo(int x, int y) {
    const TPoint from = penPos_;
    penPos_ = {x, y};
    if (from == penPos_) return;
    // The end point stays out, as in GDI; only straight lines need care.
    int endX = x;
    int endY = y;
    if (from.Y == y) endX -= x > from.X ? 1 : -1;
    if (from.X == x) endY -= y > from.Y ? 1 : -1;
    painter_.save();
    QPen pen(ToQColor(PenColor()));
    pen.setWidth(0);
    pen.setCapStyle(Qt::SquareCap);
    painter_.setPen(pen);
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.drawLine(from.X, from.Y, endX, endY);
    painter_.restore();
}

void TQtCanvas::StretchDraw(const TRect& rect, const TGraphic& graphic) {
    const auto* picture = dynamic_cast<const TQtGraphic*>(&graphic);
    if (picture == nullptr || picture->Width() == 0 || rect.Right <= rect.Left || rect.Bottom <= rect.Top) return;
    painter_.drawImage(ToQRect(rect), picture->Image());
}

TRect TQtCanvas::ClipRect() const {
    QRect box = painter_.window();
    if (painter_.hasClipping()) box = painter_.clipBoundingRect().toAlignedRect();
    return {box.left(), box.top(), box.left() + box.width(), box.top() + box.height()};
}

void AssignQtFont(TFont& font, const QFont& qfont) {
    font.SetName(FromQString(qfont.family()));
    if (qfont.pointSize() > 0) {
        font.SetSize(qfont.pointSize());
    } else {
        font.SetHeight(-qfont.pixelSize());
    }
    font.SetStyle({qfont.bold(), qfont.italic()});
}

TColor FromQColor(const QColor& color) {
    return RGB(static_cast<std::uint8_t>(color.red()), static_cast<std::uint8_t>(color.green()),
               static_cast<std::uint8_t>(color.blue()));
}
