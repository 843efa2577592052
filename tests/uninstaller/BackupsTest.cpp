#include "uninstaller/UninstallRun.h"

#include "uninstaller/UninstallFixture.h"

#include "platform/win/FileOps.h"
#include "platform/win/FileVersion.h"
#include "platform/win/MessageBox.h"
#include "platform/win/WinError.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace {

const std::string kBackup = "C:\\WINDOWS\\backup\\x.dl_";
const std::string kTarget = "C:\\WINDOWS\\SYSTEM\\x.dll";
constexpr std::uint32_t kHigh = 0x00050001;  // 5.1
constexpr std::uint32_t kLow = 0x00020003;   // .2.3
constexpr std::uint64_t kTime = 0x01D0000012345670ull;
const std::string kQuestion =
    "box 4 progress Orbelo Installer has taken backup copies of DLL, VxD, drv and other system files during "
    "installation. Do you want to restore these backups? (This is recommended if the program has caused malicious "
    "functionality.)";

class BackupsTest : public UninstallFixture {
protected:
    BackupsTest() : run_(dialogs_) {}

    // The original file, as the backup copy holds it.
    void MakeBackup() { MakeFile(kBackup, "original " + win::FileVersionBlock(0x00040000, 0)); }
    // The installed file with a version and a last-write time.
    void MakeTarget(std::uint32_t high, std::uint32_t low, std::uint64_t time) {
        MakeFile(kTarget, "installed   " + win::FileVersionBlock(high, low));  // on a 4-byte boundary
        ASSERT_EQ(win::SetFileTime(kTarget, time), win::ERROR_SUCCESS);
    }
    static std::string Line() {
        return kBackup + "\t" + kTarget + "\t" + std::to_string(kHigh) + "\t" + std::to_string(kLow) + "\t" +
               std::to_string(kTime >> 32) + "\t" + std::to_string(kTime & 0xFFFFFFFFu) + "\r\n";
    }
    void Restore(const std::string& lines) {
        run_.restoreBackups(MakeByteString(lines));
    }
    bool Restored() const { return Contents(kTarget).rfind("original", 0) == 0; }

    UninstallRun run_;
};

}  // namespace

TEST_F(BackupsTest, RestoredOnlyWhenTheTargetIsMissingOrUnchanged) {
    struct Case {
        const char* name;
        bool target;  // installed file present
        std::uint32_t high, low;
        std::uint64_t time;
        bool restored, backupKept;
    } const cases[] = {
        {"target missing", false, 0, 0, 0, true, false},
        {"same time and version", true, kHigh, kLow, kTime, true, false},
        {"newer time", true, kHigh, kLow, kTime + 10000000, false, false},
        {"same time, other version", true, kHigh, kLow + 1, kTime, false, false},
        {"same time, older version", true, kHigh - 1, kLow, kTime, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(Native(kTarget));
        MakeDir("C:\\WINDOWS\\SYSTEM");
        MakeBackup();
        if (c.target) MakeTarget(c.high, c.low, c.time);
        dialogs_.boxAnswers = {win::IDYES};
        Restore(Line());
        EXPECT_EQ(Restored(), c.restored);
        EXPECT_EQ(Exists(kBackup), c.backupKept);
    }
}

TEST_F(BackupsTest, NegativeFieldsAreTheirThirtyTwoBits) {
    // An installer that writes the numbers signed: a low time half with its top
    // bit set comes as a negative number and must still match.
    constexpr std::uint64_t time = 0x01D000009ABCDEF0ull;
    MakeBackup();
    MakeTarget(0xFFFE0001, kLow, time);
    const std::string line = kBackup + "\t" + kTarget + "\t" + std::to_string(static_cast<std::int32_t>(0xFFFE0001)) +
                             "\t" + std::to_string(kLow) + "\t" + std::to_string(time >> 32) + "\t" +
                             std::to_string(static_cast<std::int32_t>(time & 0xFFFFFFFFu)) + "\r\n";
    ASSERT_NE(line.find("\t-"), std::string::npos);
    dialogs_.boxAnswers = {win::IDYES};
    Restore(line);
    EXPECT_TRUE(Restored());
    EXPECT_FALSE(Exists(kBackup));
}

TEST_F(BackupsTest, RestoredCopyKeepsTheOriginalTime) {
    MakeDir("C:\\WINDOWS\\SYSTEM");
    MakeBackup();
    ASSERT_EQ(win::SetFileTime(kBackup, 0x01C0000000000000ull), win::ERROR_SUCCESS);
    dialogs_.boxAnswers = {win::IDYES};
    Restore(Line());
    std::uint64_t time = 0;
    ASSERT_EQ(win::GetFileTime(kTarget, time), win::ERROR_SUCCESS);
    EXPECT_EQ(time, 0x01C0000000000000ull);
}

TEST_F(BackupsTest, UnreadableVersionLeavesTargetAndBackup) {
    MakeBackup();
    MakeFile(kTarget, "no version here");
    ASSERT_EQ(win::SetFileTime(kTarget, kTime), win::ERROR_SUCCESS);
    Restore(Line());
    EXPECT_EQ(Contents(kTarget), "no version here");
    EXPECT_TRUE(Exists(kBackup));
}

TEST_F(BackupsTest, FailedCopyKeepsTheBackup) {
    MakeBackup();
    MakeTarget(kHigh, kLow, kTime);
    // Another program holds the installed file: it can't be opened, so a
    // restore is tried, and the copy over it fails.
    const int fd = ::open(Native(kTarget).c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    Restore(Line());
    ::close(fd);
    EXPECT_FALSE(Restored());
    EXPECT_TRUE(Exists(kBackup));
}

TEST_F(BackupsTest, NoOrSilentDeletesTheCopiesOnly) {
    for (const bool silent : {false, true}) {
        SCOPED_TRACE(silent);
        MakeBackup();
        std::filesystem::remove(Native(kTarget));
        dialogs_.log.clear();
        dialogs_.boxAnswers = {win::IDNO};
        run_.setSilent(silent);
        Restore(Line() + "ab\r\n");
        EXPECT_FALSE(Exists(kBackup));
        EXPECT_FALSE(Exists(kTarget));
        if (silent)
            EXPECT_TRUE(dialogs_.log.empty());
        else
            EXPECT_EQ(dialogs_.log, (std::vector<std::string>{"mark 1013", kQuestion, "mark 1012"}));
    }
}

TEST_F(BackupsTest, TwoBytesOrLessCountAsNoBackups) {
    Restore("\r\n");
    EXPECT_EQ(dialogs_.log, (std::vector<std::string>{"mark 1013", "mark 1012"}));
    const int pumps = dialogs_.pumps;
    dialogs_.log.clear();
    MakeBackup();
    dialogs_.boxAnswers = {win::IDYES};
    Restore(Line());
    EXPECT_EQ(dialogs_.log, (std::vector<std::string>{"mark 1013", kQuestion, "mark 1012"}));
    EXPECT_EQ(dialogs_.pumps - pumps, 3);  // after each mark and after restoring
}

TEST_F(BackupsTest, ShortFieldsNeverLoseTheBackup) {
    MakeBackup();
    dialogs_.boxAnswers = {win::IDYES};
    Restore(kBackup + "\r\n");  // no target to restore to
    EXPECT_TRUE(Exists(kBackup));
}

TEST(CompareVersions, PartByPart) {
    EXPECT_EQ(compareVersions(0x00010002, 0x00030004, 0x00010002, 0x00030004), 0);
    EXPECT_EQ(compareVersions(0x00010002, 0x00030004, 0x00020000, 0x00000000), 1);   // major
    EXPECT_EQ(compareVersions(0x00010002, 0x00030004, 0x00010001, 0xFFFFFFFF), -1);  // minor wins over build
    EXPECT_EQ(compareVersions(0x00010002, 0x00030004, 0x00010002, 0x00040000), 1);   // build
    EXPECT_EQ(compareVersions(0x00010002, 0x00030004, 0x00010002, 0x00030003), -1);  // revision
    EXPECT_EQ(compareVersions(0xFFFF0000, 0, 0x00010000, 0), -1);
}

TEST_F(BackupsTest, GetFileVersionCodes) {
    std::uint32_t high = 0, low = 0;
    MakeFile("C:\\v.dll", std::string(8, 'x') + win::FileVersionBlock(kHigh, kLow));
    EXPECT_EQ(getFileVersion("C:\\v.dll", high, low), 1);
    EXPECT_EQ(high, kHigh);
    EXPECT_EQ(low, kLow);
    MakeFile("C:\\none.dll", "plain");
    EXPECT_EQ(getFileVersion("C:\\none.dll", high, low), -1);
    MakeFile("C:\\cut.dll", win::FileVersionBlock(kHigh, kLow).substr(0, 12));
    EXPECT_EQ(getFileVersion("C:\\cut.dll", high, low), -4);
    EXPECT_EQ(getFileVersion("C:\\missing.dll", high, low), -3);
}
