// Byte-string routines of the XML reader and its Windows-1252 conversions.
#include "data/XmlParser.h"

#include "platform/win/CodePage.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <system_error>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace xml {
namespace {

constexpr std::array<bool, 256> MakeNameStart() {
    std::array<bool, 256> t{};
    t[':'] = t['_'] = true;
    for (int c = 'A'; c <= 'Z'; ++c) t[c] = true;
    for (int c = 'a'; c <= 'z'; ++c) t[c] = true;
    for (int c = 192; c <= 255; ++c) t[c] = (c != 215 && c != 247);
    return t;
}
constexpr std::array<bool, 256> kNameStart = MakeNameStart();

// Each byte, white space made a blank: a look-up instead of a branch.
constexpr std::array<char, 256> MakeBlanked() {
    std::array<char, 256> t{};
    for (int c = 0; c < 256; ++c) t[c] = IsWs(static_cast<char>(c)) ? ' ' : static_cast<char>(c);
    return t;
}
constexpr std::array<char, 256> kBlanked = MakeBlanked();

}  // namespace

bool IsNameStart(char c) {
    return kNameStart[static_cast<unsigned char>(c)];
}

const std::string& EmptyText() {
    static const std::string empty;
    return empty;
}

std::string TrimWs(std::string_view text) {
    std::size_t first = 0, end = text.size();
    while (first < end && IsWs(text[first])) ++first;
    while (end > first && IsWs(text[end - 1])) --end;
    return std::string(text.substr(first, end - first));
}

std::string ConvertWs(std::string_view text, bool pack) {
    std::string out;
    out.reserve(text.size());
    bool previousWs = false;
    for (const char c : text) {
        const bool ws = IsWs(c);
        if (ws && pack && previousWs) continue;
        out.push_back(ws ? ' ' : c);
        previousWs = ws;
    }
    return out;
}

void NormalizeWs(std::string& text) {
    std::size_t out = 0;
    bool pendingSpace = false;
    for (const char c : text) {
        if (IsWs(c)) {
            pendingSpace = out > 0;
            continue;
        }
        if (pendingSpace) {
            text[out++] = ' ';
            pendingSpace = false;
        }
        text[out++] = c;
    }
    text.resize(out);
}

bool BlankWs(std::string& text) {
    char* p = text.data();
    char* const end = p + text.size();
    unsigned high = 0;  // a bit set for each byte above 0x7F
#if defined(__SSE2__)
    if (end - p >= 16) {
        // Blocks of 16, the last one overlapping the one before: a blank
        // stays a blank, so bytes done twice come out the same.
        const __m128i blank = _mm_set1_epi8(' ');
        for (char* block = p;; block += 16) {
            if (end - block < 16) block = end - 16;
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block));
            const __m128i ws = _mm_or_si128(
                _mm_or_si128(_mm_cmpeq_epi8(v, blank), _mm_cmpeq_epi8(v, _mm_set1_epi8('\t'))),
                _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('\n')), _mm_cmpeq_epi8(v, _mm_set1_epi8('\r'))));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(block),
                             _mm_or_si128(_mm_andnot_si128(ws, v), _mm_and_si128(ws, blank)));
            high |= static_cast<unsigned>(_mm_movemask_epi8(v));
            if (block + 16 == end) return high != 0;
        }
    }
#endif
    for (; p != end; ++p) {
        const auto c = static_cast<unsigned char>(*p);
        *p = kBlanked[c];
        high |= c >> 7;
    }
    return high != 0;
}

void SetStringSF(std::string& text, const char* first, const char* last) {
    if (last < first) text.clear();
    else text.assign(first, static_cast<std::size_t>(last - first) + 1);
}

std::string StrSFPas(const char* first, const char* last) {
    std::string text;
    SetStringSF(text, first, last);
    return text;
}

const char* FindText(const char* pos, const char* text) {
    return std::strstr(pos, text);
}

const char* FindChar(const char* pos, char c) {
    if (c == 0) return nullptr;
    return std::strchr(pos, c);
}

const char* LastByteOf(const char* pos) {
    return pos + std::strlen(pos) - 1;
}

const char* FindCharOrLast(const char* pos, char c) {
    if (const char* found = FindChar(pos, c)) return found;
    return LastByteOf(pos);
}

const char* ExtractName(const char* start, const TCharset& terminators) {
    if (*start == 0) return start;
    TCharset ends = terminators;  // one test per byte
    ends.Add('\0');
    ends.Add('>');
    const char* p = start + 1;
    while (!ends.Contains(*p)) ++p;
    return p;
}

const char* ExtractQuote(const char* start, std::string& text) {
    const char* close = std::strchr(start + 1, *start);
    if (close) {
        text.assign(start + 1, close);
        return close;
    }
    const std::size_t rest = std::strlen(start + 1);
    text.assign(start + 1, rest);
    return start + rest;  // the last byte before the NUL (the quote itself when nothing follows)
}

std::string DeleteChars(std::string_view text, const TCharset& chars) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text)
        if (!chars.Contains(c)) out.push_back(c);
    return out;
}

std::string AnsiToUtf8(std::string_view text) {
    return win::ToUtf8(win::CodePage::Cp1252, text);
}

namespace {

// One character back to its Windows-1252 byte; output never outgrows input.
std::size_t Utf8ToAnsiInto(const char* in, std::size_t size, char* out, char replacement) {
    std::size_t i = 0, o = 0;
    while (i < size) {
        const auto b = static_cast<unsigned char>(in[i]);
        if (b < 0x80) {
            out[o++] = static_cast<char>(b);
            ++i;
            continue;
        }
        char32_t code;
        if ((b & 0xE0) == 0xC0 && size - i >= 2) {
            code = (char32_t{b} & 0x1F) << 6 | (static_cast<unsigned char>(in[i + 1]) & 0x3F);
            i += 2;
        } else if ((b & 0xF0) == 0xE0 && size - i >= 3) {
            code = (char32_t{b} & 0x0F) << 12 | (static_cast<unsigned char>(in[i + 1]) & 0x3F) << 6 |
                   (static_cast<unsigned char>(in[i + 2]) & 0x3F);
            i += 3;
        } else {
            // A stray continuation byte, a cut sequence (which takes the rest of
            // the text), a four-byte form (with its three continuation bytes)
            // or 0xF8-0xFF: the replacement byte's own character, which maps
            // back to that byte.
            if ((b & 0xE0) == 0xC0 || (b & 0xF0) == 0xE0) i = size;
            else if ((b & 0xF8) == 0xF0) i = std::min(size, i + 4);
            else ++i;
            out[o++] = replacement;
            continue;
        }
        const int byte = win::FromUnicode(win::CodePage::Cp1252, code);
        out[o++] = byte < 0 ? replacement : static_cast<char>(byte);
    }
    return o;
}

bool AllAscii(const std::string& text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

}  // namespace

std::string Utf8ToAnsi(std::string_view text, char replacement) {
    std::string out(text.size(), '\0');
    out.resize(Utf8ToAnsiInto(text.data(), text.size(), out.data(), replacement));
    return out;
}

void Utf8ToAnsiInPlace(std::string& text, char replacement) {
    if (AllAscii(text)) return;
    // Writing never overtakes reading: each character shrinks or keeps its size.
    text.resize(Utf8ToAnsiInto(text.data(), text.size(), text.data(), replacement));
}

unsigned char CharRefByte(std::string_view number) {
    int base = 10;
    if (!number.empty() && (number[0] == 'x' || number[0] == 'X')) {
        base = 16;
        number.remove_prefix(1);
    }
    std::uint32_t value = 0;
    const char* end = number.data() + number.size();
    const auto [stop, error] = std::from_chars(number.data(), end, value, base);
    if (number.empty() || error != std::errc() || stop != end) return ' ';
    if (value <= 0xFF) return static_cast<unsigned char>(value);
    const int byte = win::FromUnicode(win::CodePage::Cp1252, value);
    return static_cast<unsigned char>(byte < 0 ? 0xBF : byte);
}

int PredefinedEntityChar(std::string_view name) {
    if (name == "lt") return '<';
    if (name == "gt") return '>';
    if (name == "amp") return '&';
    if (name == "apos") return '\'';
    if (name == "quot") return '"';
    return -1;
}

}  // namespace xml
