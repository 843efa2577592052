#pragma once
// Decoder of the LZW-compressed data and language files.
//
// Stream layout (no header, no length, no checksum):
//   codes packed most significant bit first, running on across bytes;
//   0-255 a literal byte, 256 clear, 257 end, 258.. dictionary entries in the
//   order they are made; at most 4096 codes (0-4095).
//   The first code is a clear. After a clear: 9 bits, and the next code is a
//   literal, the end or another clear.
//   The width grows one code earlier than usual: right after the entry
//   2^w - 2 is added (510, 1022, 2046, 4094) codes are w + 1 bits wide, up to
//   13 bits; it grows only while at least two input bytes have not yet
//   entered the bit reader. Bits after the end code are ignored.

#include "platform/base/Exception.h"

#include <cstdint>
#include <span>
#include <string>

class TStream;

// A damaged code stream: it does not start with a clear, names a code that
// does not exist yet, overfills the dictionary, or ends before its end code.
class EDecompressError : public Exception {
public:
    using Exception::Exception;
};

class Compressing {
public:
    // Neither stream is owned; both must outlive the object.
    Compressing(TStream& input, TStream& output);

    // Decodes the input from its position to its end into the output.
    // An empty input gives no output. Raises EDecompressError on a damaged
    // stream; the bytes decoded before the fault are in the output then.
    void Decompress();

    // The same on memory: appends the decoded bytes to `output`; on
    // EDecompressError `output` holds what was decoded before the fault.
    static void Decompress(std::span<const std::uint8_t> input, std::string& output);

private:
    TStream& input_;
    TStream& output_;
};
