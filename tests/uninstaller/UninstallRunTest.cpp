#include "uninstaller/UninstallRun.h"

#include "uninstaller/UninstallFixture.h"

#include "platform/win/MessageBox.h"
#include "platform/win/Mutex.h"
#include "platform/win/Restart.h"
#include "platform/win/System.h"
#include "platform/win/WinError.h"

#include <sys/stat.h>

#include <string>
#include <vector>

using namespace std::string_literals;

namespace {

const std::string kConfirm = "This will remove Example from your system, do you want to continue?";
const std::string kConfirmBox = "box " + std::to_string(win::MB_YESNO | win::MB_ICONQUESTION) + " none " + kConfirm;
const std::string kApp = "C:\\Program Files\\Example\\app.exe";

class UninstallRunTest : public UninstallFixture {
protected:
    encoder::Description Installed() {
        MakeFile(kApp);
        encoder::Description d;
        d.files = {kApp};
        d.directories = {"C:\\Program Files\\Example"};
        d.roots[1].subkeys = {{1, "Software", {}, {{1, "Example", {{"Path", 1}}, {}}}}};
        SetString(win::HKey::CurrentUser, "Software\\Example", "Path", "C:\\x");
        return d;
    }
    // The script writes a marker file, then ends with exitCode.
    void MakeScript(const std::string& windowsPath, int exitCode) {
        MakeFile(windowsPath, "#!/bin/sh\necho ran > \"$VALDORINE_MACHINE_ROOT/command-ran\"\nexit " + std::to_string(exitCode) + "\n");
        ::chmod(Native(windowsPath).c_str(), 0755);
    }
    bool CommandRan() const { return std::filesystem::exists(root_.Path() / "command-ran"); }
};

}  // namespace

TEST(Options, SubstringsOfTheUpperCasedLine) {
    struct Case {
        const char* line;
        bool silent, noRemove;
    } const cases[] = {
        {"uninst.exe", false, false},
        {"uninst.exe /silent", true, false},
        {"uninst.exe /SILENTLY", true, false},
        {"C:\\x/NOREMOVE\\uninst.exe", false, true},
        {"uninst.exe /Silent /noremove", true, true},
        {"uninst.exe -SILENT", false, false},
    };
    for (const Case& c : cases) {
        bool silent = !c.silent, noRemove = !c.noRemove;
        parseOptions(ByteString(c.line), silent, noRemove);
        EXPECT_EQ(silent, c.silent) << c.line;
        EXPECT_EQ(noRemove, c.noRemove) << c.line;
    }
}

TEST_F(UninstallRunTest, FullRunInOrder) {
    WriteUninstaller(Installed());
    EXPECT_EQ(Run(), kExitRemoved);
    const std::vector<std::string> expected = {
        kConfirmBox,
        "progress Removing Example from your system...",
        "mark 1014",
        "mark 1013",
        "mark 1012",  // no backups: the files' mark comes early
        "mark 1012",
        "mark 1011",
        "mark 1010",
        // The folder still holds the uninstaller itself.
        "end Uninstallation complete.\nSome elements couldn't be removed.|"
        "Couldn't remove following directories:\r\nC:\\Program Files\\Example\r\n",
        "loop",
    };
    EXPECT_EQ(dialogs_.log, expected);
    EXPECT_FALSE(Exists(kApp));
    EXPECT_FALSE(win::RegKeyExists(win::HKey::CurrentUser, "Software\\Example"));
    EXPECT_TRUE(Exists("C:\\Program Files\\Example\\uninst.exe"));
    // The uninstaller goes at the next restart; that alone asks for no restart.
    EXPECT_EQ(win::PendingDeletions(), std::vector<std::string>{kUninstaller});
    EXPECT_FALSE(win::RestartRequested());
}

TEST_F(UninstallRunTest, SilentShowsNothingAndGivesOne) {
    WriteUninstaller(Installed());
    EXPECT_EQ(Run("uninst.exe /silent"), kExitRemoved);
    EXPECT_TRUE(dialogs_.log.empty());
    EXPECT_EQ(dialogs_.pumps, 0);
    EXPECT_FALSE(Exists(kApp));
}

TEST_F(UninstallRunTest, NoRemoveKeepsTheUninstaller) {
    WriteUninstaller(Installed());
    EXPECT_EQ(Run("uninst.exe /SILENT /NOREMOVE"), kExitRemoved);
    EXPECT_TRUE(win::PendingDeletions().empty());
}

TEST_F(UninstallRunTest, NoToTheConfirmationChangesNothing) {
    encoder::Description d = Installed();
    d.code = "7";
    d.command = "C:\\Program Files\\Example\\pre.BAT";
    MakeScript(d.command, 0);
    WriteUninstaller(d);
    dialogs_.boxAnswers = {win::IDNO};
    EXPECT_EQ(Run(), kExitStopped);
    EXPECT_EQ(dialogs_.log, std::vector<std::string>{kConfirmBox});
    EXPECT_TRUE(Exists(kApp));
    EXPECT_FALSE(CommandRan());
    EXPECT_TRUE(win::PendingDeletions().empty());
}

TEST_F(UninstallRunTest, SecondInstanceEndsAtOnce) {
    WriteUninstaller(Installed());
    win::NamedMutex first;
    ASSERT_EQ(win::CreateMutex("vrek_Example_mutex", first), win::ERROR_SUCCESS);
    EXPECT_EQ(Run(), kExitStopped);
    EXPECT_TRUE(dialogs_.log.empty());
    EXPECT_TRUE(Exists(kApp));
    first.Release();
    EXPECT_EQ(Run("x /SILENT"), kExitRemoved);
}

TEST_F(UninstallRunTest, DataIsReadBeforeTheMutex) {
    // Broken data is reported even while another instance runs.
    Installed();
    WriteUninstallerBytes("not a layer");
    win::NamedMutex first;
    ASSERT_EQ(win::CreateMutex("vrek_Example_mutex", first), win::ERROR_SUCCESS);
    EXPECT_EQ(Run(), kExitStopped);
    EXPECT_EQ(dialogs_.log, std::vector<std::string>{"box 16 none Uninstallation information corrupt. Aborting."});
}

TEST_F(UninstallRunTest, BrokenDataChangesNothing) {
    const encoder::Description d = [&] {
        encoder::Description x = Installed();
        x.code = "7";
        x.command = "C:\\Program Files\\Example\\pre.bat";
        MakeScript(x.command, 1);
        return x;
    }();
    const std::string good = encoder::EncodeData(d);
    const std::string content = encoder::EncodeContent(d);
    struct Case {
        const char* name;
        std::string image;  // empty: no file at all
        std::string message;
    } const cases[] = {
        {"missing", "", "Couldn't read uninstallation information. Aborting."},
        {"offset past the end", "\x7F" "ELF\xFF\xFF\x00\x00"s, "Out of memory. Aborting."},
        {"bad checksum", encoder::AppendToExecutable("\x7F" "ELF", good.substr(0, 5) + "?" + good.substr(6)),
         "Uninstallation information corrupt. Aborting."},
        {"marker missing", encoder::AppendToExecutable("\x7F" "ELF", encoder::WrapContent(
                                   content.substr(0, content.find("Files:")) + content.substr(content.find("Directories:")))),
         "Uninstallation information corrupt. Aborting."},
        {"registry cut short",
         encoder::AppendToExecutable("\x7F" "ELF", encoder::WrapContent(content.substr(0, content.size() - 1))),
         "Uninstallation information corrupt. Aborting."},
        {"bytes after the four roots",
         encoder::AppendToExecutable("\x7F" "ELF", encoder::WrapContent(content + "\0\0\0\0"s)),
         "Uninstallation information corrupt. Aborting."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(Native(kUninstaller));
        if (!c.image.empty()) testing_support::WriteFile(Native(kUninstaller), c.image);
        dialogs_.log.clear();
        EXPECT_EQ(Run(), kExitStopped);
        EXPECT_EQ(dialogs_.log, std::vector<std::string>{"box 16 none " + c.message});
        EXPECT_EQ(Run("u /SILENT"), kExitStopped);
        EXPECT_EQ(dialogs_.log.size(), 1u);
        EXPECT_TRUE(Exists(kApp));
        EXPECT_TRUE(HasValue(win::HKey::CurrentUser, "Software\\Example", "Path"));
        EXPECT_FALSE(CommandRan());
    }
}

TEST_F(UninstallRunTest, PreUninstallCommandCases) {
    struct Case {
        const char* name;
        std::string code;
        std::string program;  // written as a script with exitCode unless empty
        std::string command;
        int exitCode;
        bool ran;
        int result;
    } const cases[] = {
        {"code 100 skips it", "100", "C:\\P\\pre.BAT", "C:\\P\\pre.BAT", 1, false, kExitRemoved},
        {"code 101 skips it", "101", "C:\\P\\pre.BAT", "C:\\P\\pre.BAT", 1, false, kExitRemoved},
        {"empty code skips it", "", "C:\\P\\pre.BAT", "C:\\P\\pre.BAT", 1, false, kExitRemoved},
        {"batch failing stops", "7", "C:\\P\\pre.BAT", "C:\\P\\pre.BAT", 1, true, kExitStopped},
        {"batch succeeding goes on", "7", "C:\\P\\pre.BAT", "C:\\P\\pre.BAT", 0, true, kExitRemoved},
        {"CMD failing stops", "7", "C:\\P\\pre.CMD", "C:\\P\\pre.CMD", 1, true, kExitStopped},
        {"lower-case batch name: other programs' rule", "7", "C:\\P\\pre.bat", "C:\\P\\pre.bat", 1, true, kExitRemoved},
        {"program ending with 0 stops", "7", "C:\\P\\pre.exe", "C:\\P\\pre.exe /q", 0, true, kExitStopped},
        {"program ending with 3 goes on", "7", "C:\\P\\pre.exe", "C:\\P\\pre.exe", 3, true, kExitRemoved},
        {"unquoted path with a space", "7", "C:\\Pro gram\\pre.BAT", "C:\\Pro gram\\pre.BAT arg", 1, true, kExitStopped},
        {"missing program goes on", "7", "", "C:\\P\\missing.exe", 0, false, kExitRemoved},
        {"not a Windows path goes on", "7", "", "/bin/false", 0, false, kExitRemoved},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        encoder::Description d = Installed();
        d.code = c.code;
        d.command = c.command;
        if (!c.program.empty()) MakeScript(c.program, c.exitCode);
        WriteUninstaller(d);
        std::filesystem::remove(root_.Path() / "command-ran");
        EXPECT_EQ(Run("u /SILENT"), c.result);
        EXPECT_EQ(CommandRan(), c.ran);
        EXPECT_EQ(Exists(kApp), c.result == kExitStopped);
    }
}

TEST_F(UninstallRunTest, QuitWhileTheCommandRunsStops) {
    encoder::Description d = Installed();
    d.code = "7";
    d.command = "C:\\P\\slow.BAT";
    MakeFile(d.command, "sleep 0.3\nexit 0\n");
    WriteUninstaller(d);
    dialogs_.quitAtPump = 2;
    EXPECT_EQ(Run(), kExitStopped);
    EXPECT_GE(dialogs_.pumps, 2);
    EXPECT_TRUE(Exists(kApp));
    EXPECT_EQ(dialogs_.Lines("progress").size(), 0u);
}

TEST_F(UninstallRunTest, PrivilegeCheckStopsBeforeAnyChange) {
    encoder::Description d = Installed();
    d.roots[2].subkeys = {{1, "Software", {}, {{1, "Locked", {{"V", 1}}, {}}}}};
    SetString(win::HKey::LocalMachine, "Software\\Locked", "V", "x");
    win::RegSetKeyAccessForTesting(win::HKey::LocalMachine, "Software\\Locked", win::RegTestAccess::ReadOnly);
    WriteUninstaller(d);
    EXPECT_EQ(Run(), kExitStopped);
    ASSERT_EQ(dialogs_.log.size(), 3u);
    EXPECT_EQ(dialogs_.log[2],
              "box 0 progress You don't have required privileges to uninstall this software. Please have your system "
              "administrator (or other user with higher privileges) uninstall this software.");
    EXPECT_TRUE(Exists(kApp));
    EXPECT_TRUE(HasValue(win::HKey::CurrentUser, "Software\\Example", "Path"));
    EXPECT_TRUE(HasValue(win::HKey::LocalMachine, "Software\\Locked", "V"));

    // The older Windows has no such check: the run goes on and skips the key.
    ASSERT_EQ(win::SetEmulatedPlatform(win::Platform::Windows9x), win::ERROR_SUCCESS);
    dialogs_.log.clear();
    EXPECT_EQ(Run(), kExitRemoved);
    EXPECT_FALSE(Exists(kApp));
    EXPECT_TRUE(HasValue(win::HKey::LocalMachine, "Software\\Locked", "V"));
    win::RegSetKeyAccessForTesting(win::HKey::LocalMachine, "Software\\Locked", win::RegTestAccess::Full);
}

TEST_F(UninstallRunTest, FailuresShowInTheEndStateAndClosingOffersTheRestart) {
    encoder::Description d = Installed();
    const std::string folder = "C:\\Program Files\\Example\\sub";
    MakeDir(folder);
    d.files.push_back(folder);  // a directory named as a file: access denied
    WriteUninstaller(d);
    dialogs_.boxAnswers = {win::IDYES, win::IDYES};
    EXPECT_EQ(Run(), kExitRemoved);
    const std::string details = "Couldn't delete following files:\r\n" + folder + "\r\n\r\n" +
                                "Couldn't remove following directories:\r\nC:\\Program Files\\Example\r\n";
    EXPECT_EQ(dialogs_.Lines("end"),
              std::vector<std::string>{"end Uninstallation complete.\nSome elements couldn't be removed.|" + details});
    EXPECT_EQ(dialogs_.log.back(),
              "box 4 progress To finalize the uninstallation your system needs to be restarted. Do you want to reboot now?");
    EXPECT_TRUE(win::RestartRequested());
    EXPECT_EQ(win::PendingDeletions(), (std::vector<std::string>{kUninstaller, folder}));
}

TEST_F(UninstallRunTest, RestartDeclined) {
    encoder::Description d = Installed();
    MakeDir("C:\\D");
    d.files = {"C:\\D"};
    WriteUninstaller(d);
    dialogs_.boxAnswers = {win::IDYES, win::IDNO};
    EXPECT_EQ(Run(), kExitRemoved);
    EXPECT_FALSE(win::RestartRequested());
    // Silent mode never offers it.
    dialogs_.log.clear();
    EXPECT_EQ(Run("u /SILENT"), kExitRemoved);
    EXPECT_TRUE(dialogs_.log.empty());
    EXPECT_FALSE(win::RestartRequested());
}

TEST(DetailsText, GroupsAndBlankLines) {
    // Each entry keeps its line end; only the blank line after the last group goes.
    EXPECT_EQ(detailsText("C:\\a\r\nC:\\b\r\n", "", "").view(),
              "Couldn't delete following files:\r\nC:\\a\r\nC:\\b\r\n");
    EXPECT_EQ(detailsText("C:\\a\r\n", "", "HKEY_USERS\\k\r\n").view(),
              "Couldn't delete following files:\r\nC:\\a\r\n\r\nCouldn't delete following registry keys:\r\n"
              "HKEY_USERS\\k\r\n");
    EXPECT_EQ(detailsText("", "C:\\d\r\n", "").view(), "Couldn't remove following directories:\r\nC:\\d\r\n");
    EXPECT_TRUE(detailsText("", "", "").empty());
}

TEST(SharedFileQuestion, Text) {
    EXPECT_EQ(sharedFileQuestion("C:\\W\\s.dll").view(),
              "Shared file C:\\W\\s.dll doesn't seem to be used by any programs. Do you want to remove this file?");
}
