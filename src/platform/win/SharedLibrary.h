#pragma once
// Loading a library and finding its exports, in the Win32 stand-in: a shared
// object named by a Windows path is opened with dlopen (its constructors run,
// as DllMain would) and its exports are found with dlsym.

#include <string_view>

namespace win {

class LibraryHandle {
public:
    LibraryHandle() = default;
    LibraryHandle(const LibraryHandle&) = delete;
    LibraryHandle& operator=(const LibraryHandle&) = delete;
    ~LibraryHandle() { Free(); }

    bool Loaded() const { return handle_ != nullptr; }
    // FreeLibrary.
    void Free();

private:
    friend long LoadLibrary(std::string_view windowsPath, LibraryHandle& out);
    friend void* GetProcAddress(const LibraryHandle& library, const char* name);
    void* handle_ = nullptr;
};

// ERROR_MOD_NOT_FOUND when the file is missing, ERROR_BAD_EXE_FORMAT when it
// is not a loadable library, ERROR_BAD_PATHNAME for a text that is not a Windows path.
[[nodiscard]] long LoadLibrary(std::string_view windowsPath, LibraryHandle& out);
// The export's address, or null.
void* GetProcAddress(const LibraryHandle& library, const char* name);

// SetErrorMode: the boxes it switches off don't exist here; kept so callers
// read as on Windows. Returns the previous mode.
constexpr unsigned SEM_FAILCRITICALERRORS = 0x0001;
unsigned SetErrorMode(unsigned mode);

}  // namespace win
