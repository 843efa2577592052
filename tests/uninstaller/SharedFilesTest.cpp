#include "uninstaller/UninstallRun.h"

#include "uninstaller/UninstallFixture.h"

#include "platform/win/FileOps.h"
#include "platform/win/WinError.h"

#include <string>
#include <vector>

namespace {

constexpr char kSharedDlls[] = "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
const std::string kA = "C:\\WINDOWS\\SYSTEM\\a.dll";
const std::string kB = "C:\\WINDOWS\\SYSTEM\\b.dll";

class SharedFilesTest : public UninstallFixture {
protected:
    SharedFilesTest() : run_(dialogs_) {}

    void Share(const std::string& path, std::int64_t count) {
        MakeFile(path);
        if (count >= 0)
            SetDword(win::HKey::LocalMachine, kSharedDlls, path, static_cast<std::uint32_t>(count));
        else
            ASSERT_EQ(win::RegCreateKey(win::HKey::LocalMachine, kSharedDlls), win::ERROR_SUCCESS);
    }
    void Remove(const std::string& lines) {
        run_.removeSharedFiles(MakeByteString(lines));
    }
    std::int64_t Count(const std::string& path) { return Dword(win::HKey::LocalMachine, kSharedDlls, path); }

    UninstallRun run_;
};

}  // namespace

TEST_F(SharedFilesTest, CountAboveOneIsCountedDown) {
    Share(kA, 3);
    Remove(kA + "\r\n");
    EXPECT_EQ(Count(kA), 2);
    EXPECT_TRUE(Exists(kA));
    EXPECT_TRUE(dialogs_.Lines("shared").empty());
}

TEST_F(SharedFilesTest, CountOneOrNoneAsks) {
    Share(kA, 1);
    Share(kB, -1);  // no count at all
    dialogs_.sharedAnswers = {kSharedYes, kSharedNo};
    Remove(kA + "\r\n" + kB + "\r\n");
    EXPECT_EQ(dialogs_.Lines("shared"), (std::vector<std::string>{"shared " + kA, "shared " + kB}));
    EXPECT_FALSE(Exists(kA));
    EXPECT_EQ(Count(kA), -1);  // value deleted
    EXPECT_TRUE(Exists(kB));
    EXPECT_EQ(Count(kB), 0);  // kept: 0 written
    EXPECT_EQ(run_.sharedAnswers().view(), kA + "2\r\n" + kB + "1");
}

TEST_F(SharedFilesTest, SilentRemovesWithoutAsking) {
    Share(kA, 1);
    Share(kB, 0);
    run_.setSilent(true);
    Remove(kA + "\r\n" + kB + "\r\n");
    EXPECT_TRUE(dialogs_.log.empty());
    EXPECT_FALSE(Exists(kA));
    EXPECT_FALSE(Exists(kB));
}

TEST_F(SharedFilesTest, RecordedAnswerIsReusedForTheSamePath) {
    Share(kA, 1);
    dialogs_.sharedAnswers = {kSharedNo};
    Remove(kA + "\r\n" + kA + "\r\n");
    EXPECT_EQ(dialogs_.Lines("shared").size(), 1u);
    EXPECT_TRUE(Exists(kA));
    EXPECT_EQ(Count(kA), 0);
}

TEST_F(SharedFilesTest, ToAllAnswers) {
    const std::string c = "C:\\WINDOWS\\SYSTEM\\c.dll";
    Share(kA, 1);
    Share(kB, 1);
    Share(c, 1);
    dialogs_.sharedAnswers = {kSharedNoToAll};
    Remove(kA + "\r\n" + kB + "\r\n");
    EXPECT_EQ(dialogs_.Lines("shared").size(), 1u);
    EXPECT_TRUE(Exists(kA));
    EXPECT_TRUE(Exists(kB));
    EXPECT_EQ(Count(kB), 0);

    // A new step starts without the flags; "Yes to all" then removes the rest unasked.
    dialogs_.log.clear();
    Share(kA, 1);
    dialogs_.sharedAnswers = {kSharedYesToAll};
    Remove(kA + "\r\n" + kB + "\r\n" + c + "\r\n");
    EXPECT_EQ(dialogs_.Lines("shared").size(), 1u);
    EXPECT_FALSE(Exists(kA));
    EXPECT_FALSE(Exists(kB));  // "No to all" records nothing per path
    EXPECT_FALSE(Exists(c));
}

TEST_F(SharedFilesTest, EmptyLinesAreSkippedAndReadOnlyFilesGo) {
    Share(kA, 1);
    ASSERT_EQ(win::SetFileAttributes(kA, win::FILE_ATTRIBUTE_READONLY), win::ERROR_SUCCESS);
    Remove("\r\n" + kA + "\r\n\r\n");
    EXPECT_EQ(dialogs_.Lines("shared"), std::vector<std::string>{"shared " + kA});
    EXPECT_FALSE(Exists(kA));
}

TEST_F(SharedFilesTest, WithoutTheCountsKeyNothingHappens) {
    MakeFile(kA);
    run_.setSilent(true);
    Remove(kA + "\r\n");
    EXPECT_TRUE(Exists(kA));
}

TEST_F(SharedFilesTest, RemovedLibraryIsUnregisteredBeforeItGoes) {
    const std::string dll = "C:\\WINDOWS\\SYSTEM\\probe.dll";
    MakeFile(dll, testing_support::ReadFile(PROBE_LIBRARY));
    SetDword(win::HKey::LocalMachine, kSharedDlls, dll, 1);
    MakeFile("C:\\WINDOWS\\SYSTEM\\no-export.dll", "not a library");
    SetDword(win::HKey::LocalMachine, kSharedDlls, "C:\\WINDOWS\\SYSTEM\\no-export.dll", 1);
    const std::filesystem::path before = std::filesystem::current_path();
    run_.setSilent(true);
    Remove(dll + "\r\nC:\\WINDOWS\\SYSTEM\\no-export.dll\r\n");
    EXPECT_FALSE(Exists(dll));
    EXPECT_FALSE(Exists("C:\\WINDOWS\\SYSTEM\\no-export.dll"));
    // The probe logs where it was loaded and that it was called, with the
    // uninstaller's own current directory back in place by then.
    const std::string folder = Native("C:\\WINDOWS\\SYSTEM").string();
    EXPECT_EQ(testing_support::ReadFile(root_.Path() / "probe.log"),
              "loaded in " + folder + "\nDllUnregisterServer in " + before.string() + "\n");
    EXPECT_EQ(std::filesystem::current_path(), before);
}

TEST(LookupSharedAnswer, ComparesTheLineWithoutItsLastByte) {
    const ByteString answers("C:\\a.dll1\r\nC:\\b.dll2\r\nC:\\A.DLL2");
    EXPECT_EQ(lookupSharedAnswer(answers, "C:\\a.dll"), 1);
    EXPECT_EQ(lookupSharedAnswer(answers, "C:\\b.dll"), 2);
    EXPECT_EQ(lookupSharedAnswer(answers, "C:\\A.DLL"), 2);  // exact comparison
    EXPECT_EQ(lookupSharedAnswer(answers, "C:\\c.dll"), -1);
    EXPECT_EQ(lookupSharedAnswer(ByteString(), "C:\\a.dll"), -1);
}
