#include "platform/base/FileStream.h"

#include "platform/base/Exception.h"
#include "platform/win/CodePage.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Messages are program text: Windows-1250, the reason in English whatever
// the process locale says.
std::string Reason(int error) {
    const char* text = ::strerrordesc_np(error);
    return text ? std::string(text) : "System error " + std::to_string(error);
}

std::string FileMessage(const char* what, const std::filesystem::path& path, int error) {
    return std::string(what) + " \"" + win::FromUtf8(win::CodePage::Cp1250, path.string()) + "\". " + Reason(error);
}

[[noreturn]] void RaiseOpen(const std::filesystem::path& path, int error) {
    throw EFOpenError(FileMessage("Cannot open file", path, error));
}

[[noreturn]] void RaiseCreate(const std::filesystem::path& path, int error) {
    throw EFCreateError(FileMessage("Cannot create file", path, error));
}

int OpenFile(const std::filesystem::path& path, int flags) {
    int fd;
    do {
        fd = ::open(path.c_str(), flags | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

// Opening a folder for reading succeeds on POSIX; a file stream on one is no file.
bool IsFolder(int fd) {
    struct stat st {};
    return ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

TFileStream::TFileStream(const std::filesystem::path& path, std::uint16_t mode) : path_(path) {
    if (mode == fmCreate) {
        fd_ = OpenFile(path, O_RDWR | O_CREAT | O_TRUNC);
        if (fd_ < 0) RaiseCreate(path, errno);
        return;
    }
    int flags = 0;
    switch (mode & 3) {
        case fmOpenRead: flags = O_RDONLY; break;
        case fmOpenWrite: flags = O_WRONLY; break;
        case fmOpenReadWrite: flags = O_RDWR; break;
        default: RaiseOpen(path, EINVAL);
    }
    fd_ = OpenFile(path, flags);
    if (fd_ < 0) RaiseOpen(path, errno);
    if (IsFolder(fd_)) {
        ::close(fd_);
        fd_ = -1;
        RaiseOpen(path, EISDIR);
    }
}

TFileStream::~TFileStream() {
    if (fd_ >= 0) ::close(fd_);
}

int TFileStream::Read(void* buffer, int count) {
    int done = 0;
    while (done < count) {
        const ssize_t n = ::read(fd_, static_cast<char*>(buffer) + done, static_cast<std::size_t>(count - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<int>(n);
    }
    return done;
}

int TFileStream::Write(const void* buffer, int count) {
    int done = 0;
    while (done < count) {
        const ssize_t n =
            ::write(fd_, static_cast<const char*>(buffer) + done, static_cast<std::size_t>(count - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<int>(n);
    }
    return done;
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    const int whence = origin == TSeekOrigin::Beginning ? SEEK_SET : origin == TSeekOrigin::Current ? SEEK_CUR : SEEK_END;
    return ::lseek(fd_, offset, whence);  // -1 and no move for a target before the start
}

std::int64_t TFileStream::Size() const {
    struct stat st {};
    return ::fstat(fd_, &st) == 0 ? static_cast<std::int64_t>(st.st_size) : 0;
}

void TFileStream::SetSize(std::int64_t newSize) {
    if (newSize < 0 || ::ftruncate(fd_, newSize) != 0) throw EWriteError("Stream write error");
    if (Position() > newSize) Seek(0, TSeekOrigin::End);
}

std::int64_t TFileStream::Position() const {
    return ::lseek(fd_, 0, SEEK_CUR);
}

void TFileStream::ReplaceFile(const std::filesystem::path& path, const std::function<void(TStream&)>& write) {
    namespace fs = std::filesystem;
    std::error_code ec;
    // Through a link the file it names is replaced, not the link.
    fs::path target = path;
    if (fs::is_symlink(path, ec)) {
        fs::path resolved = fs::weakly_canonical(path, ec);
        if (!ec) target = resolved;
    }
    if (target.filename().empty()) RaiseCreate(path, EISDIR);

    static std::atomic<unsigned> counter{0};
    fs::path temp;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temp = target;
        temp.replace_filename("." + target.filename().string() + ".tmp-" + std::to_string(::getpid()) + "-" +
                              std::to_string(counter++));
        fd = OpenFile(temp, O_RDWR | O_CREAT | O_EXCL);
        if (fd < 0 && errno != EEXIST) RaiseCreate(path, errno);
    }
    if (fd < 0) RaiseCreate(path, EEXIST);
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) ::fchmod(fd, old.st_mode & 07777);

    struct TempGuard {
        const fs::path& temp;
        bool keep = false;
        ~TempGuard() {
            std::error_code ignored;
            if (!keep) fs::remove(temp, ignored);
        }
    } guard{temp};
    {
        TFileStream file(fd, temp);
        write(file);
        if (::fsync(fd) != 0) throw EWriteError("Stream write error");
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) RaiseCreate(path, errno);
    guard.keep = true;
}
