#include "platform/win/Mutex.h"

#include "platform/win/FileOps.h"
#include "platform/win/MachineRoot.h"
#include "platform/win/WinError.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <string>

namespace win {
namespace {

// Any byte outside a safe set becomes %XX, so every name gives one file name
// and different names never share one.
std::string FileNameFor(std::string_view name) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : name) {
        const auto b = static_cast<unsigned char>(c);
        if ((b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') || b == '_' || b == '-') {
            out.push_back(c);
        } else {
            out.push_back('%');
            out.push_back(hex[b >> 4]);
            out.push_back(hex[b & 15]);
        }
    }
    // File names are limited to 255 bytes: keep a long name's start and a hash of all of it.
    if (out.size() > 200) {
        std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
        for (const char c : name) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
        out.resize(150);
        out.push_back('~');
        for (int shift = 60; shift >= 0; shift -= 4) out.push_back(hex[(hash >> shift) & 15]);
    }
    return out + ".lock";
}

}  // namespace

void NamedMutex::Release() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

long CreateMutex(std::string_view name, NamedMutex& out) {
    out.Release();
    const std::filesystem::path folder = MachineRoot() / "mutex";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    const std::filesystem::path file = folder / FileNameFor(name);
    const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return ErrorFromErrno(errno, file);
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) continue;
        const int error = errno;
        ::close(fd);
        return error == EWOULDBLOCK ? ERROR_ALREADY_EXISTS : ErrorFromErrno(error, file);
    }
    out.fd_ = fd;
    return ERROR_SUCCESS;
}

}  // namespace win
