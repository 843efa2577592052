#include "platform/base/Stream.h"

#include "platform/base/Exception.h"

#include <algorithm>
#include <vector>

void TStream::ReadBuffer(void* buffer, int count) {
    if (count > 0 && Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, int count) {
    if (count > 0 && Write(buffer, count) != count) throw EWriteError("Stream write error");
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    if (count <= 0) return 0;
    constexpr std::int64_t kChunk = 64 * 1024;
    std::vector<unsigned char> chunk(static_cast<std::size_t>(std::min(count, kChunk)));
    for (std::int64_t left = count; left > 0;) {
        const int n = static_cast<int>(std::min(left, kChunk));
        source.ReadBuffer(chunk.data(), n);
        WriteBuffer(chunk.data(), n);
        left -= n;
    }
    return count;
}
