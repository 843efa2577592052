// Text content copied out of the document in one pass: white space packed
// and UTF-8 converted on the way, stretches that need neither copied whole.
// NormalizeWs and Utf8ToAnsi (XmlParserText.cpp) stay the reference: the
// result is the same bytes as converting each run, joining and normalising.
#include "data/XmlParser.h"

#include "platform/win/CodePage.h"

#include <algorithm>
#include <array>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace xml {
namespace {

// The ends of a run of document text: NUL, "<" and "&".
inline bool IsStop(char c) {
    return c == 0 || c == '<' || c == '&';
}

inline bool IsHigh(char c) {
    return static_cast<unsigned char>(c) >= 0x80;
}

// A byte where copying whole has to pause: the end of the run, a byte that a
// conversion changes, or white space that packing changes (a tab, line feed or
// carriage return, or a blank after a blank). So a stretch before it holds
// single blanks between other bytes at most. REQUIRES: p[-1] readable.
template <bool Normalize, bool Utf8>
inline bool IsSpecial(const char* p) {
    const char c = *p;
    if (IsStop(c)) return true;
    if (Utf8 && IsHigh(c)) return true;
    if (!Normalize) return false;
    return c == '\t' || c == '\n' || c == '\r' || (c == ' ' && p[-1] == ' ');
}

// The first byte at or after p that is not white space. White space comes in
// runs of a few bytes (a line end and indentation): one block holds most.
inline const char* SkipWs(const char* p, const char* blockEnd) {
#if defined(__SSE2__)
    if (blockEnd && blockEnd - p >= 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i ws = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8(' ')), _mm_cmpeq_epi8(v, _mm_set1_epi8('\t'))),
                                        _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('\n')), _mm_cmpeq_epi8(v, _mm_set1_epi8('\r'))));
        const unsigned other = ~static_cast<unsigned>(_mm_movemask_epi8(ws)) & 0xFFFF;
        if (other != 0) return p + __builtin_ctz(other);
        p += 16;
    }
#else
    (void)blockEnd;
#endif
    while (IsWs(*p)) ++p;
    return p;
}

constexpr char kReplacement = '\xBF';

// The Windows-1252 byte of every character below U+0800, the reach of a
// two-byte sequence (the replacement byte where the code page has none).
const std::array<char, 0x800>& TwoByteCharacters() {
    static const std::array<char, 0x800> table = [] {
        std::array<char, 0x800> t{};
        for (char32_t c = 0; c < t.size(); ++c) {
            const int byte = win::FromUnicode(win::CodePage::Cp1252, c);
            t[c] = byte < 0 ? kReplacement : static_cast<char>(byte);
        }
        return t;
    }();
    return table;
}

// One character of UTF-8 at p, decoded as Utf8ToAnsi does within a run that
// ends at the next stop byte: a sequence cut short by the stop takes the rest
// of the run. Returns where the next character begins; byte gets its
// Windows-1252 byte.
inline const char* DecodeUtf8(const char* p, const std::array<char, 0x800>& twoByte, char& byte) {
    const auto b = static_cast<unsigned char>(p[0]);
    const auto low6 = [](char c) { return static_cast<char32_t>(static_cast<unsigned char>(c) & 0x3F); };
    if ((b & 0xE0) == 0xC0) {
        if (IsStop(p[1])) {
            byte = kReplacement;
            return p + 1;
        }
        byte = twoByte[(char32_t{b} & 0x1F) << 6 | low6(p[1])];
        return p + 2;
    }
    if ((b & 0xF0) == 0xE0) {
        if (IsStop(p[1]) || IsStop(p[2])) {
            byte = kReplacement;
            return IsStop(p[1]) ? p + 1 : p + 2;
        }
        const int converted =
            win::FromUnicode(win::CodePage::Cp1252, (char32_t{b} & 0x0F) << 12 | low6(p[1]) << 6 | low6(p[2]));
        byte = converted < 0 ? kReplacement : static_cast<char>(converted);
        return p + 3;
    }
    // A stray continuation byte, a four-byte form with up to three
    // continuation bytes, or 0xF8-0xFF.
    byte = kReplacement;
    ++p;
    if ((b & 0xF8) == 0xF0)
        for (int i = 0; i < 3 && !IsStop(*p); ++i) ++p;
    return p;
}

}  // namespace

TTextSink::TTextSink() : buffer_(256), twoByte_(TwoByteCharacters()) {}

void TTextSink::Start(bool normalize) {
    length_ = 0;
    normalize_ = normalize;
    pendingBlank_ = false;
}

void TTextSink::Grow(std::size_t bytes) {
    buffer_.resize(std::max(2 * buffer_.size(), length_ + bytes));
}

void TTextSink::Append(std::string_view bytes) {
    if (normalize_) {
        for (const char c : bytes) Put<true>(c);
        return;
    }
    Reserve(bytes.size());
    std::memcpy(buffer_.data() + length_, bytes.data(), bytes.size());
    length_ += bytes.size();
}

// Copies p[0], which is neither special nor white space, and the bytes after
// it up to the next special byte; returns that byte. Whole blocks of 16 are
// stored as they are read, and only the part before a special byte counts.
// IsSpecial reads the byte before: p[0] is never a blank, so the first block
// has none before it to worry about.
template <bool Normalize, bool Utf8>
const char* TTextSink::CopyStretch(const char* p, const char* blockEnd) {
    const char* const first = p;
#if defined(__SSE2__)
    if (blockEnd) {
        const __m128i nul = _mm_setzero_si128();
        const __m128i lt = _mm_set1_epi8('<');
        const __m128i amp = _mm_set1_epi8('&');
        const __m128i tab = _mm_set1_epi8('\t');
        const __m128i lf = _mm_set1_epi8('\n');
        const __m128i cr = _mm_set1_epi8('\r');
        const __m128i blank = _mm_set1_epi8(' ');
        unsigned blankBefore = 0;  // the blank bit of the byte before the block; p[0] is no blank
        while (blockEnd - p >= 16) {
            Reserve(16);
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(buffer_.data() + length_), v);
            __m128i special = _mm_or_si128(_mm_cmpeq_epi8(v, nul),
                                           _mm_or_si128(_mm_cmpeq_epi8(v, lt), _mm_cmpeq_epi8(v, amp)));
            if (Normalize)
                special = _mm_or_si128(special, _mm_or_si128(_mm_cmpeq_epi8(v, tab),
                                                             _mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_cmpeq_epi8(v, cr))));
            auto mask = static_cast<unsigned>(_mm_movemask_epi8(special));
            if (Normalize) {  // a blank after a blank
                const auto blanks = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, blank)));
                mask |= blanks & (blanks << 1 | blankBefore);
                blankBefore = blanks >> 15;
            }
            if (Utf8) mask |= static_cast<unsigned>(_mm_movemask_epi8(v));  // the high bit of each byte
            if (mask != 0) {
                const int stretch = __builtin_ctz(mask);
                length_ += static_cast<std::size_t>(stretch);
                return p + stretch;
            }
            length_ += 16;
            p += 16;
        }
    }
#else
    (void)blockEnd;
#endif
    const char* end = p == first ? p + 1 : p;
    while (!IsSpecial<Normalize, Utf8>(end)) ++end;
    const auto size = static_cast<std::size_t>(end - p);
    Reserve(size);
    std::memcpy(buffer_.data() + length_, p, size);
    length_ += size;
    return end;
}

template <bool Normalize, bool Utf8>
const char* TTextSink::CopyRun(const char* p, const char* blockEnd) {
    for (;;) {
        const char c = *p;
        if (IsStop(c)) return p;
        if (Normalize && IsWs(c)) {
            p = SkipWs(p + 1, blockEnd);
            pendingBlank_ = length_ > 0;
            continue;
        }
        if (Utf8 && IsHigh(c)) {
            char byte;
            p = DecodeUtf8(p, twoByte_, byte);
            Put<Normalize>(byte);
            continue;
        }
        if (Normalize && pendingBlank_) {
            Reserve(1);
            buffer_[length_++] = ' ';
            pendingBlank_ = false;
        }
        p = CopyStretch<Normalize, Utf8>(p, blockEnd);
        // A stretch holds single blanks only; one at its end begins white
        // space, or is followed by a byte that still has to be converted.
        if (Normalize) {  // without a branch: which it is can't be foreseen
            const bool blank = buffer_[length_ - 1] == ' ';
            length_ -= blank;
            pendingBlank_ = blank;
        }
    }
}

const char* TTextSink::AppendRun(const char* first, const char* blockEnd, bool utf8) {
    if (normalize_) return utf8 ? CopyRun<true, true>(first, blockEnd) : CopyRun<true, false>(first, blockEnd);
    return utf8 ? CopyRun<false, true>(first, blockEnd) : CopyRun<false, false>(first, blockEnd);
}

const char* FindTextStop(const char* p) {
    while (!IsStop(*p)) ++p;
    return p;
}

}  // namespace xml
