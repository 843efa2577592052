// The header format's two text forms.
//
// TITLE text, lines ended by CR LF (a lone CR or LF ends a line too); a
// number line holds a decimal number at its start, the rest is ignored:
//   R                      title rows per column
//   N                      column blocks
//   then N blocks:
//     width                negative: hidden, with the absolute value as width
//     format               ["[" ["!"] n "]"] [digits] ["." decimals] kind
//                          title-alignment data-alignment id ...
//     R title lines        lines 0 and 1 are kept
//
// Registry value of a column:
//   ["-"] width title-alignment data-alignment [digits] ["." decimals] kind
//   ["@" user line 0 ["@" user line 1 ["@" factor]]]
// Alignment letters: "c" centre, "r" right, anything else left.
#include "listheader/Listheaderformat.h"

#include "platform/base/SysUtils.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Consumes the leading digits of `text` into `value`, stopping to grow at
// `max`; false, with `value` unchanged, when there is no digit.
bool ReadDigits(std::string_view& text, long long max, long long& value) {
    if (text.empty() || !IsDigit(text.front())) return false;
    long long result = 0;
    while (!text.empty() && IsDigit(text.front())) {
        result = std::min(max, result * 10 + (text.front() - '0'));
        text.remove_prefix(1);
    }
    value = result;
    return true;
}

// An optional sign and digits at the front; 0 when there are none.
long long ReadSigned(std::string_view& text, long long max) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    long long value = 0;
    ReadDigits(text, max, value);
    return negative ? -value : value;
}

// The next line of the text, consumed with its end; false at the end of the text.
bool NextLine(std::string_view& text, std::string_view& line) {
    if (text.empty()) return false;
    const std::size_t end = text.find_first_of("\r\n");
    line = text.substr(0, end);
    if (end == std::string_view::npos) {
        text = {};
        return true;
    }
    const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
    text.remove_prefix(end + (crlf ? 2 : 1));
    return true;
}

THeaderAlignment AlignmentOf(char letter) {
    if (letter == 'c') return THeaderAlignment::Center;
    if (letter == 'r') return THeaderAlignment::Right;
    return THeaderAlignment::Left;
}

char AlignmentLetter(THeaderAlignment alignment) {
    switch (alignment) {
        case THeaderAlignment::Right: return 'r';
        case THeaderAlignment::Center: return 'c';
        case THeaderAlignment::Left: break;
    }
    return 'l';
}

bool TakeChar(std::string_view& text, char& c) {
    if (text.empty()) return false;
    c = text.front();
    text.remove_prefix(1);
    return true;
}

// Text up to the next "@" (or the end), consumed without the "@".
std::string_view TakeField(std::string_view& text) {
    const std::size_t at = text.find('@');
    const std::string_view field = text.substr(0, at);
    text.remove_prefix(at == std::string_view::npos ? text.size() : at);
    return field;
}

// A factor as FloatToStr writes it under any decimal separator.
bool ParseFactor(std::string_view text, float& factor) {
    std::string dotted(text);
    std::replace(dotted.begin(), dotted.end(), ',', '.');
    double value = 0;
    if (!TryParseDouble(dotted, value)) return false;
    if (!std::isfinite(static_cast<float>(value))) return false;
    factor = static_cast<float>(value);
    return true;
}

std::string WithoutAt(std::string text) {
    std::erase(text, '@');
    return text;
}

}  // namespace

void TListHeaderFormatCol::ParseInclusion(std::string_view& text) {
    Included = true;
    if (text.empty() || text.front() != '[') return;
    text.remove_prefix(1);
    const bool negated = !text.empty() && text.front() == '!';
    if (negated) text.remove_prefix(1);
    long long value = 0;
    // Saturated, so that a long number stays non-zero.
    ReadDigits(text, std::numeric_limits<std::uint32_t>::max(), value);
    if (!text.empty() && text.front() == ']') text.remove_prefix(1);
    const bool hit = (static_cast<std::uint32_t>(value) & kInclusionMask) != 0;
    Included = negated ? !hit : hit;
}

void TListHeaderFormatCol::ParseNumberFormat(std::string_view& text) {
    long long value = 0;
    if (ReadDigits(text, kMaxDigits, value)) Digits = static_cast<std::int16_t>(value);
    if (!text.empty() && text.front() == '.') {
        text.remove_prefix(1);
        if (ReadDigits(text, kMaxDigits, value)) Decimals = static_cast<std::int16_t>(value);
    }
    // A missing letter leaves the user lines that follow it whole.
    if (text.empty() || text.front() == '@') return;
    const char kind = text.front();
    text.remove_prefix(1);
    switch (kind) {
        case 'E': case 'e': ValueKind = TValueKind::Real; FloatFormat = TFloatFormat::Scientific; break;
        case 'F': case 'f': ValueKind = TValueKind::Real; FloatFormat = TFloatFormat::Fixed; break;
        case 'G': case 'g': ValueKind = TValueKind::Real; FloatFormat = TFloatFormat::General; break;
        case 'I': case 'i': ValueKind = TValueKind::Integer; break;
        default: ValueKind = TValueKind::Text; return;
    }
    ShowZero = kind >= 'a' && kind <= 'z';
}

bool TListHeaderFormatCol::ReadFromResource(std::string_view& text, int rows) {
    std::string_view line;
    if (!NextLine(text, line)) return false;
    const long long width = ReadSigned(line, kMaxColumnWidth);
    Visible = width >= 0;
    Width = static_cast<std::int16_t>(width < 0 ? -width : width);

    if (!NextLine(text, line)) return false;
    ParseInclusion(line);
    ParseNumberFormat(line);
    char letter = 0;
    if (TakeChar(line, letter)) TitleAlignment = AlignmentOf(letter);
    if (TakeChar(line, letter)) DataAlignment = AlignmentOf(letter);
    long long id = 0;
    if (ReadDigits(line, std::numeric_limits<std::int16_t>::max(), id)) Id = static_cast<std::int16_t>(id);

    for (int row = 0; row < rows; ++row) {
        if (!NextLine(text, line)) return false;
        SetTitle(row, std::string(line));
    }
    return true;
}

void TListHeaderFormat::ReadTitleText(std::string_view text) {
    Clear();
    std::string_view line;
    if (!NextLine(text, line)) return;
    constexpr long long kMaxCount = std::numeric_limits<std::int16_t>::max();
    rows_ = static_cast<std::int16_t>(std::max(0LL, ReadSigned(line, kMaxCount)));
    if (!NextLine(text, line)) return;
    const long long count = std::max(0LL, ReadSigned(line, kMaxCount));
    for (long long block = 0; block < count; ++block) {
        TListHeaderFormatCol column;
        if (!column.ReadFromResource(text, rows_)) break;  // an unfinished block is dropped
        if (column.Included) columns_.push_back(std::move(column));
    }
    ResetOrder();
}

std::string TListHeaderFormatCol::RegistryValue() const {
    std::string value;
    if (!Visible) value += '-';
    value += std::to_string(Width);
    value += AlignmentLetter(TitleAlignment);
    value += AlignmentLetter(DataAlignment);
    char kind = 'S';
    if (ValueKind == TValueKind::Integer) {
        kind = 'I';
    } else if (ValueKind == TValueKind::Real) {
        value += std::to_string(Digits) + "." + std::to_string(Decimals);
        kind = FloatFormat == TFloatFormat::Scientific ? 'E' : FloatFormat == TFloatFormat::Fixed ? 'F' : 'G';
    }
    value += ShowZero ? static_cast<char>(kind - 'A' + 'a') : kind;
    if (UserDefined) {
        // "@" separates the fields, so it can't stand inside a line.
        value += '@' + WithoutAt(userLines_[0]);
        value += '@' + WithoutAt(userLines_[1]);
        value += '@' + FloatToStr(Factor);
    }
    return value;
}

void TListHeaderFormatCol::ReadRegistryValue(std::string_view value) {
    Visible = value.empty() || value.front() != '-';
    if (!Visible) value.remove_prefix(1);
    long long width = 0;
    if (ReadDigits(value, kMaxColumnWidth, width)) Width = static_cast<std::int16_t>(width);
    char letter = 0;
    if (!TakeChar(value, letter)) return;
    TitleAlignment = AlignmentOf(letter);
    if (!TakeChar(value, letter)) return;
    DataAlignment = AlignmentOf(letter);
    ParseNumberFormat(value);
    if (value.empty() || value.front() != '@') return;
    value.remove_prefix(1);
    UserDefined = true;
    userLines_[0] = std::string(TakeField(value));
    if (value.empty()) return;
    value.remove_prefix(1);
    userLines_[1] = std::string(TakeField(value));
    if (value.empty()) return;
    value.remove_prefix(1);
    ParseFactor(value, Factor);  // a factor that doesn't read leaves the one there
}

std::string TListHeaderFormat::OrderText() const {
    std::string text;
    for (const std::int16_t index : order_) {
        if (!text.empty()) text += ',';
        text += std::to_string(columns_[static_cast<std::size_t>(index)].Id);
    }
    return text;
}

void TListHeaderFormat::ReadOrderText(std::string_view text) {
    const std::size_t count = columns_.size();
    std::vector<bool> placed(count, false);
    std::vector<std::int16_t> order;
    std::size_t taken = 0;
    while (!text.empty() && taken < count) {
        const char c = text.front();
        if (c == ',') {
            text.remove_prefix(1);
            continue;
        }
        if (!IsDigit(c) && c != '-' && c != '+') break;
        const long long id = ReadSigned(text, std::numeric_limits<int>::max());
        ++taken;
        for (std::size_t index = 0; index < count; ++index) {
            if (columns_[index].Id != id) continue;
            if (!placed[index]) {
                placed[index] = true;
                order.push_back(static_cast<std::int16_t>(index));
            }
            break;  // only the first column with the id
        }
    }
    for (std::size_t index = 0; index < count; ++index)
        if (!placed[index]) order.push_back(static_cast<std::int16_t>(index));
    order_ = std::move(order);
}
