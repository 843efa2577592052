#include "platform/base/Canvas.h"

#include "support/FakeCanvas.h"

#include <gtest/gtest.h>

// Win32 font heights: -MulDiv(points, ppi, 72), rounded half away from zero.
TEST(Canvas, FontHeightFollowsSizeAndDensity) {
    struct Case {
        int points, ppi, height;
    };
    const Case cases[] = {{8, 96, -11}, {9, 96, -12}, {10, 300, -42}, {9, 300, -38}, {10, 1200, -167}, {0, 96, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.points << " pt at " << c.ppi);
        TFont font;
        font.SetPixelsPerInch(c.ppi);
        font.SetSize(c.points);
        EXPECT_EQ(font.Height(), c.height);
        font.SetSize(99);
        font.SetHeight(c.height);
        EXPECT_EQ(font.Size(), c.points);
    }
}

TEST(Canvas, ColoursKeepWin32ByteOrder) {
    constexpr TColor green = RGB(40, 160, 40);
    EXPECT_EQ(green, 0x28A028u);
    EXPECT_EQ(GetRValue(RGB(1, 2, 3)), 1);
    EXPECT_EQ(GetGValue(RGB(1, 2, 3)), 2);
    EXPECT_EQ(GetBValue(RGB(1, 2, 3)), 3);
}

TEST(Canvas, LinesStartWhereThePenWasMoved) {
    testing_support::TFakeCanvas canvas;
    canvas.SetPenColor(clWhite);
    canvas.MoveTo(3, 9);
    canvas.LineTo(3, 0);
    canvas.LineTo(7, 0);
    ASSERT_EQ(canvas.lines.size(), 2u);
    EXPECT_EQ(canvas.lines[0].From, (TPoint{3, 9}));
    EXPECT_EQ(canvas.lines[1].From, (TPoint{3, 0}));
    EXPECT_EQ(canvas.lines[1].To, (TPoint{7, 0}));
    EXPECT_EQ(canvas.lines[1].Color, clWhite);
}
