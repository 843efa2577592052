#pragma once
// A drawing surface as the report pages and the list header see it: Win32
// rectangles (right and bottom exclusive) and colours, a font in points at the
// device's density, texts in Windows-1250 bytes. The Qt layer draws through a
// QPainter; tests use a recording fake.

#include "platform/base/Controls.h"

#include <cstdint>
#include <string>
#include <string_view>

struct TPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const TPoint&) const = default;
};

struct TSize {
    int cx = 0;
    int cy = 0;
    bool operator==(const TSize&) const = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool operator==(const TRect&) const = default;
};

// 0x00BBGGRR as Win32 keeps it; the top byte marks a system colour.
using TColor = std::uint32_t;
constexpr TColor RGB(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return TColor(r) | TColor(g) << 8 | TColor(b) << 16;
}
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
// The system's button-face colour: the canvas that paints it looks it up.
constexpr TColor clBtnFace = 0xFF00000F;
constexpr std::uint8_t GetRValue(TColor c) { return static_cast<std::uint8_t>(c); }
constexpr std::uint8_t GetGValue(TColor c) { return static_cast<std::uint8_t>(c >> 8); }
constexpr std::uint8_t GetBValue(TColor c) { return static_cast<std::uint8_t>(c >> 16); }

struct TFontStyles {
    bool Bold = false;
    bool Italic = false;
    bool operator==(const TFontStyles&) const = default;
};

// A canvas font: a plain value. The size is kept as set; a canvas clamps it
// to what its device can draw only when it draws.
class TFont : public IFont {
public:
    std::string Name() const override { return name_; }
    void SetName(const std::string& name) override { name_ = name; }
    int Size() const override { return size_; }
    void SetSize(int points) override { size_ = points; }
    // Height in pixels as Win32 gives it: negative for the character height.
    int Height() const;
    void SetHeight(int pixels);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style) { style_ = style; }
    TColor Color() const { return color_; }
    void SetColor(TColor color) { color_ = color; }
    // The density of the device the font is drawn on; set by its canvas.
    int PixelsPerInch() const { return pixelsPerInch_; }
    void SetPixelsPerInch(int ppi) { pixelsPerInch_ = ppi; }
    bool operator==(const TFont& other) const;

private:
    std::string name_ = "MS Sans Serif";
    int size_ = 8;
    TFontStyles style_;
    TColor color_ = clBlack;
    int pixelsPerInch_ = 96;
};

// What GetTextMetrics gives for the canvas font, in pixels.
struct TTextMetric {
    int Height = 0;  // ascent + descent
    int Ascent = 0;
    int Descent = 0;
    int ExternalLeading = 0;
    int AveCharWidth = 0;
};

// A picture a canvas can stretch onto itself; only the canvas kind that can
// draw it knows its pixels. An empty graphic has width 0.
class TGraphic {
public:
    virtual ~TGraphic() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
};

class TCanvas {
public:
    virtual ~TCanvas() = default;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // The font the next text is measured and drawn in.
    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }
    TColor BrushColor() const { return brushColor_; }
    void SetBrushColor(TColor color) { brushColor_ = color; }
    TColor PenColor() const { return penColor_; }
    void SetPenColor(TColor color) { penColor_ = color; }

    virtual TSize TextExtent(std::string_view text) = 0;
    int TextWidth(std::string_view text) { return TextExtent(text).cx; }
    int TextHeight(std::string_view text) { return TextExtent(text).cy; }
    virtual TTextMetric TextMetrics() = 0;
    // Draws the text with its cell's top-left corner at (x, y), background
    // left as it is.
    virtual void TextOut(int x, int y, std::string_view text) = 0;
    // TextOut that paints nothing outside `clip`.
    virtual void TextRect(const TRect& clip, int x, int y, std::string_view text) = 0;
    // Fills with the brush colour; an empty or inverted rectangle fills nothing.
    virtual void FillRect(const TRect& rect) = 0;
    void MoveTo(int x, int y) { penPos_ = {x, y}; }
    // A line in the pen colour from the pen position to (x, y), that end
    // point left out; the pen position moves there.
    virtual void LineTo(int x, int y) = 0;
    // The whole graphic scaled into the rectangle; an empty one draws nothing.
    virtual void StretchDraw(const TRect& rect, const TGraphic& graphic) = 0;
    // The box of the area that painting can reach.
    virtual TRect ClipRect() const = 0;

protected:
    explicit TCanvas(int pixelsPerInch) { font_.SetPixelsPerInch(pixelsPerInch); }
    TPoint penPos_;

private:
    TFont font_;
    TColor brushColor_ = clWhite;
    TColor penColor_ = clBlack;
};
