#include "platform/base/MemoryStream.h"

#include "platform/base/Exception.h"
#include "platform/base/FileStream.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

constexpr std::int64_t kMaxSize = std::numeric_limits<int>::max();

}  // namespace

int TCustomMemoryStream::Read(void* buffer, int count) {
    const std::int64_t size = Size();
    if (count <= 0 || position_ >= size) return 0;
    const auto n = static_cast<int>(std::min<std::int64_t>(count, size - position_));
    std::memcpy(buffer, bytes_.data() + position_, static_cast<std::size_t>(n));
    position_ += n;
    return n;
}

int TCustomMemoryStream::Write(const void* buffer, int count) {
    // Like the 32-bit original, a memory stream holds at most 2 GiB; a write
    // that would grow it further (after a seek far past the end) fails.
    if (count <= 0 || position_ > kMaxSize - count) return 0;
    const std::int64_t end = position_ + count;
    if (end > Size()) bytes_.resize(static_cast<std::size_t>(end));  // a gap after a seek is zeros
    std::memcpy(bytes_.data() + position_, buffer, static_cast<std::size_t>(count));
    position_ = end;
    return count;
}

std::int64_t TCustomMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    const std::int64_t base = origin == TSeekOrigin::Beginning ? 0
                              : origin == TSeekOrigin::Current ? position_
                                                               : Size();
    std::int64_t target = 0;
    if (__builtin_add_overflow(base, offset, &target) || target < 0) return -1;
    position_ = target;
    return position_;
}

void TCustomMemoryStream::SetSize(std::int64_t newSize) {
    if (newSize > kMaxSize) throw EStreamError("Out of memory while expanding memory stream");
    newSize = std::max<std::int64_t>(newSize, 0);
    bytes_.resize(static_cast<std::size_t>(newSize));
    position_ = std::min(position_, newSize);
}

void TMemoryStream::Clear() {
    bytes_.clear();
    position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& source) {
    source.SetPosition(0);
    const std::int64_t size = source.Size();
    if (size > std::numeric_limits<int>::max()) throw EReadError("Stream read error");
    std::string loaded(static_cast<std::size_t>(std::max<std::int64_t>(size, 0)), '\0');
    source.ReadBuffer(loaded.data(), static_cast<int>(loaded.size()));
    bytes_.swap(loaded);
    position_ = 0;
}

void TMemoryStream::SaveToStream(TStream& target) const {
    if (bytes_.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        throw EWriteError("Stream write error");
    target.WriteBuffer(bytes_.data(), static_cast<int>(bytes_.size()));
}

void TMemoryStream::LoadFromFile(const std::filesystem::path& path) {
    TFileStream file(path, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TMemoryStream::SaveToFile(const std::filesystem::path& path) const {
    TFileStream::ReplaceFile(path, [this](TStream& file) { SaveToStream(file); });
}
