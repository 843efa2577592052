#pragma once
// Streams held in memory: TMemoryStream (a project file image, clipboard data)
// and, in StringStream.h, TStringStream. Both keep their bytes in one
// contiguous block that grows on demand.

#include "platform/base/Stream.h"

#include <cstdint>
#include <filesystem>
#include <string>

// The shared body of the memory streams.
class TCustomMemoryStream : public TStream {
public:
    int Read(void* buffer, int count) override;
    int Write(const void* buffer, int count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() const override { return static_cast<std::int64_t>(bytes_.size()); }
    // A negative size counts as 0; beyond 2 GiB raises EStreamError (a Write
    // that would grow the stream that far writes nothing).
    void SetSize(std::int64_t newSize) override;
    std::int64_t Position() const override { return position_; }

protected:
    TCustomMemoryStream() = default;
    explicit TCustomMemoryStream(std::string bytes) : bytes_(std::move(bytes)) {}

    std::string bytes_;
    std::int64_t position_ = 0;
};

class TMemoryStream : public TCustomMemoryStream {
public:
    TMemoryStream() = default;

    // The stream's bytes; valid until the next call that changes its size.
    std::uint8_t* Memory() { return reinterpret_cast<std::uint8_t*>(bytes_.data()); }
    const std::uint8_t* Memory() const { return reinterpret_cast<const std::uint8_t*>(bytes_.data()); }

    // Size 0, position 0.
    void Clear();
    // Replaces the content by the whole source (read from its start) and
    // rewinds; on failure the content is unchanged and the error goes on.
    void LoadFromStream(TStream& source);
    // Writes the whole content (whatever the position) at the target's position.
    void SaveToStream(TStream& target) const;
    // As LoadFromStream from the file; raises EFOpenError or EReadError.
    void LoadFromFile(const std::filesystem::path& path);
    // Writes the whole content to the file through a temporary file in the same
    // folder that then replaces it, so a failed save leaves an existing file as
    // it was. Raises EFCreateError or EWriteError.
    void SaveToFile(const std::filesystem::path& path) const;
};

// The program's own memory stream for whole project files and the clipboard's
// item data; nothing of its own beyond TMemoryStream.
class MyMemoryStream : public TMemoryStream {
public:
    MyMemoryStream() = default;
};
