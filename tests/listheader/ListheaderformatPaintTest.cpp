#include "listheader/Listheaderformat.h"

#include "support/FakeCanvas.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using testing_support::TFakeCanvas;

// What one drawn piece was: where, which bytes, in which font.
struct Piece {
    int x, y;
    std::string bytes;
    std::string font;
    int size;
    int clipLeft;
    bool operator==(const Piece&) const = default;
};

std::vector<Piece> Pieces(const TFakeCanvas& canvas) {
    std::vector<Piece> pieces;
    for (const auto& t : canvas.texts)
        pieces.push_back({t.X, t.Y, t.Bytes, t.Font.Name(), t.Font.Size(), t.Clip ? t.Clip->Left : -1});
    return pieces;
}

// The fake canvas's 8-point font at 96 dpi: em 10, a byte 5 wide; at 2/3
// size (5 points) em 6, a byte 3 wide.
TEST(HeaderMarkup, Pieces) {
    struct Row {
        const char* name;
        const char* text;
        THeaderAlignment alignment;
        bool stop;
        std::vector<Piece> pieces;
    };
    const std::string sans = "MS Sans Serif";
    using A = THeaderAlignment;
    // Cell from x 20 to 120, top 10; line height 12; left margin 4.
    const Row rows[] = {
        {"superscript", "m\\u2", A::Left, true, {{24, 10, "m", sans, 8, 24}, {29, 10, "2", sans, 5, 29}}},
        {"subscript, then plain", "H\\d2\\pO", A::Left, true,
         {{24, 10, "H", sans, 8, 24}, {29, 14, "2", sans, 5, 29}, {32, 10, "O", sans, 8, 32}}},
        {"symbol font keeps the size", "\\u\\fl", A::Left, true, {{24, 10, "l", "Symbol", 5, 24}}},
        {"stop at \\;", "a\\;b", A::Left, true, {{24, 10, "a", sans, 8, 24}}},
        {"\\; without the stop", "a\\;b", A::Left, false, {{24, 10, "a", sans, 8, 24}, {29, 10, "b", sans, 8, 29}}},
        {"double backslash", "x\\\\y", A::Left, true, {{24, 10, "x\\y", sans, 8, 24}}},
        {"trailing backslash", "ab\\", A::Left, true, {{24, 10, "ab", sans, 8, 24}}},
        {"centre measures the markup", "m\\u2", A::Center, true,
         {{20 + (100 - 8) / 2, 10, "m", sans, 8, 66}, {71, 10, "2", sans, 5, 71}}},
        // A line wider than the cell starts left of it; the clip stays on the cell.
        {"too wide for the cell", "abcdefghijklmnopqrstuvwxyz", A::Right, true,
         {{20 + 100 - 130, 10, "abcdefghijklmnopqrstuvwxyz", sans, 8, 20}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TFakeCanvas canvas;
        DrawHeaderLine(canvas, row.text, row.alignment, row.stop, TRect{20, 10, 120, 40}, 12, 4);
        EXPECT_EQ(Pieces(canvas), row.pieces);
        EXPECT_EQ(canvas.Font().Name(), sans);  // restored
        EXPECT_EQ(canvas.Font().Size(), 8);
    }
}

}  // namespace
