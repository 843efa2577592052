#include "platform/win/Process.h"

#include "platform/win/CodePage.h"
#include "platform/win/FileOps.h"
#include "platform/win/WinError.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace win {
namespace fs = std::filesystem;

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsRegularFile(const fs::path& p) {
    struct stat st {};
    return ::stat(p.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool EndsWithNoCase(const std::string& text, std::string_view tail) {
    if (text.size() < tail.size()) return false;
    for (std::size_t i = 0; i < tail.size(); ++i) {
        char c = text[text.size() - tail.size() + i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != tail[i]) return false;
    }
    return true;
}

// Windows-style arguments: blanks separate, double quotes group ("" inside
// quotes and \" give a literal quote).
std::vector<std::string> SplitArguments(std::string_view rest) {
    std::vector<std::string> args;
    std::size_t i = 0;
    while (i < rest.size()) {
        while (i < rest.size() && IsBlank(rest[i])) ++i;
        if (i == rest.size()) break;
        std::string arg;
        bool quoted = false;
        for (; i < rest.size() && (quoted || !IsBlank(rest[i])); ++i) {
            const char c = rest[i];
            if (c == '\\' && i + 1 < rest.size() && rest[i + 1] == '"') {
                arg.push_back('"');
                ++i;
            } else if (c == '"' && quoted && i + 1 < rest.size() && rest[i + 1] == '"') {
                arg.push_back('"');
                ++i;
            } else if (c == '"') {
                quoted = !quoted;
            } else {
                arg.push_back(c);
            }
        }
        args.push_back(ToUtf8(CodePage::Cp1250, arg));
    }
    return args;
}

// The program's native path and where its arguments start.
long FindProgram(std::string_view line, fs::path& program, std::string_view& rest) {
    std::size_t start = 0;
    while (start < line.size() && IsBlank(line[start])) ++start;
    line.remove_prefix(start);
    if (line.empty()) return ERROR_FILE_NOT_FOUND;
    if (line.front() == '"') {
        const std::size_t close = line.find('"', 1);
        const std::string_view name = line.substr(1, close == std::string_view::npos ? line.size() - 1 : close - 1);
        rest = close == std::string_view::npos ? std::string_view() : line.substr(close + 1);
        return ResolveWindowsPath(name, program);
    }
    // Unquoted: the first prefix ending at a blank (or the end) that names an existing file.
    long firstError = ERROR_SUCCESS;
    fs::path first;
    for (std::size_t end = 0; end <= line.size(); ++end) {
        if (end < line.size() && !IsBlank(line[end])) continue;
        fs::path candidate;
        const long e = ResolveWindowsPath(line.substr(0, end), candidate);
        if (first.empty() && firstError == ERROR_SUCCESS) {
            firstError = e;
            first = candidate;
            rest = line.substr(end);
        }
        if (e == ERROR_SUCCESS && IsRegularFile(candidate)) {
            program = candidate;
            rest = line.substr(end);
            return ERROR_SUCCESS;
        }
    }
    if (firstError != ERROR_SUCCESS) return firstError;
    program = first;
    return ERROR_SUCCESS;
}

long SpawnError(int error, const fs::path& program) {
    switch (error) {
        case ENOEXEC: return ERROR_BAD_EXE_FORMAT;
        default: return ErrorFromErrno(error, program);
    }
}

}  // namespace

long CreateProcess(std::string_view commandLine, ProcessHandle& out) {
    fs::path program;
    std::string_view rest;
    if (const long e = FindProgram(commandLine, program, rest)) return e;
    struct stat st {};
    if (::stat(program.c_str(), &st) != 0) return ErrorFromErrno(errno, program);
    if (!S_ISREG(st.st_mode)) return ERROR_ACCESS_DENIED;

    std::vector<std::string> args;
    if (EndsWithNoCase(program.string(), ".bat") || EndsWithNoCase(program.string(), ".cmd")) {
        args.push_back("/bin/sh");
        args.push_back(program.string());
    } else {
        args.push_back(program.string());
    }
    for (std::string& a : SplitArguments(rest)) args.push_back(std::move(a));
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    pid_t pid = -1;
    const int error = ::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ);
    if (error != 0) return SpawnError(error, program);
    out.pid_ = pid;
    out.ended_ = false;
    out.exitCode_ = 0;
    return ERROR_SUCCESS;
}

unsigned WaitForProcess(ProcessHandle& process, unsigned milliseconds) {
    if (!process.Valid() || process.ended_) return WAIT_OBJECT_0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        int status = 0;
        const pid_t done = ::waitpid(process.pid_, &status, milliseconds == INFINITE ? 0 : WNOHANG);
        if (done == process.pid_) {
            process.ended_ = true;
            process.exitCode_ = WIFEXITED(status)     ? static_cast<std::uint32_t>(WEXITSTATUS(status))
                                : WIFSIGNALED(status) ? 128u + static_cast<std::uint32_t>(WTERMSIG(status))
                                                      : 1u;
            return WAIT_OBJECT_0;
        }
        if (done < 0 && errno != EINTR) {
            // Reaped elsewhere: nothing left to wait for, and no exit code to give.
            process.ended_ = true;
            process.exitCode_ = 1;
            return WAIT_OBJECT_0;
        }
        if (milliseconds != INFINITE && std::chrono::steady_clock::now() >= deadline) return WAIT_TIMEOUT;
        if (done == 0) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

bool GetExitCodeProcess(const ProcessHandle& process, std::uint32_t& exitCode) {
    if (!process.Valid() || !process.ended_) return false;
    exitCode = process.exitCode_;
    return true;
}

void Sleep(unsigned milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

}  // namespace win
