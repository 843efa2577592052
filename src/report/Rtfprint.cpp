#include "report/Rtfprint.h"

#include "platform/base/StringStream.h"
#include "platform/base/SysUtils.h"

#include <algorithm>
#include <climits>
#include <string_view>

namespace {

constexpr double kScriptSizeFactor = 0.8;
constexpr double kSuperOffset = -0.2;
constexpr double kSubOffset = 0.66;
constexpr int kTwipsPerInch = 1440;
constexpr const char* kSymbolFont = "Symbol";

// The control words in token-kind order, from kind 3 (par) on.
constexpr std::string_view kWords[] = {"par", "pard", "li", "fi",    "ri",  "tx", "tab", "b",
                                       "i",   "fs",   "tqr", "super", "sub", "f",  "sb",  "sa"};

// Distances and positions are worked out in 64 bits; what a canvas gets is
// kept within int, so hostile numbers place text far away but never wrap.
int Clamp(std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(v, INT_MIN, INT_MAX)); }
int ClampDouble(double v) { return v <= INT_MIN ? INT_MIN : v >= INT_MAX ? INT_MAX : static_cast<int>(v); }

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The end of the word that starts at `start`: a word runs to the first
// blank after its first character, so every word but the first carries the
// blanks in front of it.
std::size_t WordEnd(std::string_view text, std::size_t start) {
    const std::size_t end = text.find(' ', start + 1);
    return end == std::string_view::npos ? text.size() : end;
}

// A control word's parameter: "-" or a digit, then digits. The sign alone is
// no number; numbers beyond int are clamped.
int ParseParameter(std::string_view digits) {
    if (digits == "-") return StrToInt(digits);  // raises the conversion error
    const bool negative = digits.front() == '-';
    std::int64_t value = 0;
    for (std::size_t i = negative ? 1 : 0; i < digits.size(); ++i) {
        value = std::min<std::int64_t>(value * 10 + (digits[i] - '0'), std::int64_t(INT_MAX) + 1);
    }
    return Clamp(negative ? -value : value);
}

}  // namespace

void RTFStyle::Assign(const RTFStyle& source) {
    Font = source.Font;
    Style = source.Style;
    Script = source.Script;
    FirstIndent = source.FirstIndent;
    LeftIndent = source.LeftIndent;
    RightIndent = source.RightIndent;
    SpaceBefore = source.SpaceBefore;
    SpaceAfter = source.SpaceAfter;
    TabCount = source.TabCount;
    std::copy_n(source.Tabs.begin(), TabCount, Tabs.begin());
}

bool RTFStyle::Apply(int kind, int parameter, int pixelsPerInch, const std::string& reportName, int reportSize) {
    const int d = Clamp(std::int64_t(parameter) * pixelsPerInch / kTwipsPerInch);
    switch (kind) {
    case RTFPrint::kLi: LeftIndent = d; return true;
    case RTFPrint::kFi: FirstIndent = d; return true;
    case RTFPrint::kRi: RightIndent = d; return true;
    case RTFPrint::kSb: SpaceBefore = d; return true;
    case RTFPrint::kSa: SpaceAfter = d; return true;
    case RTFPrint::kTx:
        if (TabCount < kMaxTabs) Tabs[TabCount++] = {d, PendingRightTab};
        PendingRightTab = false;
        return true;
    case RTFPrint::kTqr: PendingRightTab = true; return true;
    case RTFPrint::kBold: Style.Bold = parameter != 0; return true;
    case RTFPrint::kItalic: Style.Italic = parameter != 0; return true;
    case RTFPrint::kFs: Font.SetSize(Clamp(std::int64_t(parameter) * reportSize / 20)); return true;
    case RTFPrint::kSuper:
    case RTFPrint::kSub:
        Script = kind == RTFPrint::kSuper ? 1 : 2;
        Font.SetSize(ClampDouble(Font.Size() * kScriptSizeFactor));
        return true;
    case RTFPrint::kF: Font.SetName(parameter == 1 ? kSymbolFont : reportName); return true;
    default: return false;
    }
}

RTFPrint::RTFPrint(std::string reportFontName, int reportFontSize)
    : reportFontName_(std::move(reportFontName)), reportFontSize_(reportFontSize) {}

bool RTFPrint::NextToken(TStringStream& stream) {
    const std::string& data = stream.DataString();
    const std::size_t size = data.size();
    const std::int64_t position = stream.Position();
    if (position < 0 || static_cast<std::uint64_t>(position) >= size) return false;
    std::size_t i = static_cast<std::size_t>(position);
    TokenText.clear();
    TokenKind = kText;
    TokenParameter = 1;
    const char c = data[i];
    if (c == '\t') {
        TokenKind = kTab;
        ++i;
    } else if (c == '\r' || c == '\n') {
        TokenKind = kIgnored;
        ++i;
    } else if (c == '{' || c == '}') {
        TokenKind = c == '{' ? kGroupOpen : kGroupClose;
        ++i;
    } else if (c == '\\') {
        ++i;
        if (i < size && (data[i] == '\\' || data[i] == '{' || data[i] == '}')) {
            TokenText.assign(1, data[i++]);
        } else {
            const std::size_t start = i;
            while (i < size && IsLetter(data[i])) ++i;
            TokenKind = kIgnored;
            if (i > start) {
                const std::string_view word(data.data() + start, i - start);
                const auto match = std::find(std::begin(kWords), std::end(kWords), word);
                if (match != std::end(kWords)) TokenKind = static_cast<std::uint8_t>(kPar + (match - std::begin(kWords)));
                if (i < size && (data[i] == '-' || IsDigit(data[i]))) {
                    const std::size_t digits = i++;
                    while (i < size && IsDigit(data[i])) ++i;
                    stream.SetPosition(static_cast<std::int64_t>(i));
                    TokenParameter = ParseParameter(std::string_view(data.data() + digits, i - digits));
                }
                if (i < size && data[i] == ' ') ++i;
            }
        }
    } else {
        const std::size_t start = i;
        while (i < size && data[i] != '\\' && data[i] != '{' && data[i] != '}' && data[i] != '\n' && data[i] != '\r' &&
               data[i] != '\t')
            ++i;
        TokenText.assign(data, start, i - start);
    }
    stream.SetPosition(static_cast<std::int64_t>(i));
    return true;
}

void RTFPrint::Render(TCanvas& canvas, TRect& rect, TStringStream& stream, bool stopAfterParagraph) {
    TFont& font = canvas.Font();
    // Where the setting is empty, \f and \fs refer to the canvas font's own
    // as the first run found it. Every run starts from that font, whatever
    // an earlier run left on the canvas, so measuring and drawing agree.
    if (!reportFontTaken_) {
        effectiveName_ = reportFontName_.empty() ? font.Name() : reportFontName_;
        effectiveSize_ = reportFontSize_ != 0 ? reportFontSize_ : font.Size();
        reportFontTaken_ = true;
    }
    font.SetName(effectiveName_);
    font.SetSize(effectiveSize_);
    styles_[0].Font = font;
    pixelsPerInch_ = font.PixelsPerInch();
    width_ = rect.Width();
    styles_[1].Assign(styles_[0]);
    level_ = 1;
    paragraphStarted_ = false;
    while (NextToken(stream)) {
        if (TokenKind == kGroupOpen) {
            if (level_ < kStackDepth - 1) {
                styles_[level_ + 1].Assign(styles_[level_]);
                ++level_;
            }
        } else if (TokenKind == kGroupClose) {
            if (level_ > 0) --level_;
        } else if (ProcessToken(canvas, rect) && stopAfterParagraph) {
            break;
        }
    }
}

void RTFPrint::ApplyStyle(TCanvas& canvas, TRect& rect) {
    RTFStyle& style = Current();
    if (!paragraphStarted_) {
        x_ = Clamp(std::int64_t(style.LeftIndent) + style.FirstIndent);
        rect.Top = Clamp(std::int64_t(rect.Top) + style.SpaceBefore);
    }
    const int ppi = canvas.Font().PixelsPerInch();
    canvas.Font() = style.Font;
    canvas.Font().SetPixelsPerInch(ppi);
    canvas.Font().SetStyle(style.Style);
    paragraphStarted_ = true;
}

bool RTFPrint::ProcessToken(TCanvas& canvas, TRect& rect) {
    RTFStyle& style = Current();
    if (style.Apply(TokenKind, TokenParameter, pixelsPerInch_, effectiveName_, effectiveSize_)) return false;
    switch (TokenKind) {
    case kPar:
        if (lineHeight_ == 0) {
            ApplyStyle(canvas, rect);
            lineHeight_ = canvas.TextHeight("0");
        }
        rect.Top = Clamp(std::int64_t(rect.Top) + style.SpaceAfter + lineHeight_);
        x_ = 0;
        lineHeight_ = 0;
        paragraphStarted_ = false;
        return true;
    case kPard: style.Assign(styles_[0]); return false;
    case kTab:
        ApplyStyle(canvas, rect);
        if (x_ < style.LeftIndent) {
            x_ = style.LeftIndent;
        } else {
            for (int t = 0; t < style.TabCount; ++t) {
                if (style.Tabs[t].Position > x_) {
                    if (style.Tabs[t].Right) {
                        pendingRightTab_ = style.Tabs[t].Position;
                    } else {
                        x_ = style.Tabs[t].Position;
                    }
                    break;
                }
            }
        }
        return false;
    case kText: DrawText(canvas, rect); return false;
    default: return false;
    }
}

void RTFPrint::DrawText(TCanvas& canvas, TRect& rect) {
    ApplyStyle(canvas, rect);
    const RTFStyle& style = Current();
    const std::string_view text = TokenText;
    if (pendingRightTab_ != 0) {
        // The width the words will advance: a canvas whose widths don't add
        // up would otherwise end the text short of the stop, and the next
        // \tab would find that same stop again.
        std::int64_t w = 0;
        for (std::size_t start = 0, end = 0; start < text.size(); start = end) {
            end = WordEnd(text, start);
            w += canvas.TextWidth(text.substr(start, end - start));
        }
        if (x_ + w < pendingRightTab_) x_ = Clamp(pendingRightTab_ - w);
        pendingRightTab_ = 0;
    }
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = WordEnd(text, start);
        std::string_view word = text.substr(start, end - start);
        start = end;
        TSize e = canvas.TextExtent(word);
        lineHeight_ = std::max(lineHeight_, e.cy);
        if (std::int64_t(x_) + e.cx > width_) {
            while (!word.empty() && static_cast<unsigned char>(word.front()) <= ' ') word.remove_prefix(1);
            if (!word.empty()) e = canvas.TextExtent(word);
            x_ = style.LeftIndent;
            rect.Top = Clamp(std::int64_t(rect.Top) + lineHeight_);
            lineHeight_ = 0;
        }
        if (word.empty()) continue;
        if (!MeasureOnly) {
            int y = rect.Top;
            if (style.Script == 1) y = ClampDouble(e.cy * kSuperOffset + rect.Top);
            if (style.Script == 2) y = ClampDouble(e.cy * kSubOffset + rect.Top);
            canvas.TextOut(Clamp(std::int64_t(rect.Left) + x_), y, word);
        }
        x_ = Clamp(std::int64_t(x_) + e.cx);
    }
}
