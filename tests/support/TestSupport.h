#pragma once
// Helpers every test folder shares.

#include "platform/win/MessageBox.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

// A fresh folder, removed with everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

// A fresh, empty machine root (registry, drive folders) for the lifetime of
// the object: VALDORINE_MACHINE_ROOT points at it and is restored afterwards.
class ScopedMachineRoot {
public:
    ScopedMachineRoot();
    ~ScopedMachineRoot();
    ScopedMachineRoot(const ScopedMachineRoot&) = delete;
    ScopedMachineRoot& operator=(const ScopedMachineRoot&) = delete;
    const std::filesystem::path& Path() const { return dir_.Path(); }

private:
    TempDir dir_;
    std::optional<std::string> previous_;
};

// Switches the process to a comma-decimal locale (Hungarian, German or
// French, whichever is installed) for the object's lifetime. Active() is
// false when none is: the caller skips.
class ScopedCommaLocale {
public:
    ScopedCommaLocale();
    ~ScopedCommaLocale();
    ScopedCommaLocale(const ScopedCommaLocale&) = delete;
    ScopedCommaLocale& operator=(const ScopedCommaLocale&) = delete;
    bool Active() const { return active_; }

private:
    std::string previous_;
    bool active_ = false;
};

// A message box as it was asked for.
struct TShownBox {
    std::string Text;
    std::string Caption;
    unsigned Flags = 0;
};

// Records every message box instead of showing it, answering IDOK, for the
// object's lifetime; the hook installed before comes back afterwards.
class ScopedMessageBoxRecorder {
public:
    ScopedMessageBoxRecorder();
    ~ScopedMessageBoxRecorder();
    ScopedMessageBoxRecorder(const ScopedMessageBoxRecorder&) = delete;
    ScopedMessageBoxRecorder& operator=(const ScopedMessageBoxRecorder&) = delete;

    std::vector<TShownBox> Shown;

private:
    win::MessageBoxHook previous_;
};

// A stand-in for the desktop's URL opener: "xdg-open" alone on PATH for the
// object's lifetime. It appends its first argument and a line end to Log(),
// then ends with the exit code; kMissing: there is no such program at all.
class ScopedUrlOpener {
public:
    static constexpr int kMissing = -1;
    explicit ScopedUrlOpener(int exitCode);
    ~ScopedUrlOpener();
    ScopedUrlOpener(const ScopedUrlOpener&) = delete;
    ScopedUrlOpener& operator=(const ScopedUrlOpener&) = delete;
    std::string Log() const;

private:
    TempDir dir_;
    std::optional<std::string> previousPath_;
};

// Runs `body` in a forked child and returns its result (the child's exit
// code, 0..255), or -1 when the child died otherwise.
int RunInChildProcess(const std::function<int()>& body);

// The native path of a Windows path under the current machine root; a path
// that doesn't map is a test failure.
std::filesystem::path NativePath(const std::string& windowsPath);

// Writes bytes to a file, creating its folders.
void WriteFile(const std::filesystem::path& path, const std::string& bytes);
// The whole file; empty when it can't be read.
std::string ReadFile(const std::filesystem::path& path);

}  // namespace testing_support
