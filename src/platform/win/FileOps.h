#pragma once
// File operations of the Win32 stand-in that take Windows paths (Windows-1250
// text), mapped onto the machine root and matched without case when there is
// no exact match. A text that is not a Windows absolute path is refused with
// ERROR_BAD_PATHNAME and never used as a path of this machine.
//
// Emulation on a POSIX file system:
// - Read-only attribute: the owner's write permission bit is clear. Checked
//   by these functions themselves, since the tests run as root.
// - A file another program has open: a flock on it. An exclusive lock blocks
//   every use (ERROR_SHARING_VIOLATION); a shared lock blocks deleting and
//   writing, but not reading.
// - The running program's own executable can't be deleted (ERROR_ACCESS_DENIED),
//   and this process's current directory can't be removed (ERROR_SHARING_VIOLATION).
// Every function returns a Windows error code and never throws.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace win {

constexpr std::uint32_t FILE_ATTRIBUTE_READONLY = 0x01;
constexpr std::uint32_t FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr std::uint32_t FILE_ATTRIBUTE_NORMAL = 0x80;
constexpr std::uint32_t INVALID_FILE_ATTRIBUTES = 0xFFFFFFFFu;

// MapWindowsPath, then ResolveCaseInsensitive.
[[nodiscard]] long ResolveWindowsPath(std::string_view windowsPath, std::filesystem::path& out);
// The reverse for a native path below <MachineRoot>/drives/<letter>: "C:\Dir\f.txt".
// ERROR_BAD_PATHNAME for any other path.
[[nodiscard]] long WindowsPathFromNative(const std::filesystem::path& native, std::string& out);

// The Windows error for an errno of a call on path: ENOENT gives
// ERROR_FILE_NOT_FOUND when the parent folder exists, else ERROR_PATH_NOT_FOUND.
long ErrorFromErrno(int error, const std::filesystem::path& path);

[[nodiscard]] long GetFileAttributes(std::string_view path, std::uint32_t& attributes);
// Only FILE_ATTRIBUTE_READONLY is kept; the other bits are ignored.
[[nodiscard]] long SetFileAttributes(std::string_view path, std::uint32_t attributes);

// A directory, a read-only file or the running executable: ERROR_ACCESS_DENIED;
// a locked file: ERROR_SHARING_VIOLATION.
[[nodiscard]] long DeleteFile(std::string_view path);
// Must be empty (ERROR_DIR_NOT_EMPTY); a file gives ERROR_DIRECTORY; read-only:
// ERROR_ACCESS_DENIED; our current directory: ERROR_SHARING_VIOLATION.
[[nodiscard]] long RemoveDirectory(std::string_view path);
// Copies the bytes, the last-write time and the read-only attribute, overwriting
// the target unless failIfExists (ERROR_FILE_EXISTS).
[[nodiscard]] long CopyFile(std::string_view existing, std::string_view target, bool failIfExists);

// Last-write time as a FILETIME: 100-nanosecond units since 1601-01-01 UTC.
[[nodiscard]] long GetFileTime(std::string_view path, std::uint64_t& lastWrite);
[[nodiscard]] long SetFileTime(std::string_view path, std::uint64_t lastWrite);

// The process's current directory as a native path, so it can be restored
// exactly even when it lies outside the machine root.
[[nodiscard]] long GetCurrentDirectory(std::filesystem::path& native);
[[nodiscard]] long SetCurrentDirectory(std::string_view windowsPath);
[[nodiscard]] long SetCurrentDirectoryNative(const std::filesystem::path& native);

// There are no 8.3 names here: the short form of an existing path is the path
// itself (ERROR_FILE_NOT_FOUND / ERROR_PATH_NOT_FOUND when it doesn't exist).
[[nodiscard]] long GetShortPathName(std::string_view longPath, std::string& shortPath);

// Locked-file tests: whether another open file description holds a flock on the
// file that blocks reading (an exclusive lock) or writing (any lock).
bool IsLockedAgainst(const std::filesystem::path& native, bool forWriting);

}  // namespace win
