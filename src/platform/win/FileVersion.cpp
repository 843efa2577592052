#include "platform/win/FileVersion.h"

#include "platform/win/FileOps.h"
#include "platform/win/WinError.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

namespace win {
namespace {

constexpr std::size_t kChunk = 1 << 16;  // a multiple of 4, so alignment carries across chunks
constexpr std::size_t kNeeded = 16;      // signature, structure version, version high, version low

std::uint32_t Le32(const unsigned char* p) {
    return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[3]} << 24);
}

void PutLe32(std::string& out, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>(v >> shift));
}

}  // namespace

long GetFileVersion(std::string_view windowsPath, std::uint32_t& high, std::uint32_t& low) {
    std::filesystem::path native;
    if (const long e = ResolveWindowsPath(windowsPath, native)) return e;
    const int fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return ErrorFromErrno(errno, native);
    if (IsLockedAgainst(native, false)) {
        ::close(fd);
        return ERROR_SHARING_VIOLATION;
    }
    // A window of one chunk plus the tail of the one before, so a structure
    // that straddles two reads is still seen whole.
    std::vector<unsigned char> window;
    long result = ERROR_RESOURCE_TYPE_NOT_FOUND;
    std::size_t scanned = 0;  // offset in window of the next aligned position to test
    unsigned char buffer[kChunk];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            result = ERROR_CANTREAD;
            break;
        }
        window.insert(window.end(), buffer, buffer + got);
        const bool atEnd = got == 0;
        bool found = false;
        for (; scanned + 4 <= window.size(); scanned += 4) {
            if (Le32(window.data() + scanned) != VS_FFI_SIGNATURE) continue;
            if (scanned + kNeeded > window.size()) {
                if (atEnd) result = ERROR_RESOURCE_DATA_NOT_FOUND;
                break;  // wait for more bytes, or give up at the end
            }
            high = Le32(window.data() + scanned + 8);
            low = Le32(window.data() + scanned + 12);
            result = ERROR_SUCCESS;
            found = true;
            break;
        }
        if (found || atEnd) break;
        // Keep only what the next round still needs.
        window.erase(window.begin(), window.begin() + static_cast<std::ptrdiff_t>(scanned));
        scanned = 0;
    }
    ::close(fd);
    return result;
}

std::string FileVersionBlock(std::uint32_t high, std::uint32_t low) {
    std::string out;
    PutLe32(out, VS_FFI_SIGNATURE);
    PutLe32(out, VS_FFI_STRUCVERSION);
    PutLe32(out, high);
    PutLe32(out, low);
    PutLe32(out, high);  // product version
    PutLe32(out, low);
    PutLe32(out, 0x3F);  // flags mask
    PutLe32(out, 0);     // flags
    PutLe32(out, 0x40004);  // VOS_NT_WINDOWS32
    PutLe32(out, 2);     // VFT_DLL
    PutLe32(out, 0);     // subtype
    PutLe32(out, 0);     // date
    PutLe32(out, 0);
    return out;
}

}  // namespace win
