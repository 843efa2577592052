// One header line with its markup, drawn in two passes: the first measures
// (only for right and centre alignment), the second draws each piece at the
// x the pieces before it reached.
#include "listheader/Listheaderformat.h"

#include "platform/base/Canvas.h"

#include <algorithm>
#include <string>

namespace {

constexpr char kSymbolFont[] = "Symbol";

struct TLinePass {
    TCanvas& canvas;
    const TRect& cell;
    int lineHeight;
    bool stopAtSemicolon;
};

// Draws the pieces (when `drawAt` is set, from that x) and returns the
// line's width. The canvas's font is the same afterwards.
int RunPass(const TLinePass& pass, std::string_view text, const int* drawAt) {
    TCanvas& canvas = pass.canvas;
    TFont& font = canvas.Font();
    const std::string fontName = font.Name();
    const int fontSize = font.Size();
    int width = 0;
    int offsetY = 0;
    std::string piece;
    auto flush = [&] {
        if (piece.empty()) return;
        if (drawAt) {
            const int x = *drawAt + width;
            TRect clip = pass.cell;
            clip.Left = std::max(clip.Left, x);
            canvas.TextRect(clip, x, pass.cell.Top + offsetY, piece);
        }
        width += canvas.TextWidth(piece);
        piece.clear();
    };
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t slash = text.find('\\', pos);
        piece.append(text.substr(pos, slash == std::string_view::npos ? std::string_view::npos : slash - pos));
        // A "\" at the very end ends the text as well.
        if (slash == std::string_view::npos || slash + 1 >= text.size()) break;
        const char letter = text[slash + 1];
        pos = slash + 2;
        const int code = MarkupCode(letter);
        if (code == 4) {
            piece.push_back('\\');
            continue;
        }
        flush();
        if (code == 5 && pass.stopAtSemicolon) break;
        switch (code) {
            case 0:  // superscript
            case 1:  // subscript
                font.SetName(fontName);
                font.SetSize(fontSize * 2 / 3);
                offsetY = code == 1 ? pass.lineHeight / 3 : 0;
                break;
            case 2:
                font.SetName(kSymbolFont);
                offsetY = 0;
                break;
            case 3:
                font.SetName(fontName);
                font.SetSize(fontSize);
                offsetY = 0;
                break;
            default: break;  // "\;" without the stop, or an unknown letter: dropped
        }
    }
    flush();
    font.SetName(fontName);
    font.SetSize(fontSize);
    return width;
}

}  // namespace

void DrawHeaderLine(TCanvas& canvas, std::string_view text, THeaderAlignment alignment, bool stopAtSemicolon,
                    const TRect& cell, int lineHeight, int leftMargin) {
    const TLinePass pass{canvas, cell, lineHeight, stopAtSemicolon};
    int offset = leftMargin;
    if (alignment != THeaderAlignment::Left) {
        offset = (cell.Right - cell.Left) - RunPass(pass, text, nullptr);
        if (alignment == THeaderAlignment::Center) offset /= 2;
    }
    const int x = cell.Left + offset;
    RunPass(pass, text, &x);
}

void TListHeaderFormatCol::PaintTitle(TCanvas& canvas, int line, const TRect& cell, bool stopAtSemicolon,
                                      int lineHeight, int leftMargin) const {
    DrawHeaderLine(canvas, ShownLine(line), TitleAlignment, stopAtSemicolon, cell, lineHeight, leftMargin);
}
