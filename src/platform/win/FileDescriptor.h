#pragma once
// An owned POSIX file descriptor, closed on every way out.

#include <unistd.h>

namespace win {

class FileDescriptor {
public:
    // Takes fd as ::open returned it; a negative one owns nothing.
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    // Negative when the open failed.
    int Get() const { return fd_; }

private:
    int fd_;
};

}  // namespace win
