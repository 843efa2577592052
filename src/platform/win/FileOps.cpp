#include "platform/win/FileOps.h"

#include "platform/win/FileDescriptor.h"
#include "platform/win/Files.h"
#include "platform/win/MachineRoot.h"
#include "platform/win/WinError.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

namespace win {
namespace fs = std::filesystem;

namespace {

// Seconds from 1601-01-01 to 1970-01-01.
constexpr std::int64_t kEpochDifference = 11644473600LL;
constexpr std::int64_t kTicksPerSecond = 10000000LL;

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

bool IsRunningExecutable(const struct stat& st) {
    struct stat self {};
    return ::stat("/proc/self/exe", &self) == 0 && SameFile(st, self);
}

bool IsCurrentDirectory(const struct stat& st) {
    struct stat cwd {};
    return ::stat(".", &cwd) == 0 && SameFile(st, cwd);
}

bool ReadOnly(const struct stat& st) { return (st.st_mode & S_IWUSR) == 0; }

// lstat of a resolved Windows path; the Windows error when it fails.
long Stat(std::string_view windowsPath, fs::path& native, struct stat& st) {
    if (const long e = ResolveWindowsPath(windowsPath, native)) return e;
    if (::lstat(native.c_str(), &st) != 0) return ErrorFromErrno(errno, native);
    return ERROR_SUCCESS;
}

std::uint64_t FileTimeFrom(const struct timespec& t) {
    const std::int64_t seconds = static_cast<std::int64_t>(t.tv_sec) + kEpochDifference;
    if (seconds < 0) return 0;
    return static_cast<std::uint64_t>(seconds) * kTicksPerSecond + static_cast<std::uint64_t>(t.tv_nsec) / 100;
}

struct timespec TimespecFrom(std::uint64_t fileTime) {
    struct timespec t {};
    t.tv_sec = static_cast<time_t>(static_cast<std::int64_t>(fileTime / kTicksPerSecond) - kEpochDifference);
    t.tv_nsec = static_cast<long>(fileTime % kTicksPerSecond) * 100;
    return t;
}

long CopyBytes(int from, int to) {
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(from, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return ERROR_CANTREAD;
        if (got == 0) return ERROR_SUCCESS;
        ssize_t done = 0;
        while (done < got) {
            const ssize_t put = ::write(to, buffer + done, static_cast<std::size_t>(got - done));
            if (put < 0 && errno == EINTR) continue;
            if (put <= 0) return ERROR_CANTWRITE;
            done += put;
        }
    }
}

}  // namespace

long ResolveWindowsPath(std::string_view windowsPath, fs::path& out) {
    fs::path mapped;
    if (const long e = MapWindowsPath(windowsPath, mapped)) return e;
    out = ResolveCaseInsensitive(mapped);
    return ERROR_SUCCESS;
}

long WindowsPathFromNative(const fs::path& native, std::string& out) {
    std::error_code ec;
    const fs::path drives = fs::weakly_canonical(MachineRoot() / "drives", ec);
    if (ec) return ERROR_BAD_PATHNAME;
    const fs::path full = fs::weakly_canonical(native, ec);
    if (ec) return ERROR_BAD_PATHNAME;
    const fs::path relative = full.lexically_relative(drives);
    auto part = relative.begin();
    if (relative.empty() || part == relative.end()) return ERROR_BAD_PATHNAME;
    const std::string letter = part->string();
    if (letter.size() != 1 || letter[0] < 'a' || letter[0] > 'z') return ERROR_BAD_PATHNAME;
    std::string text(1, static_cast<char>(letter[0] - 'a' + 'A'));
    text += ":";
    for (++part; part != relative.end(); ++part) {
        if (part->empty()) continue;
        text += '\\';
        text += TextFromPath(*part);
    }
    if (text.size() == 2) text += '\\';
    out = text;
    return ERROR_SUCCESS;
}

long ErrorFromErrno(int error, const fs::path& path) {
    switch (error) {
        case ENOENT: {
            struct stat st {};
            const fs::path parent = path.parent_path();
            return ::stat(parent.c_str(), &st) == 0 && S_ISDIR(st.st_mode) ? ERROR_FILE_NOT_FOUND
                                                                            : ERROR_PATH_NOT_FOUND;
        }
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP: return ERROR_PATH_NOT_FOUND;
        case EACCES:
        case EPERM:
        case EISDIR:
        case EROFS: return ERROR_ACCESS_DENIED;
        case ENOTEMPTY: return ERROR_DIR_NOT_EMPTY;
        case EEXIST: return ERROR_ALREADY_EXISTS;
        case EBUSY:
        case ETXTBSY: return ERROR_SHARING_VIOLATION;
        case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
        default: return ERROR_ACCESS_DENIED;
    }
}

bool IsLockedAgainst(const fs::path& native, bool forWriting) {
    const FileDescriptor fd(::open(native.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.Get() < 0) return false;
    return ::flock(fd.Get(), (forWriting ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0 && errno == EWOULDBLOCK;
}

long GetFileAttributes(std::string_view path, std::uint32_t& attributes) {
    fs::path native;
    struct stat st {};
    if (const long e = Stat(path, native, st)) return e;
    if (S_ISLNK(st.st_mode) && ::stat(native.c_str(), &st) != 0) return ErrorFromErrno(errno, native);
    attributes = S_ISDIR(st.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : 0;
    if (ReadOnly(st)) attributes |= FILE_ATTRIBUTE_READONLY;
    if (attributes == 0) attributes = FILE_ATTRIBUTE_NORMAL;
    return ERROR_SUCCESS;
}

long SetFileAttributes(std::string_view path, std::uint32_t attributes) {
    fs::path native;
    struct stat st {};
    if (const long e = Stat(path, native, st)) return e;
    const mode_t mode = (attributes & FILE_ATTRIBUTE_READONLY) ? (st.st_mode & ~mode_t{S_IWUSR | S_IWGRP | S_IWOTH})
                                                               : (st.st_mode | S_IWUSR);
    if (::chmod(native.c_str(), mode & 07777) != 0) return ErrorFromErrno(errno, native);
    return ERROR_SUCCESS;
}

long DeleteFile(std::string_view path) {
    fs::path native;
    struct stat st {};
    if (const long e = Stat(path, native, st)) return e;
    if (S_ISDIR(st.st_mode) || (!S_ISLNK(st.st_mode) && ReadOnly(st)) || IsRunningExecutable(st))
        return ERROR_ACCESS_DENIED;
    if (IsLockedAgainst(native, true)) return ERROR_SHARING_VIOLATION;
    if (::unlink(native.c_str()) != 0) return ErrorFromErrno(errno, native);
    return ERROR_SUCCESS;
}

long RemoveDirectory(std::string_view path) {
    fs::path native;
    struct stat st {};
    if (const long e = Stat(path, native, st)) return e;
    if (!S_ISDIR(st.st_mode)) return ERROR_DIRECTORY;
    if (ReadOnly(st)) return ERROR_ACCESS_DENIED;
    if (IsCurrentDirectory(st)) return ERROR_SHARING_VIOLATION;
    if (::rmdir(native.c_str()) != 0) return errno == EEXIST ? ERROR_DIR_NOT_EMPTY : ErrorFromErrno(errno, native);
    return ERROR_SUCCESS;
}

long CopyFile(std::string_view existing, std::string_view target, bool failIfExists) {
    fs::path from;
    if (const long e = ResolveWindowsPath(existing, from)) return e;
    const FileDescriptor in(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.Get() < 0) return ErrorFromErrno(errno, from);
    struct stat source {};
    if (::fstat(in.Get(), &source) != 0) return ErrorFromErrno(errno, from);
    if (S_ISDIR(source.st_mode)) return ERROR_ACCESS_DENIED;
    if (IsLockedAgainst(from, false)) return ERROR_SHARING_VIOLATION;

    fs::path to;
    if (const long e = ResolveWindowsPath(target, to)) return e;
    struct stat existingTarget {};
    if (::stat(to.c_str(), &existingTarget) == 0) {
        if (failIfExists) return ERROR_FILE_EXISTS;
        if (S_ISDIR(existingTarget.st_mode) || ReadOnly(existingTarget)) return ERROR_ACCESS_DENIED;
        if (SameFile(source, existingTarget) || IsLockedAgainst(to, true)) return ERROR_SHARING_VIOLATION;
    }
    const FileDescriptor out(::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, source.st_mode & 0777));
    if (out.Get() < 0) return ErrorFromErrno(errno, to);
    if (const long e = CopyBytes(in.Get(), out.Get())) return e;
    const struct timespec times[2] = {{0, UTIME_OMIT}, source.st_mtim};
    if (::fchmod(out.Get(), source.st_mode & 07777) != 0 || ::futimens(out.Get(), times) != 0)
        return ErrorFromErrno(errno, to);
    return ERROR_SUCCESS;
}

long GetFileTime(std::string_view path, std::uint64_t& lastWrite) {
    fs::path native;
    if (const long e = ResolveWindowsPath(path, native)) return e;
    struct stat st {};
    if (::stat(native.c_str(), &st) != 0) return ErrorFromErrno(errno, native);
    if (IsLockedAgainst(native, false)) return ERROR_SHARING_VIOLATION;
    lastWrite = FileTimeFrom(st.st_mtim);
    return ERROR_SUCCESS;
}

long SetFileTime(std::string_view path, std::uint64_t lastWrite) {
    fs::path native;
    if (const long e = ResolveWindowsPath(path, native)) return e;
    const struct timespec times[2] = {{0, UTIME_OMIT}, TimespecFrom(lastWrite)};
    if (::utimensat(AT_FDCWD, native.c_str(), times, 0) != 0) return ErrorFromErrno(errno, native);
    return ERROR_SUCCESS;
}

long GetCurrentDirectory(fs::path& native) {
    char buffer[PATH_MAX];
    if (!::getcwd(buffer, sizeof buffer)) return ErrorFromErrno(errno, fs::path());
    native = buffer;
    return ERROR_SUCCESS;
}

long SetCurrentDirectory(std::string_view windowsPath) {
    fs::path native;
    if (const long e = ResolveWindowsPath(windowsPath, native)) return e;
    return SetCurrentDirectoryNative(native);
}

long SetCurrentDirectoryNative(const fs::path& native) {
    if (::chdir(native.c_str()) != 0) return ErrorFromErrno(errno, native);
    return ERROR_SUCCESS;
}

long GetShortPathName(std::string_view longPath, std::string& shortPath) {
    fs::path native;
    struct stat st {};
    if (const long e = Stat(longPath, native, st)) return e;
    shortPath.assign(longPath);
    return ERROR_SUCCESS;
}

}  // namespace win
