#include "uninstaller/UninstallRun.h"

#include "uninstaller/UninstallFixture.h"

#include "platform/win/Restart.h"
#include "platform/win/System.h"
#include "platform/win/WinError.h"

#include <string>
#include <vector>

using namespace std::string_literals;

namespace {

const std::string kLocked = "C:\\Program Files\\Example\\locked.dll";
const std::string kEntry = "NUL=" + kLocked;

class RebootScheduleTest : public UninstallFixture {
protected:
    RebootScheduleTest() {
        MakeFile(kLocked);
        MakeDir("C:\\WINDOWS");
    }
    void OlderWindows() { ASSERT_EQ(win::SetEmulatedPlatform(win::Platform::Windows9x), win::ERROR_SUCCESS); }
    std::string WinInit() const { return Contents("C:\\WINDOWS\\wininit.ini"); }

    static std::string Added(const std::string& content) {
        return std::string(addRenameEntry(MakeByteString(content), ByteString(kLocked.c_str())).view());
    }
};

}  // namespace

TEST_F(RebootScheduleTest, WindowsNtRecordsPendingDeletions) {
    deleteAtReboot(ByteString(kLocked.c_str()));
    deleteAtReboot("C:\\other.txt");  // need not exist
    EXPECT_EQ(win::PendingDeletions(), (std::vector<std::string>{kLocked, "C:\\other.txt"}));
    EXPECT_FALSE(Exists("C:\\WINDOWS\\wininit.ini"));
}

TEST_F(RebootScheduleTest, OlderWindowsWritesWinInit) {
    OlderWindows();
    deleteAtReboot(ByteString(kLocked.c_str()));
    EXPECT_EQ(WinInit(), "[Rename]\r\n" + kEntry);
    EXPECT_TRUE(win::PendingDeletions().empty());
    // Twice: still one entry.
    deleteAtReboot(ByteString(kLocked.c_str()));
    EXPECT_EQ(WinInit(), "[Rename]\r\n" + kEntry);
    deleteAtReboot("C:\\WINDOWS\\two.dll");
    MakeFile("C:\\WINDOWS\\two.dll");
    deleteAtReboot("C:\\WINDOWS\\two.dll");
    EXPECT_EQ(WinInit(), "[Rename]\r\nNUL=C:\\WINDOWS\\two.dll\r\n" + kEntry);
}

TEST_F(RebootScheduleTest, FallsBackWhenTheRegistryRefuses) {
    win::RegSetKeyAccessForTesting(win::HKey::LocalMachine, win::kSessionManagerKey, win::RegTestAccess::ReadOnly);
    ASSERT_EQ(win::RegCreateKey(win::HKey::LocalMachine, "SYSTEM"), win::ERROR_SUCCESS);
    deleteAtReboot(ByteString(kLocked.c_str()));
    win::RegSetKeyAccessForTesting(win::HKey::LocalMachine, win::kSessionManagerKey, win::RegTestAccess::Full);
    EXPECT_EQ(WinInit(), "[Rename]\r\n" + kEntry);
}

TEST_F(RebootScheduleTest, NoShortPathNoEntry) {
    OlderWindows();
    MakeFile("C:\\WINDOWS\\wininit.ini", "[boot]\r\n");
    deleteAtReboot("C:\\gone.dll");  // no short name for a file that isn't there
    // One whose name is too long for the short-name buffer gets no cut entry either.
    const std::string longPath = "C:\\" + std::string(150, 'x') + "\\" + std::string(150, 'y');
    MakeFile(longPath);
    deleteAtReboot(ByteString(longPath.c_str()));
    EXPECT_EQ(WinInit(), "[boot]\r\n");
}

TEST_F(RebootScheduleTest, WinInitCases) {
    struct Case {
        const char* name;
        std::string before, after;
    } const cases[] = {
        {"empty file", "", "[Rename]\r\n" + kEntry},
        {"section present", "[boot]\r\nx=1\r\n[Rename]\r\nNUL=C:\\a\r\n",
         "[boot]\r\nx=1\r\n[Rename]\r\n" + kEntry + "\r\nNUL=C:\\a\r\n"},
        {"lower-case header, entry present", "[rename]\r\n" + kEntry + "\r\n", "[rename]\r\n" + kEntry + "\r\n"},
        {"no section", "[boot]\r\nx=1", "[boot]\r\nx=1\r\n[Rename]\r\n" + kEntry + "\r\n"},
        {"header without a line end", "[boot]\r\n[RENAME]", "[boot]\r\n[RENAME]\r\n" + kEntry + "\r\n"},
        {"later header moves the insertion point", "[Rename]\r\nNUL=C:\\a\r\n[Rename]\r\nNUL=C:\\b\r\n",
         "[Rename]\r\nNUL=C:\\a\r\n[Rename]\r\n" + kEntry + "\r\nNUL=C:\\b\r\n"},
        {"entry before the section doesn't count", kEntry + "\r\n[Rename]\r\n",
         kEntry + "\r\n[Rename]\r\n" + kEntry + "\r\n"},
        {"entry differing in case is another entry", "[Rename]\r\nNUL=c:\\program files\\example\\locked.dll\r\n",
         "[Rename]\r\n" + kEntry + "\r\nNUL=c:\\program files\\example\\locked.dll\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Added(c.before), c.after);
    }
}

TEST_F(RebootScheduleTest, WinInitFileWrittenBackUnchangedWhenPresent) {
    OlderWindows();
    const std::string content = "[rename]\r\n" + kEntry + "\r\n";
    MakeFile("C:\\WINDOWS\\WININIT.INI", content);
    deleteAtReboot(ByteString(kLocked.c_str()));
    EXPECT_EQ(Contents("C:\\WINDOWS\\WININIT.INI"), content);
}
