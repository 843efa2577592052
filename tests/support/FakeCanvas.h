#pragma once
// A canvas that draws nothing and records what it was asked to draw, with
// metrics a test can work out by hand: at the canvas font, em = size x
// pixels-per-inch / 72 (at least 1); a byte is em / 2 wide (at least 1) and
// a text em high; the ascent is 3/4 em and the external leading em / 8.

#include "platform/base/Canvas.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace testing_support {

class TFakeCanvas : public TCanvas {
public:
    struct Text {
        int X = 0;
        int Y = 0;
        std::string Bytes;
        TFont Font;
        std::optional<TRect> Clip;
    };
    struct Fill {
        TRect Rect;
        TColor Color = 0;
    };
    struct Line {
        TPoint From;
        TPoint To;
        TColor Color = 0;
    };
    struct Stretch {
        TRect Rect;
        int Width = 0;
        int Height = 0;
    };

    explicit TFakeCanvas(int pixelsPerInch = 96, TRect clip = {0, 0, 100000, 100000})
        : TCanvas(pixelsPerInch), clip(clip) {}

    int Em() const {
        const std::int64_t em = std::int64_t(std::max(Font().Size(), 0)) * Font().PixelsPerInch() / 72;
        return static_cast<int>(std::clamp<std::int64_t>(em, 1, INT_MAX / 2));
    }
    TSize TextExtent(std::string_view text) override {
        const std::int64_t w = std::int64_t(std::max(1, Em() / 2)) * static_cast<std::int64_t>(text.size());
        return {static_cast<int>(std::min<std::int64_t>(w, INT_MAX)), Em()};
    }
    TTextMetric TextMetrics() override {
        const int em = Em();
        return {em, em * 3 / 4, em - em * 3 / 4, em / 8, std::max(1, em / 2)};
    }
    void TextOut(int x, int y, std::string_view text) override { texts.push_back({x, y, std::string(text), Font(), {}}); }
    void TextRect(const TRect& r, int x, int y, std::string_view text) override {
        texts.push_back({x, y, std::string(text), Font(), r});
    }
    void FillRect(const TRect& rect) override { fills.push_back({rect, BrushColor()}); }
    void LineTo(int x, int y) override {
        lines.push_back({penPos_, {x, y}, PenColor()});
        penPos_ = {x, y};
    }
    void StretchDraw(const TRect& rect, const TGraphic& graphic) override {
        stretches.push_back({rect, graphic.Width(), graphic.Height()});
    }
    TRect ClipRect() const override { return clip; }

    // All drawn texts joined, for a quick look at what a page says.
    std::string AllText() const {
        std::string all;
        for (const Text& t : texts) all += t.Bytes;
        return all;
    }

    TRect clip;
    std::vector<Text> texts;
    std::vector<Fill> fills;
    std::vector<Line> lines;
    std::vector<Stretch> stretches;
};

// A graphic of a given size for StretchDraw.
class TFakeGraphic : public TGraphic {
public:
    TFakeGraphic(int width, int height) : width_(width), height_(height) {}
    int Width() const override { return width_; }
    int Height() const override { return height_; }

private:
    int width_;
    int height_;
};

}  // namespace testing_support
