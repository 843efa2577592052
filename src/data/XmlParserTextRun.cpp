// Text content copied out of the document in one pass: UTF-8 converted and
// white space packed on the way, a block of 16 bytes at a time where the text
// allows. NormalizeWs and Utf8ToAnsi (XmlParserText.cpp) stay the reference:
// the result is the same bytes as converting each run, joining and normalising.
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

constexpr char kReplacement = '\xBF';

inline bool IsTwoByteLead(char c) {
    return (static_cast<unsigned char>(c) & 0xE0) == 0xC0;
}

// The character of the two-byte sequence at p.
inline char32_t TwoByteCode(const char* p) {
    return (static_cast<unsigned char>(p[0]) & char32_t{0x1F}) << 6 | (static_cast<unsigned char>(p[1]) & 0x3F);
}

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
    if (IsTwoByteLead(p[0])) {
        if (IsStop(p[1])) {
            byte = kReplacement;
            return p + 1;
        }
        byte = twoByte[TwoByteCode(p)];
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

#if defined(__SSE2__)
// Stores the first count bytes of a block at out, without those marked in
// drop (a bit per byte, none at or past count); returns the new end. The
// block is stored whole first, then each gap is closed by storing the bytes
// after it over it: white space comes in few runs per block. REQUIRES: room
// for 31 bytes at out.
inline char* StoreKept(char* out, __m128i block, unsigned drop, int count) {
    alignas(16) char bytes[32];
    _mm_store_si128(reinterpret_cast<__m128i*>(bytes), block);
    _mm_store_si128(reinterpret_cast<__m128i*>(bytes + 16), block);  // read past a gap at the end, never kept
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), block);
    int kept = 0;  // bytes[kept] is at out
    while (drop != 0) {
        const unsigned lowest = drop & (0u - drop);
        const int gap = __builtin_ctz(drop);
        const int after = __builtin_ctz(drop + lowest);  // the first byte kept after the gap
        out += gap - kept;
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + after)));
        kept = after;
        drop &= drop + lowest;
    }
    return out + (count - kept);
}
#endif

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

// With Normalize each white-space byte becomes a blank, and a blank after a
// blank or at the start of the text is left out. A blank at the end is only
// due: it is written, and taken back into pendingBlank_ when the run ends.
template <bool Normalize, bool Utf8>
const char* TTextSink::CopyRun(const char* p, const char* blockEnd) {
    // The output position is kept in locals: a store through char* may alias
    // the members, which would send them to memory at every byte.
    char* base = buffer_.data();
    char* out = base + length_;
    char* limit = base + buffer_.size();
    const auto room = [&](std::size_t bytes) {
        if (static_cast<std::size_t>(limit - out) >= bytes) return;
        length_ = static_cast<std::size_t>(out - base);
        Grow(bytes);
        base = buffer_.data();
        out = base + length_;
        limit = base + buffer_.size();
    };
    if (Normalize && pendingBlank_) {
        room(1);
        *out++ = ' ';
    }
    bool afterBlank = out == base || out[-1] == ' ';  // the next blank is left out
    // One byte or character: the plain rule that the blocks below follow.
    const auto put = [&](char byte) {
        if (Normalize) {
            const bool ws = IsWs(byte);
            *out = ws ? ' ' : byte;
            out += !(ws && afterBlank);
            afterBlank = ws;
        } else {
            *out++ = byte;
        }
    };
#if defined(__SSE2__)
    const __m128i nul = _mm_setzero_si128();
    const __m128i lt = _mm_set1_epi8('<');
    const __m128i amp = _mm_set1_epi8('&');
    const __m128i tab = _mm_set1_epi8('\t');
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i blank = _mm_set1_epi8(' ');
#endif
    for (;;) {
#if defined(__SSE2__)
        // Blocks up to the first stop byte or (with UTF-8) byte above 0x7F.
        while (blockEnd && blockEnd - p >= 16) {
            room(32);  // StoreKept may store 16 bytes from 15 bytes in
            __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            auto stops = static_cast<unsigned>(_mm_movemask_epi8(
                _mm_or_si128(_mm_cmpeq_epi8(v, nul), _mm_or_si128(_mm_cmpeq_epi8(v, lt), _mm_cmpeq_epi8(v, amp)))));
            if (Utf8) stops |= static_cast<unsigned>(_mm_movemask_epi8(v));
            const int count = stops ? __builtin_ctz(stops) : 16;
            if (Normalize) {
                const __m128i ws = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, blank), _mm_cmpeq_epi8(v, tab)),
                                                _mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_cmpeq_epi8(v, cr)));
                v = _mm_or_si128(_mm_andnot_si128(ws, v), _mm_and_si128(ws, blank));
                const unsigned blanks = static_cast<unsigned>(_mm_movemask_epi8(ws)) & ((1u << count) - 1);
                const unsigned drop = blanks & (blanks << 1 | afterBlank);
                if (drop == 0) {
                    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), v);
                    out += count;
                } else {
                    out = StoreKept(out, v, drop, count);
                }
                if (count > 0) afterBlank = blanks >> (count - 1) & 1;
            } else {
                _mm_storeu_si128(reinterpret_cast<__m128i*>(out), v);
                out += count;
            }
            if (stops == 0) {
                // Not p += count: where the next block begins is then known
                // before this one is read.
                p += 16;
                continue;
            }
            p += count;
            // Letters of two bytes are most of what a UTF-8 text has beyond
            // ASCII: the blocks go on after them.
            if (!Utf8 || !IsTwoByteLead(*p) || IsStop(p[1])) break;
            put(twoByte_[TwoByteCode(p)]);
            p += 2;
        }
#endif
        const char c = *p;
        if (IsStop(c)) break;
        char byte = c;
        if (Utf8 && IsHigh(c)) p = DecodeUtf8(p, twoByte_, byte);
        else ++p;
        room(1);
        put(byte);
    }
    if (Normalize) {
        pendingBlank_ = out != base && out[-1] == ' ';
        out -= pendingBlank_;
    }
    length_ = static_cast<std::size_t>(out - base);
    return p;
}

const char* TTextSink::AppendRun(const char* first, const char* blockEnd, bool utf8) {
    if (IsStop(*first)) return first;  // between two references, often
    if (normalize_) return utf8 ? CopyRun<true, true>(first, blockEnd) : CopyRun<true, false>(first, blockEnd);
    return utf8 ? CopyRun<false, true>(first, blockEnd) : CopyRun<false, false>(first, blockEnd);
}

const char* FindTextStop(const char* p) {
    while (!IsStop(*p)) ++p;
    return p;
}

}  // namespace xml
