#pragma once
// Named mutexes of the Win32 stand-in, shared by every process on the same
// machine root: a flock on <MachineRoot>/mutex/<name>.lock. The kernel drops
// the lock when the holder exits, however it exits; the descriptor is closed
// on exec, so started programs don't inherit it. Names are case-sensitive,
// as on Windows.

#include <string_view>

namespace win {

// An owned mutex; released when the object goes.
class NamedMutex {
public:
    NamedMutex() = default;
    NamedMutex(const NamedMutex&) = delete;
    NamedMutex& operator=(const NamedMutex&) = delete;
    ~NamedMutex() { Release(); }

    bool Owned() const { return fd_ >= 0; }
    void Release();

private:
    friend long CreateMutex(std::string_view name, NamedMutex& out);
    int fd_ = -1;
};

// Creates the mutex `name` (Windows-1250 text) owned by this process.
// ERROR_ALREADY_EXISTS when another holder has it (out then owns nothing);
// other errors when the lock file can't be made.
[[nodiscard]] long CreateMutex(std::string_view name, NamedMutex& out);

}  // namespace win
