#include "platform/win/Files.h"

#include "platform/win/Clock.h"
#include "platform/win/MachineRoot.h"
#include "platform/win/WinError.h"
#include "support/TestSupport.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

namespace fs = std::filesystem;
using testing_support::WriteFile;

namespace {

// Sets (or, with nullopt, removes) an environment variable for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value) ::setenv(name, value->c_str(), 1);
        else ::unsetenv(name);
    }
    ~ScopedEnv() {
        if (old_) ::setenv(name_, old_->c_str(), 1);
        else ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

std::vector<std::string> Names(const std::vector<fs::path>& paths) {
    std::vector<std::string> names;
    for (const fs::path& p : paths) names.push_back(p.filename().string());
    return names;
}

TEST(MachineRoot, EnvironmentFirstThenXdgThenHome) {
    {
        ScopedEnv root("VALDORINE_MACHINE_ROOT", "/somewhere/machine");
        EXPECT_EQ(win::MachineRoot(), fs::path("/somewhere/machine"));
    }
    ScopedEnv root("VALDORINE_MACHINE_ROOT", std::nullopt);
    ScopedEnv home("HOME", "/home/tester");
    {
        ScopedEnv xdg("XDG_DATA_HOME", "/data");
        EXPECT_EQ(win::MachineRoot(), fs::path("/data/valdorine/machine"));
    }
    {
        ScopedEnv xdg("XDG_DATA_HOME", "relative");  // invalid by the XDG rules
        EXPECT_EQ(win::MachineRoot(), fs::path("/home/tester/.local/share/valdorine/machine"));
    }
    ScopedEnv xdg("XDG_DATA_HOME", std::nullopt);
    EXPECT_EQ(win::MachineRoot(), fs::path("/home/tester/.local/share/valdorine/machine"));
}

TEST(Files, WindowsPathsMapOntoTheMachineRoot) {
    testing_support::ScopedMachineRoot machine;
    const fs::path drives = machine.Path() / "drives";
    struct Case {
        const char* windows;
        fs::path expected;
    } cases[] = {
        {"C:\\Dir\\f.txt", drives / "c" / "Dir" / "f.txt"},
        {"c:/Dir/f.txt", drives / "c" / "Dir" / "f.txt"},
        {"D:\\a/b\\\\c\\", drives / "d" / "a" / "b" / "c"},
        {"C:\\", drives / "c"},
        {"C:\\a\\.\\b\\..\\..\\..\\..\\etc\\passwd", drives / "c" / "etc" / "passwd"},
        {"\\\\server\\share\\x\\..\\..\\y", machine.Path() / "unc" / "server" / "share" / "y"},
        {"C:\\Program Files\\\xC1rv\xEDzt\xFBr\xF5.txt", drives / "c" / "Program Files" / "Árvíztűrő.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.windows);
        fs::path out;
        ASSERT_EQ(win::MapWindowsPath(c.windows, out), win::ERROR_SUCCESS);
        EXPECT_EQ(out, c.expected);
    }
}

TEST(Files, NonWindowsPathsAreRefused) {
    testing_support::ScopedMachineRoot machine;
    for (const char* bad : {"", "/etc/passwd", "relative\\f.txt", "\\rooted\\f.txt", "C:", "C:f.txt", "1:\\x",
                            "\\\\server", "\\\\server\\..\\x", "\\\\.\\pipe", "\\\\?\\C:\\x", "C:\\a:stream",
                            "C:\\a*b", "C:\\a\x01"}) {
        SCOPED_TRACE(bad);
        fs::path out = "unchanged";
        EXPECT_EQ(win::MapWindowsPath(bad, out), win::ERROR_BAD_PATHNAME);
        EXPECT_EQ(out, fs::path("unchanged"));
    }
    fs::path out;
    EXPECT_EQ(win::MapWindowsPath(std::string_view("C:\\a\0b", 6), out), win::ERROR_BAD_PATHNAME);
}

TEST(Files, MissingNamesResolveIgnoringCase) {
    testing_support::TempDir dir;
    WriteFile(dir.Path() / "Data" / "Media.XML", "x");
    WriteFile(dir.Path() / "Data" / "\xC3\x81rv.xml", "x");  // Árv.xml
    EXPECT_EQ(win::ResolveCaseInsensitive(dir.Path() / "data" / "media.xml"), dir.Path() / "Data" / "Media.XML");
    EXPECT_EQ(win::ResolveCaseInsensitive(dir.Path() / "DATA" / "\xC3\xA1RV.XML"),  // áRV.XML
              dir.Path() / "Data" / "\xC3\x81rv.xml");
    EXPECT_EQ(win::ResolveCaseInsensitive(dir.Path() / "Data" / "Media.XML"), dir.Path() / "Data" / "Media.XML");
    EXPECT_EQ(win::ResolveCaseInsensitive(dir.Path() / "data" / "none.xml"), dir.Path() / "data" / "none.xml");
    // Exact matches win; among names that differ only in case the smallest is taken.
    WriteFile(dir.Path() / "Data" / "media.xml", "y");
    EXPECT_EQ(win::ResolveCaseInsensitive(dir.Path() / "Data" / "media.xml"), dir.Path() / "Data" / "media.xml");
    EXPECT_EQ(win::ResolveCaseInsensitive(dir.Path() / "Data" / "MEDIA.xml"), dir.Path() / "Data" / "Media.XML");
}

TEST(Files, ListFilesFollowsWindowsWildcards) {
    testing_support::TempDir dir;
    for (const char* name : {"b.xml", "A.XMZ", "c.xm", "d.xmlx", "e.xml.bak", "f.txt", "xml", ".hidden.xml",
                             "\xC3\x81.xml", "Z.Xml"})
        WriteFile(dir.Path() / name, "x");
    fs::create_directory(dir.Path() / "folder.xml");
    fs::create_symlink(dir.Path() / "folder.xml", dir.Path() / "link.xml");
    EXPECT_EQ(Names(win::ListFiles(dir.Path(), "*.xm?")),
              (std::vector<std::string>{"A.XMZ", "b.xml", "c.xm", "Z.Xml", "\xC3\x81.xml"}));
    EXPECT_EQ(Names(win::ListFiles(dir.Path(), "*.XML")), (std::vector<std::string>{"b.xml", "Z.Xml", "\xC3\x81.xml"}));
    EXPECT_EQ(Names(win::ListFiles(dir.Path(), "?.xml")), (std::vector<std::string>{"b.xml", "Z.Xml", "\xC3\x81.xml"}));
    EXPECT_EQ(Names(win::ListFiles(dir.Path(), "x*")), std::vector<std::string>{"xml"});
    EXPECT_EQ(Names(win::ListFiles(dir.Path(), "*.*")).size(), 9u);  // "xml" has no dot and still matches
    EXPECT_TRUE(win::ListFiles(dir.Path() / "missing", "*").empty());
}

TEST(Files, NamesDifferingOnlyInCaseKeepAFixedOrder) {
    testing_support::TempDir dir;
    for (const char* name : {"a.xml", "B.xml", "A.xml", "b.xml"}) WriteFile(dir.Path() / name, "x");
    EXPECT_EQ(Names(win::ListFiles(dir.Path(), "*.xm?")),
              (std::vector<std::string>{"A.xml", "a.xml", "B.xml", "b.xml"}));
}

TEST(Files, ListFoldersLeavesOutFilesAndHiddenFolders) {
    testing_support::TempDir dir;
    for (const char* name : {"sub2", "Sub1", ".git", "c"}) fs::create_directory(dir.Path() / name);
    WriteFile(dir.Path() / "file", "x");
    EXPECT_EQ(Names(win::ListFolders(dir.Path())), (std::vector<std::string>{"c", "Sub1", "sub2"}));
}

TEST(Files, PathsAndWindows1250Text) {
    EXPECT_EQ(win::TextFromPath(fs::path("/tmp/\xC3\x81rv\xC3\xADzt\xC5\xB1r\xC5\x91")), "/tmp/\xC1rv\xEDzt\xFBr\xF5");
    EXPECT_EQ(win::TextFromPath(fs::path("\xE2\x82\xAC\xE4\xB8\xAD")), "\x80?");  // the euro sign, then no such letter
    EXPECT_EQ(win::PathFromText("\xC1rv\xEDzt\xFBr\xF5"), fs::path("\xC3\x81rv\xC3\xADzt\xC5\xB1r\xC5\x91"));
}

TEST(Files, ProgramFolderHoldsTheRunningTest) {
    const fs::path folder = win::ProgramFolder();
    EXPECT_TRUE(folder.is_absolute());
    EXPECT_TRUE(fs::is_directory(folder));
}

TEST(TempFolder, PrivateAndRemovedAtExit) {
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    const int rc = testing_support::RunInChildProcess([&] {
        const fs::path temp = win::TempFolder();
        WriteFile(temp / "xmlDecod.tmp", "decoded");
        const std::string text = temp.string();
        if (::write(pipeFds[1], text.data(), text.size()) != static_cast<ssize_t>(text.size())) return 1;
        std::exit(0);  // a normal exit runs the cleanup
    });
    ::close(pipeFds[1]);
    char buffer[4096];
    const ssize_t n = ::read(pipeFds[0], buffer, sizeof buffer);
    ::close(pipeFds[0]);
    ASSERT_EQ(rc, 0);
    ASSERT_GT(n, 0);
    const fs::path childTemp(std::string(buffer, static_cast<std::size_t>(n)));
    EXPECT_EQ(childTemp.filename().string().rfind("valdorine-tmp-", 0), 0u);
    EXPECT_FALSE(fs::exists(childTemp));

    const fs::path mine = win::TempFolder();
    EXPECT_EQ(win::TempFolder(), mine);
    EXPECT_NE(mine, childTemp);
    EXPECT_EQ(fs::status(mine).permissions() & fs::perms::all, fs::perms::owner_all);
}

TEST(TempFolder, ForkedChildNeverRemovesItsParentsFolder) {
    const fs::path mine = win::TempFolder();
    WriteFile(mine / "xmlDecod.tmp", "x");
    ASSERT_EQ(testing_support::RunInChildProcess([&]() -> int {
                  const fs::path childs = win::TempFolder();
                  std::exit(childs == mine ? 1 : 0);
              }),
              0);
    EXPECT_TRUE(fs::exists(mine / "xmlDecod.tmp"));
}

TEST(TempFolder, FoldersOfKilledProcessesAreSweptAway) {
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const std::string text = win::TempFolder().string();
        if (::write(pipeFds[1], text.data(), text.size()) < 0) ::_exit(1);
        ::pause();  // killed here: no cleanup runs
        ::_exit(0);
    }
    ::close(pipeFds[1]);
    char buffer[4096];
    const ssize_t n = ::read(pipeFds[0], buffer, sizeof buffer);
    ::close(pipeFds[0]);
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_GT(n, 0);
    const fs::path orphan(std::string(buffer, static_cast<std::size_t>(n)));
    ASSERT_TRUE(fs::exists(orphan));
    // The next process to create its folder clears the leftover.
    win::RemoveTempFolder();
    const fs::path fresh = win::TempFolder();
    EXPECT_FALSE(fs::exists(orphan));
    EXPECT_TRUE(fs::exists(fresh));
}

TEST(Clock, HookPinsToday) {
    const win::TDate real = win::Today();
    EXPECT_TRUE(real.Month >= 1 && real.Month <= 12 && real.Day >= 1 && real.Day <= 31);
    auto previous = win::SetTodayHook([] { return win::TDate{2003, 2, 28}; });
    EXPECT_EQ(win::Today(), (win::TDate{2003, 2, 28}));
    win::SetTodayHook(previous);
    EXPECT_EQ(win::Today().Year, real.Year);
}

}  // namespace
