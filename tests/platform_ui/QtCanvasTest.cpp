#include "platform/ui/QtCanvas.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPalette>

#include <gtest/gtest.h>

namespace {

// A white 96-dpi image with a painter and a canvas on it.
class QtCanvasTest : public testing::Test {
protected:
    QtCanvasTest() : image_(200, 100, QImage::Format_RGB32) {
        image_.fill(Qt::white);
        image_.setDotsPerMeterX(3780);
        image_.setDotsPerMeterY(3780);
        painter_.emplace(&image_);
        canvas_.emplace(*painter_);
    }
    QImage& Done() {
        canvas_.reset();
        painter_.reset();
        return image_;
    }
    bool IsWhite(const QImage& image, int x, int y) { return image.pixel(x, y) == qRgb(255, 255, 255); }
    // The rows that hold a non-white pixel.
    std::pair<int, int> InkRows(const QImage& image) {
        int first = -1, last = -1;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (!IsWhite(image, x, y)) {
                    if (first < 0) first = y;
                    last = y;
                }
        return {first, last};
    }

    QImage image_;
    std::optional<QPainter> painter_;
    std::optional<TQtCanvas> canvas_;
};

}  // namespace

TEST_F(QtCanvasTest, FillLeavesRightAndBottomEdgesOut) {
    EXPECT_EQ(canvas_->Font().PixelsPerInch(), 96);
    canvas_->SetBrushColor(RGB(40, 160, 40));
    canvas_->FillRect({10, 20, 30, 25});
    canvas_->FillRect({50, 50, 40, 60});  // inverted: nothing
    const QImage& image = Done();
    EXPECT_EQ(image.pixel(10, 20), qRgb(40, 160, 40));
    EXPECT_EQ(image.pixel(29, 24), qRgb(40, 160, 40));
    EXPECT_TRUE(IsWhite(image, 30, 24));
    EXPECT_TRUE(IsWhite(image, 29, 25));
    EXPECT_TRUE(IsWhite(image, 45, 55));
}

TEST_F(QtCanvasTest, ButtonFaceIsThePalettesButtonColour) {
    canvas_->SetBrushColor(clBtnFace);
    canvas_->FillRect({0, 0, 5, 5});
    EXPECT_EQ(Done().pixel(2, 2), QGuiApplication::palette().color(QPalette::Button).rgb());
}

TEST_F(QtCanvasTest, TextHangsBelowItsTopEdge) {
    canvas_->Font().SetName("Arial");
    canvas_->Font().SetSize(20);
    const TSize extent = canvas_->TextExtent("Hg");
    const TTextMetric metric = canvas_->TextMetrics();
    EXPECT_EQ(extent.cy, metric.Height);
    EXPECT_EQ(metric.Ascent + metric.Descent, metric.Height);
    canvas_->TextOut(5, 40, "Hg");
    const auto [first, last] = InkRows(Done());
    EXPECT_GE(first, 40);
    EXPECT_LT(first, 40 + metric.Ascent);
    EXPECT_LT(last, 40 + extent.cy);
    EXPECT_GT(last, 40 + metric.Ascent - 1);  // the g's descender
}

TEST_F(QtCanvasTest, FontSizesAreClampedOnlyWhenDrawn) {
    struct Case {
        int points, pixels;
    };
    for (const Case c : {Case{0, 1}, Case{-5, 1}, Case{9, 12}, Case{5000, 1333}}) {
        SCOPED_TRACE(c.points);
        canvas_->Font().SetSize(c.points);
        EXPECT_EQ(canvas_->Font().Size(), c.points);
        EXPECT_EQ(canvas_->QtFont().pixelSize(), c.pixels);
        EXPECT_GT(canvas_->TextHeight("0"), 0);
    }
}

TEST_F(QtCanvasTest, TextClipKeepsInkInsideTheRectangle) {
    canvas_->Font().SetSize(30);
    canvas_->TextRect({0, 0, 200, 50}, 5, 30, "Hg");
    EXPECT_EQ(InkRows(Done()).second, 49);
}

TEST_F(QtCanvasTest, LineLeavesItsEndPointOut) {
    canvas_->SetPenColor(clBlack);
    canvas_->MoveTo(2, 5);
    canvas_->LineTo(8, 5);
    canvas_->LineTo(8, 1);
    const QImage& image = Done();
    EXPECT_EQ(image.pixel(2, 5), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(7, 5), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(8, 5), qRgb(0, 0, 0));  // start of the second line
    EXPECT_EQ(image.pixel(8, 2), qRgb(0, 0, 0));
    EXPECT_TRUE(IsWhite(image, 8, 1));
    EXPECT_TRUE(IsWhite(image, 9, 5));
}

TEST_F(QtCanvasTest, ClipRectReportsThePaintersClip) {
    EXPECT_EQ(canvas_->ClipRect(), (TRect{0, 0, 200, 100}));
    painter_->setClipRect(QRect(10, 20, 30, 40));
    EXPECT_EQ(canvas_->ClipRect(), (TRect{10, 20, 40, 60}));
}

TEST_F(QtCanvasTest, StretchDrawFillsTheRectangle) {
    QImage red(2, 2, QImage::Format_RGB32);
    red.fill(Qt::red);
    canvas_->StretchDraw({10, 10, 30, 30}, TQtGraphic(red));
    canvas_->StretchDraw({50, 10, 70, 30}, TQtGraphic());
    const QImage& image = Done();
    EXPECT_EQ(image.pixel(10, 10), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(29, 29), qRgb(255, 0, 0));
    EXPECT_TRUE(IsWhite(image, 30, 30));
    EXPECT_TRUE(IsWhite(image, 60, 20));
}

TEST_F(QtCanvasTest, SymbolFontShowsItsOwnCharacters) {
    canvas_->Font().SetName("Arial");
    EXPECT_EQ(canvas_->QtText("al\xB0"), QString::fromUtf8("al°"));
    canvas_->Font().SetName("Symbol");
    EXPECT_EQ(canvas_->QtText("al\xB0" "D"), QString::fromUtf8("αλ°Δ"));
    EXPECT_EQ(canvas_->TextWidth("a"), QFontMetrics(canvas_->QtFont(), &image_).horizontalAdvance(QString::fromUtf8("α")));
}
