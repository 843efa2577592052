// The built OrbeloUninstaller, run as its own process on a temporary machine.
#include "support/TestSupport.h"
#include "uninstaller/UninstallEncoder.h"
#include "uninstaller/UninstallFixture.h"

#include "platform/win/FileOps.h"
#include "platform/win/Files.h"
#include "platform/win/Mutex.h"
#include "platform/win/RegistryStore.h"
#include "platform/win/Restart.h"
#include "platform/win/WinError.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace {

constexpr char kSharedDlls[] = "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
const std::string kFolder = "C:\\Program Files\\Example";

// The program's exit code, or -1 when it didn't end normally. extraEnvironment
// entries ("NAME=value") come before ours, so they win; directory: where it
// starts; errors: a file that takes its standard error.
int RunProgram(const std::vector<std::string>& args, std::vector<std::string> extraEnvironment = {},
               const fs::path& directory = {}, const fs::path& errors = {}) {
    std::vector<char*> argv;
    std::vector<std::string> copy = args;
    for (std::string& a : copy) argv.push_back(a.data());
    argv.push_back(nullptr);
    // A silent run must create no Qt object: a platform that doesn't exist
    // would make any QApplication abort.
    extraEnvironment.push_back("QT_QPA_PLATFORM=no-such-platform");
    std::vector<char*> envp;
    for (std::string& e : extraEnvironment) envp.push_back(e.data());
    for (char** e = environ; *e; ++e) {
        const std::string_view entry(*e);
        const std::string_view name = entry.substr(0, entry.find('='));
        bool overridden = false;
        for (const std::string& x : extraEnvironment)
            overridden = overridden || std::string_view(x).substr(0, x.find('=')) == name;
        if (!overridden) envp.push_back(*e);
    }
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    if (!directory.empty()) ::posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
    if (!errors.empty())
        ::posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = -1;
    const int spawned = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    ::posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return -1;
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

// The run's fixture: a fresh machine with files, folders and registry helpers.
class EndToEnd : public UninstallFixture {
protected:
    // Installs the product and an uninstaller with its data appended by the tool.
    void Install() {
        MakeFile(kFolder + "\\Valdorine.exe");
        MakeFile(kFolder + "\\data\\media.xml");
        MakeFile(kFolder + "\\readme.txt");
        ASSERT_EQ(win::SetFileAttributes(kFolder + "\\readme.txt", win::FILE_ATTRIBUTE_READONLY), win::ERROR_SUCCESS);
        MakeFile(kFolder + "\\in use.dll");
        MakeFile("C:\\WINDOWS\\SYSTEM\\shared.dll");
        MakeFile("C:\\WINDOWS\\SYSTEM\\common.dll");
        MakeFile("C:\\WINDOWS\\backup\\sys.dl_");
        SetDword(win::HKey::LocalMachine, kSharedDlls, "C:\\WINDOWS\\SYSTEM\\shared.dll", 1);
        SetDword(win::HKey::LocalMachine, kSharedDlls, "C:\\WINDOWS\\SYSTEM\\common.dll", 3);
        SetDword(win::HKey::CurrentUser, "Software\\Lumivar\\KELVARIN\\ProgramOptions", "Precision", 2);
        SetDword(win::HKey::CurrentUser, "Software\\Lumivar\\Other", "Keep", 1);

        encoder::Description d;
        d.name = "Valdorine";
        d.shared = {"C:\\WINDOWS\\SYSTEM\\shared.dll", "C:\\WINDOWS\\SYSTEM\\common.dll"};
        d.backups = {{"C:\\WINDOWS\\backup\\sys.dl_", "C:\\WINDOWS\\SYSTEM\\sys.dll", 1, 0, 0, 0}};
        d.files = {kFolder + "\\Valdorine.exe", kFolder + "\\data\\media.xml", kFolder + "\\README.TXT",
                   kFolder + "\\in use.dll", kFolder + "\\never installed.txt"};
        d.directories = {kFolder + "\\data", kFolder};
        d.roots[1].subkeys = {{0, "Software", {}, {{1, "Lumivar", {}, {{1, "KELVARIN", {}, {
                                  {1, "ProgramOptions", {{"Precision", 1}}, {}}}}}}}}};
        testing_support::WriteFile(dir_.Path() / "data.bin", encoder::EncodeData(d));

        fs::create_directories(Native(kFolder));
        fs::copy_file(ORBELO_UNINSTALLER, Native(kUninstaller));
        ASSERT_EQ(RunProgram({ORBELO_APPEND_DATA, Native(kUninstaller).string(), (dir_.Path() / "data.bin").string()}),
                  0);
    }

    testing_support::TempDir dir_;
};

}  // namespace

TEST_F(EndToEnd, SilentRunRemovesTheInstallation) {
    Install();
    // Another program has one of the files open.
    const int fd = ::open(Native(kFolder + "\\in use.dll").c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_SH), 0);
    EXPECT_EQ(RunProgram({Native(kUninstaller).string(), "/SILENT"}), 1);
    ::close(fd);

    for (const char* gone : {"\\Valdorine.exe", "\\data\\media.xml", "\\readme.txt", "\\data"})
        EXPECT_FALSE(Exists(kFolder + gone)) << gone;
    EXPECT_TRUE(Exists(kFolder + "\\in use.dll"));
    EXPECT_TRUE(Exists(kUninstaller));
    EXPECT_FALSE(Exists("C:\\WINDOWS\\SYSTEM\\shared.dll"));
    EXPECT_FALSE(HasValue(win::HKey::LocalMachine, kSharedDlls, "C:\\WINDOWS\\SYSTEM\\shared.dll"));
    EXPECT_TRUE(Exists("C:\\WINDOWS\\SYSTEM\\common.dll"));
    EXPECT_FALSE(Exists("C:\\WINDOWS\\backup\\sys.dl_"));
    EXPECT_FALSE(Exists("C:\\WINDOWS\\SYSTEM\\sys.dll"));  // silent mode restores nothing
    EXPECT_FALSE(win::RegKeyExists(win::HKey::CurrentUser, "Software\\Lumivar\\KELVARIN"));
    EXPECT_TRUE(win::RegKeyExists(win::HKey::CurrentUser, "Software\\Lumivar\\Other"));
    EXPECT_TRUE(win::RegKeyExists(win::HKey::CurrentUser, "Software"));
    EXPECT_EQ(win::PendingDeletions(), (std::vector<std::string>{kUninstaller, kFolder + "\\in use.dll"}));
    EXPECT_FALSE(win::RestartRequested());

    std::uint32_t type = 0;
    std::vector<std::uint8_t> count;
    ASSERT_EQ(win::RegQueryValue(win::HKey::LocalMachine, kSharedDlls, "C:\\WINDOWS\\SYSTEM\\common.dll", type, count),
              win::ERROR_SUCCESS);
    EXPECT_EQ(count, (std::vector<std::uint8_t>{2, 0, 0, 0}));
}

TEST_F(EndToEnd, SecondInstanceAndBrokenDataChangeNothing) {
    Install();
    {
        win::NamedMutex running;
        ASSERT_EQ(win::CreateMutex("vrek_Valdorine_mutex", running), win::ERROR_SUCCESS);
        EXPECT_EQ(RunProgram({Native(kUninstaller).string(), "/SILENT"}), 0);
    }
    EXPECT_TRUE(Exists(kFolder + "\\Valdorine.exe"));

    // One byte of the data changed.
    const fs::path exe = Native(kUninstaller);
    std::string bytes = testing_support::ReadFile(exe);
    bytes[bytes.size() - 20] = static_cast<char>(bytes[bytes.size() - 20] ^ 0x40);
    testing_support::WriteFile(exe, bytes);
    ::chmod(exe.c_str(), 0755);
    EXPECT_EQ(RunProgram({exe.string(), "/silent"}), 0);
    EXPECT_TRUE(Exists(kFolder + "\\Valdorine.exe"));
    EXPECT_TRUE(HasValue(win::HKey::LocalMachine, kSharedDlls, "C:\\WINDOWS\\SYSTEM\\shared.dll"));
    EXPECT_TRUE(win::PendingDeletions().empty());
}

TEST_F(EndToEnd, TheProgramWithoutDataStopsAtOnce) {
    fs::create_directories(Native(kFolder));
    fs::copy_file(ORBELO_UNINSTALLER, Native(kUninstaller));
    EXPECT_EQ(RunProgram({Native(kUninstaller).string(), "/SILENT"}), 0);
}

TEST_F(EndToEnd, RelativeMachineRootHoldsWhileTheRunChangesDirectory) {
    Install();
    // The directory step moves to "C:\\"; the registry step after it must
    // still find the same machine.
    const std::vector<std::string> relative = {"VALDORINE_MACHINE_ROOT=" + root_.Path().filename().string()};
    EXPECT_EQ(RunProgram({Native(kUninstaller).string(), "/SILENT"}, relative, root_.Path().parent_path()), 1);
    EXPECT_FALSE(Exists(kFolder + "\\Valdorine.exe"));
    EXPECT_FALSE(win::RegKeyExists(win::HKey::CurrentUser, "Software\\Lumivar\\KELVARIN"));
    EXPECT_EQ(win::PendingDeletions(), std::vector<std::string>{kUninstaller});
    EXPECT_FALSE(fs::exists(Native("C:\\") / root_.Path().filename()));
}

TEST_F(EndToEnd, AnUninstallerOutsideTheDrivesSchedulesItsOwnDeletion) {
    Install();
    // A packed copy in a folder of this machine, as the build's packaged uninstaller lies.
    const fs::path outside = dir_.Path() / "bin" / "OrbeloUninstaller-packaged";
    fs::create_directories(outside.parent_path());
    fs::copy_file(ORBELO_UNINSTALLER, outside);
    ASSERT_EQ(RunProgram({ORBELO_APPEND_DATA, outside.string(), (dir_.Path() / "data.bin").string()}), 0);
    EXPECT_EQ(RunProgram({outside.string(), "/SILENT"}), 1);
    EXPECT_FALSE(Exists(kFolder + "\\Valdorine.exe"));
    EXPECT_EQ(win::PendingDeletions(), std::vector<std::string>{fs::canonical(outside).string()});
    EXPECT_TRUE(fs::exists(outside));  // only recorded: nothing restarts here
}

TEST_F(EndToEnd, WithoutAWindowSystemItStopsWithOneLine) {
    Install();
    const fs::path errors = dir_.Path() / "stderr.txt";
    const std::vector<std::vector<std::string>> platforms = {
        {"QT_QPA_PLATFORM=no-such-platform"},
        {"QT_QPA_PLATFORM=xcb", "DISPLAY=", "WAYLAND_DISPLAY="},  // no display to connect to
    };
    for (const auto& environment : platforms) {
        SCOPED_TRACE(environment.front());
        EXPECT_EQ(RunProgram({Native(kUninstaller).string()}, environment, {}, errors), 0);
        EXPECT_EQ(testing_support::ReadFile(errors), "cannot open a window; run with /SILENT to uninstall without one\n");
        EXPECT_TRUE(Exists(kFolder + "\\Valdorine.exe"));
        EXPECT_TRUE(Exists("C:\\WINDOWS\\backup\\sys.dl_"));
        EXPECT_TRUE(win::RegKeyExists(win::HKey::CurrentUser, "Software\\Lumivar\\KELVARIN"));
        EXPECT_TRUE(win::PendingDeletions().empty());
    }
    // The same machine still uninstalls without a window.
    EXPECT_EQ(RunProgram({Native(kUninstaller).string(), "/SILENT"}), 1);
}
