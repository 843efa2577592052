#include "support/TestSupport.h"

#include "platform/win/Files.h"
#include "platform/win/WinError.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <utility>

namespace testing_support {

TempDir::TempDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "valdorine-test-XXXXXX").string();
    if (!::mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
    path_ = tmpl;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

ScopedMachineRoot::ScopedMachineRoot() {
    if (const char* old = std::getenv("VALDORINE_MACHINE_ROOT")) previous_ = old;
    ::setenv("VALDORINE_MACHINE_ROOT", dir_.Path().c_str(), 1);
}

ScopedMachineRoot::~ScopedMachineRoot() {
    if (previous_) ::setenv("VALDORINE_MACHINE_ROOT", previous_->c_str(), 1);
    else ::unsetenv("VALDORINE_MACHINE_ROOT");
}

ScopedCommaLocale::ScopedCommaLocale() : previous_(::setlocale(LC_ALL, nullptr)) {
    for (const char* name : {"hu_HU.UTF-8", "hu_HU.utf8", "de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8"}) {
        if (!::setlocale(LC_ALL, name)) continue;
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, "%.1f", 1.5);
        active_ = std::string(buffer) == "1,5";
        return;
    }
}

ScopedCommaLocale::~ScopedCommaLocale() { ::setlocale(LC_ALL, previous_.c_str()); }

ScopedMessageBoxRecorder::ScopedMessageBoxRecorder() {
    previous_ = win::SetMessageBoxHook([this](const std::string& text, const std::string& caption, unsigned flags) {
        Shown.push_back({text, caption, flags});
        return win::IDOK;
    });
}

ScopedMessageBoxRecorder::~ScopedMessageBoxRecorder() { win::SetMessageBoxHook(std::move(previous_)); }

ScopedUrlOpener::ScopedUrlOpener(int exitCode) {
    if (const char* old = std::getenv("PATH")) previousPath_ = old;
    ::setenv("PATH", (dir_.Path() / "bin").c_str(), 1);
    std::filesystem::create_directories(dir_.Path() / "bin");
    if (exitCode == kMissing) return;
    const auto opener = dir_.Path() / "bin" / "xdg-open";
    WriteFile(opener, "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + (dir_.Path() / "log").string() + "'\nexit " +
                          std::to_string(exitCode) + "\n");
    std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
}

ScopedUrlOpener::~ScopedUrlOpener() {
    if (previousPath_) ::setenv("PATH", previousPath_->c_str(), 1);
    else ::unsetenv("PATH");
}

std::string ScopedUrlOpener::Log() const { return ReadFile(dir_.Path() / "log"); }

int RunInChildProcess(const std::function<int()>& body) {
    const pid_t pid = ::fork();
    if (pid < 0) return -1;
    if (pid == 0) {
        // _exit: the child must not run the parent's exit handlers or flush its streams twice.
        int rc = 255;
        try {
            rc = body();
        } catch (...) {
        }
        ::_exit(rc);
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::filesystem::path NativePath(const std::string& windowsPath) {
    std::filesystem::path out;
    EXPECT_EQ(win::MapWindowsPath(windowsPath, out), win::ERROR_SUCCESS) << windowsPath;
    return out;
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace testing_support
