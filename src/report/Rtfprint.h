#pragma once
// The report's RTF renderer: lays a small RTF subset out onto a canvas inside
// a rectangle, from the top down, advancing the rectangle's Top by what it
// lays out. The subset, for every writer of report text:
//   groups { }, \par, \pard, \li \fi \ri \sb \sa (twips), \tx with \tqr,
//   \tab (and a TAB), \b \i, \fs (half-points of the report size), \super,
//   \sub, \f (1: "Symbol", else the report font), \\ \{ \} for the characters;
//   any other control word, a stray backslash, CR and LF are ignored.
// A measure-only mode does the whole layout without drawing.

#include "platform/base/Canvas.h"

#include <array>
#include <cstdint>
#include <string>

class TStringStream;

// One formatting state; distances in pixels of the canvas.
class RTFStyle {
public:
    static constexpr int kMaxTabs = 32;
    struct TTabStop {
        int Position = 0;  // from the rectangle's left edge
        bool Right = false;
    };

    // Everything but the pending right tab.
    void Assign(const RTFStyle& source);
    // Applies a formatting word (token kind) and returns true; false for any
    // other kind. `reportName` and `reportSize` are what \f and \fs refer to.
    bool Apply(int kind, int parameter, int pixelsPerInch, const std::string& reportName, int reportSize);

    TFont Font;
    TFontStyles Style;
    std::uint8_t Script = 0;  // 0 normal, 1 superscript, 2 subscript
    int FirstIndent = 0;
    int LeftIndent = 0;
    int RightIndent = 0;  // kept, never used in layout
    int SpaceBefore = 0;
    int SpaceAfter = 0;
    std::array<TTabStop, kMaxTabs> Tabs{};
    int TabCount = 0;
    bool PendingRightTab = false;
};

class RTFPrint {
public:
    // Token kinds.
    enum : std::uint8_t {
        kText, kGroupOpen, kGroupClose, kPar, kPard, kLi, kFi, kRi, kTx, kTab, kBold, kItalic, kFs, kTqr,
        kSuper, kSub, kF, kSb, kSa, kIgnored
    };
    static constexpr int kStackDepth = 8;

    // The report font that \fs and \f refer to and every Render starts
    // from: its name and size in points; "" and 0 take the canvas font's own
    // at the first Render.
    explicit RTFPrint(std::string reportFontName = {}, int reportFontSize = 0);

    // Lays out the stream from its position to its end (or, with
    // stopAfterParagraph, to the first \par) and leaves it after the last
    // token read. Raises EConvertError for a "-" without digits as a
    // parameter; the stream then stands after that word.
    void Render(TCanvas& canvas, TRect& rect, TStringStream& stream, bool stopAfterParagraph = false);

    // Reads the next token; false at the end of the stream.
    bool NextToken(TStringStream& stream);

    bool MeasureOnly = false;

    // The last token read.
    std::uint8_t TokenKind = kText;
    int TokenParameter = 1;
    std::string TokenText;

private:
    bool ProcessToken(TCanvas& canvas, TRect& rect);
    void ApplyStyle(TCanvas& canvas, TRect& rect);
    void DrawText(TCanvas& canvas, TRect& rect);
    RTFStyle& Current() { return styles_[level_]; }

    std::string reportFontName_;
    int reportFontSize_ = 0;
    // What \f and \fs read during a run: the report font as applied to the canvas.
    std::string effectiveName_;
    int effectiveSize_ = 0;
    bool reportFontTaken_ = false;
    std::array<RTFStyle, kStackDepth> styles_;
    int level_ = 0;
    int x_ = 0;
    bool paragraphStarted_ = false;
    int lineHeight_ = 0;
    int width_ = 0;
    int pixelsPerInch_ = 96;
    int pendingRightTab_ = 0;
};
