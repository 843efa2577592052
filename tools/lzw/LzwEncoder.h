#pragma once
// LZW encoder for the program's compressed data and language files. It lives
// outside the program (which only decodes) and writes exactly the code stream
// the decoder reads: codes MSB first, 9 bits after a clear, the width growing
// right after entry 2^w - 2 is made (up to 13 bits) while at least two bytes
// of the stream remain after the bits read so far.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace lzw {

inline constexpr unsigned kClearCode = 256;
inline constexpr unsigned kEndCode = 257;

struct TEncodeOptions {
    // Emit a clear code after this many codes since the last clear
    // (0: only when the dictionary is full).
    std::size_t clearAfter = 0;
};

// The code sequence of `data`: a clear, the codes, the end code. Empty data
// gives no codes at all (an empty file decodes to nothing).
std::vector<std::uint16_t> EncodeCodes(std::string_view data, const TEncodeOptions& options = {});

// Packs any code sequence at the widths the decoder will read it with (the
// decoder makes an entry for every code except a clear, the end code and the
// first code after a clear). Throws std::invalid_argument when a code does not
// fit its width.
std::vector<std::uint8_t> Pack(const std::vector<std::uint16_t>& codes);

// EncodeCodes then Pack.
std::vector<std::uint8_t> Compress(std::string_view data, const TEncodeOptions& options = {});

}  // namespace lzw
