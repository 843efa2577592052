// Text content copied out of the document in one pass: white space packed
// and UTF-8 converted on the way, stretches that need neither copied whole.
// NormalizeWs and Utf8ToAnsi (XmlParserText.cpp) stay the reference: the
// result is the same bytes as converting each run, joining and normalising.
#include "data/XmlParser.h"

#include "platform/win/CodePage.h"

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

// The first special byte at or after p. Bytes before blockEnd (the document's
// NUL, or nullptr inside an entity's text) are looked at 16 at a time.
// REQUIRES: p[-1] readable.
template <bool Normalize, bool Utf8>
const char* FindSpecial(const char* p, const char* blockEnd) {
#if defined(__SSE2__)
    if (blockEnd) {
        const __m128i nul = _mm_setzero_si128();
        const __m128i lt = _mm_set1_epi8('<');
        const __m128i amp = _mm_set1_epi8('&');
        const __m128i tab = _mm_set1_epi8('\t');
        const __m128i lf = _mm_set1_epi8('\n');
        const __m128i cr = _mm_set1_epi8('\r');
        const __m128i blank = _mm_set1_epi8(' ');
        while (blockEnd - p >= 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            __m128i special = _mm_or_si128(_mm_cmpeq_epi8(v, nul),
                                           _mm_or_si128(_mm_cmpeq_epi8(v, lt), _mm_cmpeq_epi8(v, amp)));
            if (Normalize) {
                const __m128i before = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p - 1));
                const __m128i controls = _mm_or_si128(_mm_cmpeq_epi8(v, tab),
                                                      _mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_cmpeq_epi8(v, cr)));
                const __m128i doubleBlank = _mm_and_si128(_mm_cmpeq_epi8(v, blank), _mm_cmpeq_epi8(before, blank));
                special = _mm_or_si128(special, _mm_or_si128(controls, doubleBlank));
            }
            int mask = _mm_movemask_epi8(special);
            if (Utf8) mask |= _mm_movemask_epi8(v);  // the high bit of each byte
            if (mask != 0) return p + __builtin_ctz(static_cast<unsigned>(mask));
            p += 16;
        }
    }
#else
    (void)blockEnd;
#endif
    while (!IsSpecial<Normalize, Utf8>(p)) ++p;
    return p;
}

// One character of UTF-8 at p, decoded as Utf8ToAnsi does within a run that
// ends at the next stop byte: a sequence cut short by the stop takes the rest
// of the run. Returns where the next character begins; byte gets its
// Windows-1252 byte.
const char* DecodeUtf8(const char* p, char replacement, char& byte) {
    const auto b = static_cast<unsigned char>(p[0]);
    const auto low6 = [](char c) { return static_cast<char32_t>(static_cast<unsigned char>(c) & 0x3F); };
    char32_t code;
    if ((b & 0xE0) == 0xC0) {
        if (IsStop(p[1])) {
            byte = replacement;
            return p + 1;
        }
        code = (char32_t{b} & 0x1F) << 6 | low6(p[1]);
        p += 2;
    } else if ((b & 0xF0) == 0xE0) {
        if (IsStop(p[1]) || IsStop(p[2])) {
            byte = replacement;
            return IsStop(p[1]) ? p + 1 : p + 2;
        }
        code = (char32_t{b} & 0x0F) << 12 | low6(p[1]) << 6 | low6(p[2]);
        p += 3;
    } else {
        // A stray continuation byte, a four-byte form with up to three
        // continuation bytes, or 0xF8-0xFF.
        byte = replacement;
        ++p;
        if ((b & 0xF8) == 0xF0)
            for (int i = 0; i < 3 && !IsStop(*p); ++i) ++p;
        return p;
    }
    const int converted = win::FromUnicode(win::CodePage::Cp1252, code);
    byte = converted < 0 ? replacement : static_cast<char>(converted);
    return p;
}

constexpr char kReplacement = '\xBF';

}  // namespace

void TTextSink::Start(bool normalize) {
    out_.clear();
    normalize_ = normalize;
    pendingBlank_ = false;
}

void TTextSink::AppendByte(char c) {
    if (!normalize_) {
        out_.push_back(c);
    } else if (IsWs(c)) {
        pendingBlank_ = !out_.empty();
    } else {
        if (pendingBlank_) out_.push_back(' ');
        pendingBlank_ = false;
        out_.push_back(c);
    }
}

void TTextSink::Append(std::string_view bytes) {
    if (!normalize_) {
        out_.append(bytes);
        return;
    }
    for (const char c : bytes) AppendByte(c);
}

template <bool Normalize, bool Utf8>
const char* TTextSink::CopyRun(const char* p, const char* blockEnd) {
    for (;;) {
        const char c = *p;
        if (IsStop(c)) return p;
        if (Normalize && IsWs(c)) {
            do ++p;
            while (IsWs(*p));
            pendingBlank_ = !out_.empty();
            continue;
        }
        if (Utf8 && IsHigh(c)) {
            char byte;
            p = DecodeUtf8(p, kReplacement, byte);
            AppendByte(byte);
            continue;
        }
        // A stretch that needs nothing done: from a byte that is not white
        // space to the next special byte, less a blank that begins white space.
        const char* end = FindSpecial<Normalize, Utf8>(p + 1, blockEnd);
        if (Normalize) {
            if (end[-1] == ' ') --end;
            if (pendingBlank_) out_.push_back(' ');
            pendingBlank_ = false;
        }
        out_.append(p, static_cast<std::size_t>(end - p));
        p = end;
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
