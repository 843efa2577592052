#pragma once
// Starting a program and waiting for it, in the Win32 stand-in. The command
// line is Windows text: its program is a Windows path mapped onto the machine
// root (an unquoted path with spaces is taken at the first space where an
// existing file ends, as Windows does); a program whose name ends in ".bat"
// or ".cmd" (any case) runs with the POSIX shell. The rest of the line is
// split into arguments at blanks, with double quotes grouping. The child gets
// this process's environment and current directory and none of its
// descriptors (all of ours are opened close-on-exec).

#include <sys/types.h>

#include <cstdint>
#include <string_view>

namespace win {

constexpr unsigned WAIT_OBJECT_0 = 0;
constexpr unsigned WAIT_TIMEOUT = 258;
constexpr unsigned INFINITE = 0xFFFFFFFFu;

class ProcessHandle {
public:
    ProcessHandle() = default;
    ProcessHandle(const ProcessHandle&) = delete;
    ProcessHandle& operator=(const ProcessHandle&) = delete;
    // Closing the handle neither waits for nor stops the program.
    ~ProcessHandle() = default;

    bool Valid() const { return pid_ > 0; }

private:
    friend long CreateProcess(std::string_view commandLine, ProcessHandle& out);
    friend unsigned WaitForProcess(ProcessHandle& process, unsigned milliseconds);
    friend bool GetExitCodeProcess(const ProcessHandle& process, std::uint32_t& exitCode);
    pid_t pid_ = -1;
    bool ended_ = false;
    std::uint32_t exitCode_ = 0;
};

// Starts the command line. ERROR_BAD_PATHNAME for a program that is not a
// Windows path, ERROR_FILE_NOT_FOUND / ERROR_PATH_NOT_FOUND when it is
// missing, ERROR_BAD_EXE_FORMAT / ERROR_ACCESS_DENIED when it can't be run.
[[nodiscard]] long CreateProcess(std::string_view commandLine, ProcessHandle& out);

// WAIT_OBJECT_0 once the program has ended, WAIT_TIMEOUT after milliseconds
// (0: just look; INFINITE: no limit).
unsigned WaitForProcess(ProcessHandle& process, unsigned milliseconds);

// The exit code of an ended program; a program ended by a signal gives 128 +
// the signal's number. False while it runs or for an invalid handle.
bool GetExitCodeProcess(const ProcessHandle& process, std::uint32_t& exitCode);

void Sleep(unsigned milliseconds);

}  // namespace win
