// orbelo_append_data EXECUTABLE DATA
// Appends uninstallation data (the outer protected layer, as the installer
// makes it) to the uninstaller executable, followed by the 4-byte little-endian
// offset where it starts. Run it after any strip: strip drops bytes that lie
// past the executable's own image.
#include "uninstaller/ByteString.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>

namespace {

bool writeAll(int fd, const char* bytes, std::size_t count) {
    while (count > 0) {
        const ssize_t put = ::write(fd, bytes, count);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        bytes += put;
        count -= static_cast<std::size_t>(put);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: orbelo_append_data EXECUTABLE DATA\n", stderr);
        return 2;
    }
    ByteString data;
    const int loaded = data.loadFile(argv[2], 0, 0);
    if (loaded != ByteString::kFileOk && loaded != ByteString::kFileNothingToRead) {
        std::fprintf(stderr, "orbelo_append_data: can't read %s\n", argv[2]);
        return 1;
    }
    const int fd = ::open(argv[1], O_WRONLY | O_APPEND | O_CLOEXEC);
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0) {
        std::fprintf(stderr, "orbelo_append_data: can't open %s\n", argv[1]);
        return 1;
    }
    // The trailer holds the offset in 32 bits, and the data must fit below 4 GiB too.
    const auto offset = static_cast<std::uint64_t>(st.st_size);
    if (offset + data.length() + 4 > 0xFFFFFFFFull) {
        std::fprintf(stderr, "orbelo_append_data: %s is too large\n", argv[1]);
        ::close(fd);
        return 1;
    }
    const char trailer[4] = {static_cast<char>(offset), static_cast<char>(offset >> 8), static_cast<char>(offset >> 16),
                             static_cast<char>(offset >> 24)};
    const bool ok = writeAll(fd, data.view().data(), data.length()) && writeAll(fd, trailer, 4);
    if (::close(fd) != 0 || !ok) {
        std::fprintf(stderr, "orbelo_append_data: writing %s failed\n", argv[1]);
        return 1;
    }
    return 0;
}
