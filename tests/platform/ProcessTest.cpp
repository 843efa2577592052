#include "platform/win/Process.h"

#include "support/TestSupport.h"

#include "platform/win/Files.h"
#include "platform/win/Mutex.h"
#include "platform/win/SharedLibrary.h"
#include "platform/win/WinError.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

using testing_support::NativePath;

class ProcessTest : public ::testing::Test {
protected:
    void MakeScript(const std::string& windowsPath, const std::string& body, bool executable = true) const {
        testing_support::WriteFile(NativePath(windowsPath), body);
        if (executable) ::chmod(NativePath(windowsPath).c_str(), 0755);
    }
    // Runs the command line to its end: its exit code, or the error of starting it as a negative number.
    static long ExitCode(const std::string& commandLine) {
        win::ProcessHandle process;
        if (const long e = win::CreateProcess(commandLine, process)) return -e;
        EXPECT_EQ(win::WaitForProcess(process, win::INFINITE), win::WAIT_OBJECT_0);
        std::uint32_t code = 0;
        EXPECT_TRUE(win::GetExitCodeProcess(process, code));
        return code;
    }
    std::string Output() const { return testing_support::ReadFile(root_.Path() / "out.txt"); }

    testing_support::ScopedMachineRoot root_;
};

}  // namespace

TEST_F(ProcessTest, ProgramsAndBatchFiles) {
    MakeScript("C:\\bin\\tool.exe", "#!/bin/sh\nexit 7\n");
    MakeScript("C:\\bin\\job.Bat", "echo \"$1|$2\" > \"$VALDORINE_MACHINE_ROOT/out.txt\"\nexit 3\n", false);
    MakeScript("C:\\bin\\plain.exe", "no interpreter line\n");
    EXPECT_EQ(ExitCode("C:\\bin\\tool.exe"), 7);
    EXPECT_EQ(ExitCode("c:\\BIN\\TOOL.EXE /x"), 7);
    EXPECT_EQ(ExitCode("C:\\bin\\job.Bat first \"two words\""), 3);  // run by the shell, no execute bit needed
    EXPECT_EQ(Output(), "first|two words\n");
    EXPECT_EQ(ExitCode("C:\\bin\\missing.exe"), -win::ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(ExitCode("C:\\nowhere\\missing.exe"), -win::ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(ExitCode("/bin/true"), -win::ERROR_BAD_PATHNAME);
    EXPECT_EQ(ExitCode(""), -win::ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(ExitCode("C:\\bin\\plain.exe"), -win::ERROR_BAD_EXE_FORMAT);
}

TEST_F(ProcessTest, UnquotedPathsWithSpaces) {
    MakeScript("C:\\Program Files\\My Tool\\run.cmd", "echo \"$1\" > \"$VALDORINE_MACHINE_ROOT/out.txt\"\n");
    EXPECT_EQ(ExitCode("C:\\Program Files\\My Tool\\run.cmd arg"), 0);
    EXPECT_EQ(Output(), "arg\n");
    EXPECT_EQ(ExitCode("\"C:\\Program Files\\My Tool\\run.cmd\" quoted"), 0);
    EXPECT_EQ(Output(), "quoted\n");
}

TEST_F(ProcessTest, WaitTimesOut) {
    MakeScript("C:\\slow.bat", "sleep 0.2\n");
    win::ProcessHandle process;
    ASSERT_EQ(win::CreateProcess("C:\\slow.bat", process), win::ERROR_SUCCESS);
    std::uint32_t code = 0;
    EXPECT_EQ(win::WaitForProcess(process, 0), win::WAIT_TIMEOUT);
    EXPECT_FALSE(win::GetExitCodeProcess(process, code));
    EXPECT_EQ(win::WaitForProcess(process, 5000), win::WAIT_OBJECT_0);
    EXPECT_TRUE(win::GetExitCodeProcess(process, code));
    EXPECT_EQ(code, 0u);
}

TEST_F(ProcessTest, NamedMutexIsHeldPerMachine) {
    win::NamedMutex first;
    ASSERT_EQ(win::CreateMutex("vrek_Some Product/\\:_mutex", first), win::ERROR_SUCCESS);
    EXPECT_TRUE(first.Owned());
    win::NamedMutex second;
    EXPECT_EQ(win::CreateMutex("vrek_Some Product/\\:_mutex", second), win::ERROR_ALREADY_EXISTS);
    EXPECT_FALSE(second.Owned());
    EXPECT_EQ(win::CreateMutex("VREK_Some Product/\\:_mutex", second), win::ERROR_SUCCESS);  // case counts
    second.Release();
    // Another process sees it held.
    EXPECT_EQ(testing_support::RunInChildProcess([] {
                  win::NamedMutex m;
                  return static_cast<int>(win::CreateMutex("vrek_Some Product/\\:_mutex", m) == win::ERROR_ALREADY_EXISTS);
              }),
              1);
    // A started program doesn't inherit it: released here, free at once though the program still runs.
    MakeScript("C:\\slow.bat", "sleep 0.3\n");
    win::ProcessHandle process;
    ASSERT_EQ(win::CreateProcess("C:\\slow.bat", process), win::ERROR_SUCCESS);
    first.Release();
    EXPECT_EQ(win::CreateMutex("vrek_Some Product/\\:_mutex", second), win::ERROR_SUCCESS);
    EXPECT_EQ(win::WaitForProcess(process, 5000), win::WAIT_OBJECT_0);
}

TEST_F(ProcessTest, MutexOfAProcessThatEndedWithoutReleasingIsFree) {
    EXPECT_EQ(testing_support::RunInChildProcess([] {
                  static win::NamedMutex m;  // never released by the child itself
                  return static_cast<int>(win::CreateMutex("held", m));
              }),
              0);
    win::NamedMutex mine;
    EXPECT_EQ(win::CreateMutex("held", mine), win::ERROR_SUCCESS);
    const std::string longName(400, '\xE1');
    win::NamedMutex other;
    EXPECT_EQ(win::CreateMutex(longName, other), win::ERROR_SUCCESS);
}

TEST_F(ProcessTest, LibrariesLoadByWindowsPath) {
    win::LibraryHandle library;
    testing_support::WriteFile(NativePath("C:\\lib\\bad.dll"), "not a library");
    EXPECT_EQ(win::LoadLibrary("C:\\lib\\bad.dll", library), win::ERROR_BAD_EXE_FORMAT);
    EXPECT_EQ(win::LoadLibrary("C:\\lib\\missing.dll", library), win::ERROR_MOD_NOT_FOUND);
    EXPECT_EQ(win::LoadLibrary("libc.so.6", library), win::ERROR_BAD_PATHNAME);
    EXPECT_FALSE(library.Loaded());
    EXPECT_EQ(win::GetProcAddress(library, "anything"), nullptr);
}
