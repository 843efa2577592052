#include "data/Compressing.h"

#include "platform/base/Stream.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>
#include <vector>

namespace {

constexpr int kChunk = 1 << 20;

std::vector<std::uint8_t> ReadToEnd(TStream& stream) {
    std::vector<std::uint8_t> bytes;
    const std::int64_t remaining = stream.Size() - stream.Position();
    if (remaining > 0) bytes.reserve(static_cast<std::size_t>(remaining));
    std::uint8_t chunk[kChunk / 16];
    for (;;) {
        const int got = stream.Read(chunk, static_cast<int>(sizeof chunk));
        if (got <= 0) break;
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    return bytes;
}

void WriteAll(TStream& stream, const std::string& bytes) {
    for (std::size_t done = 0; done < bytes.size();) {
        const int count = static_cast<int>(std::min<std::size_t>(bytes.size() - done, kChunk));
        stream.WriteBuffer(bytes.data() + done, count);  // raises EWriteError when short
        done += static_cast<std::size_t>(count);
    }
}

}  // namespace

Compressing::Compressing(TStream& input, TStream& output) : input_(input), output_(output) {}

void Compressing::Decompress() {
    const std::vector<std::uint8_t> input = ReadToEnd(input_);
    std::string output;
    try {
        Decompress(input, output);
    } catch (const EDecompressError&) {
        WriteAll(output_, output);
        throw;
    }
    WriteAll(output_, output);
}
