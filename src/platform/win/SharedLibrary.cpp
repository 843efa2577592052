#include "platform/win/SharedLibrary.h"

#include "platform/win/FileOps.h"
#include "platform/win/WinError.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <filesystem>
#include <system_error>
#include <utility>

namespace win {
namespace {
unsigned errorMode = 0;
}  // namespace

void LibraryHandle::Free() {
    if (handle_) ::dlclose(handle_);
    handle_ = nullptr;
}

long LoadLibrary(std::string_view windowsPath, LibraryHandle& out) {
    out.Free();
    std::filesystem::path native;
    if (const long e = ResolveWindowsPath(windowsPath, native)) return e;
    struct stat st {};
    if (::stat(native.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return ERROR_MOD_NOT_FOUND;
    // A name with a slash is never searched for: this file or nothing.
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(native, ec);
    if (ec) return ERROR_MOD_NOT_FOUND;
    void* handle = ::dlopen(absolute.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) return ERROR_BAD_EXE_FORMAT;
    out.handle_ = handle;
    return ERROR_SUCCESS;
}

void* GetProcAddress(const LibraryHandle& library, const char* name) {
    return library.handle_ ? ::dlsym(library.handle_, name) : nullptr;
}

unsigned SetErrorMode(unsigned mode) { return std::exchange(errorMode, mode); }

}  // namespace win
