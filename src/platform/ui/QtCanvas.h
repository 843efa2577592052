#pragma once
// The canvas over a QPainter: the printer's, a preview page's (QPicture) or a
// widget's. The painter must stay active while the canvas lives.

#include "platform/base/Canvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QString>

#include <optional>
#include <string_view>

class QColor;
class QPainter;

// A picture for TQtCanvas::StretchDraw.
class TQtGraphic : public TGraphic {
public:
    TQtGraphic() = default;
    explicit TQtGraphic(QImage image) : image_(std::move(image)) {}
    int Width() const override { return image_.isNull() ? 0 : image_.width(); }
    int Height() const override { return image_.isNull() ? 0 : image_.height(); }
    const QImage& Image() const { return image_; }

private:
    QImage image_;
};

class TQtCanvas : public TCanvas {
public:
    // pixelsPerInch 0: the painter's device's logical density.
    explicit TQtCanvas(QPainter& painter, int pixelsPerInch = 0);

    QPainter& Painter() { return painter_; }

    TSize TextExtent(std::string_view text) override;
    TTextMetric TextMetrics() override;
    void TextOut(int x, int y, std::string_view text) override;
    void TextRect(const TRect& clip, int x, int y, std::string_view text) override;
    void FillRect(const TRect& rect) override;
    void LineTo(int x, int y) override;
    void StretchDraw(const TRect& rect, const TGraphic& graphic) override;
    TRect ClipRect() const override;

    // The Qt font the current font draws with: the Windows face mapped to
    // the one installed, sized in pixels at the canvas density, 1 to 1000 points.
    QFont QtFont() const;
    // The text as the current font shows it ("Symbol" has its own characters).
    QString QtText(std::string_view text) const;

private:
    const QFontMetrics& Metrics();

    QPainter& painter_;
    std::optional<TFont> metricsFont_;
    std::optional<QFontMetrics> metrics_;
};

// A colour as Qt takes it; a system colour comes from the application's palette.
QColor ToQColor(TColor color);
// The character a byte stands for in the "Symbol" font.
char16_t SymbolToUnicode(unsigned char byte);

// A widget's font as a canvas font: face, size in points (a pixel size
// counts at the canvas font's density), bold and italic.
void AssignQtFont(TFont& font, const QFont& qfont);
// A Qt colour as a canvas colour (alpha dropped).
TColor FromQColor(const QColor& color);
