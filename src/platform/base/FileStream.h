#pragma once
// A stream over an open file. Open modes keep the component library's
// values; the sharing flags are accepted and have no effect (POSIX files
// have no share locks).

#include "platform/base/Stream.h"

#include <cstdint>
#include <filesystem>
#include <functional>

constexpr std::uint16_t fmCreate = 0xFFFF;  // create, or empty an existing file; read and write
constexpr std::uint16_t fmOpenRead = 0x0000;
constexpr std::uint16_t fmOpenWrite = 0x0001;
constexpr std::uint16_t fmOpenReadWrite = 0x0002;
constexpr std::uint16_t fmShareCompat = 0x0000;
constexpr std::uint16_t fmShareExclusive = 0x0010;
constexpr std::uint16_t fmShareDenyWrite = 0x0020;
constexpr std::uint16_t fmShareDenyRead = 0x0030;
constexpr std::uint16_t fmShareDenyNone = 0x0040;

class TFileStream : public TStream {
public:
    // Opens (or with fmCreate creates) the file. Raises EFOpenError or
    // EFCreateError whose message names the file and the reason.
    TFileStream(const std::filesystem::path& path, std::uint16_t mode);
    ~TFileStream() override;

    // A read or write error ends the transfer early: the count says how far it got.
    int Read(void* buffer, int count) override;
    int Write(const void* buffer, int count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() const override;
    // Raises EWriteError when the file can't be resized.
    void SetSize(std::int64_t newSize) override;
    std::int64_t Position() const override;

    const std::filesystem::path& FileName() const { return path_; }

    // Writes a whole file safely: `write` fills a new file beside `path`, which
    // then replaces it (keeping an existing file's permissions). When anything
    // fails the new file is removed, the old one stays, and the error goes on
    // (EFCreateError, EWriteError, or whatever `write` raised).
    static void ReplaceFile(const std::filesystem::path& path, const std::function<void(TStream&)>& write);

private:
    TFileStream(int fd, std::filesystem::path path) : fd_(fd), path_(std::move(path)) {}

    int fd_ = -1;
    std::filesystem::path path_;
};
