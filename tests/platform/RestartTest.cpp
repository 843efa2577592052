#include "platform/win/Restart.h"

#include "support/TestSupport.h"

#include "platform/win/FileVersion.h"
#include "platform/win/Files.h"
#include "platform/win/RegistryStore.h"
#include "platform/win/System.h"
#include "platform/win/WinError.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace std::string_literals;

TEST(Restart, DeletionsAreRecordedWhereWindowsNtKeepsThem) {
    const testing_support::ScopedMachineRoot root;
    EXPECT_EQ(win::EmulatedPlatform(), win::Platform::WindowsNT);
    ASSERT_EQ(win::MoveFileEx("C:\\a.dll", nullptr, win::MOVEFILE_DELAY_UNTIL_REBOOT), win::ERROR_SUCCESS);
    ASSERT_EQ(win::MoveFileEx("C:\\Program Files\\b.exe", nullptr, win::MOVEFILE_DELAY_UNTIL_REBOOT),
              win::ERROR_SUCCESS);
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    ASSERT_EQ(win::RegQueryValue(win::HKey::LocalMachine, win::kSessionManagerKey, win::kPendingFileRenameOperations,
                                 type, data),
              win::ERROR_SUCCESS);
    EXPECT_EQ(type, win::REG_MULTI_SZ);
    EXPECT_EQ(std::string(data.begin(), data.end()), "\\??\\C:\\a.dll\0\0\\??\\C:\\Program Files\\b.exe\0\0\0"s);
    EXPECT_EQ(win::PendingDeletions(), (std::vector<std::string>{"C:\\a.dll", "C:\\Program Files\\b.exe"}));

    // A file outside the emulated drives goes by its native path.
    EXPECT_EQ(win::MoveFileEx("/tmp/x y", nullptr, win::MOVEFILE_DELAY_UNTIL_REBOOT), win::ERROR_SUCCESS);
    EXPECT_EQ(win::PendingDeletions(), (std::vector<std::string>{"C:\\a.dll", "C:\\Program Files\\b.exe", "/tmp/x y"}));
    for (const char* bad : {"a.dll", "", "\\a.dll", "C:a.dll"}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(win::MoveFileEx(bad, nullptr, win::MOVEFILE_DELAY_UNTIL_REBOOT), win::ERROR_BAD_PATHNAME);
    }
    EXPECT_EQ(win::MoveFileEx("C:\\a.dll", "C:\\b.dll", win::MOVEFILE_DELAY_UNTIL_REBOOT), win::ERROR_INVALID_PARAMETER);
    EXPECT_EQ(win::MoveFileEx("C:\\a.dll", nullptr, 0), win::ERROR_INVALID_PARAMETER);
}

TEST(Restart, OlderWindowsHasNoSuchService) {
    const testing_support::ScopedMachineRoot root;
    ASSERT_EQ(win::SetEmulatedPlatform(win::Platform::Windows9x), win::ERROR_SUCCESS);
    EXPECT_EQ(win::EmulatedPlatform(), win::Platform::Windows9x);
    EXPECT_EQ(win::MoveFileEx("C:\\a.dll", nullptr, win::MOVEFILE_DELAY_UNTIL_REBOOT), win::ERROR_CALL_NOT_IMPLEMENTED);
    EXPECT_TRUE(win::PendingDeletions().empty());
    EXPECT_STREQ(win::GetWindowsDirectory(), "C:\\WINDOWS");
}

TEST(Restart, RequestIsOnlyRecorded) {
    const testing_support::ScopedMachineRoot root;
    EXPECT_FALSE(win::RestartRequested());
    EXPECT_EQ(win::EnableShutdownPrivilege(), win::ERROR_SUCCESS);
    EXPECT_EQ(win::ExitWindowsEx(win::EWX_REBOOT), win::ERROR_SUCCESS);
    EXPECT_TRUE(win::RestartRequested());
    EXPECT_EQ(testing_support::ReadFile(root.Path() / "system" / "restart-request"), "2\n");
}

TEST(FileVersion, FoundWhereTheVersionResourceKeepsIt) {
    const testing_support::ScopedMachineRoot root;
    std::filesystem::path file;
    ASSERT_EQ(win::MapWindowsPath("C:\\v.dll", file), win::ERROR_SUCCESS);
    std::uint32_t high = 0, low = 0;
    // Past the first read chunk and straddling its end.
    for (const std::size_t offset : {std::size_t{0}, std::size_t{4}, std::size_t{65536 - 8}, std::size_t{200000}}) {
        SCOPED_TRACE(offset);
        testing_support::WriteFile(file, std::string(offset, 'M') + win::FileVersionBlock(0x00060001, 0x1DB10001) + "tail");
        ASSERT_EQ(win::GetFileVersion("C:\\v.dll", high, low), win::ERROR_SUCCESS);
        EXPECT_EQ(high, 0x00060001u);
        EXPECT_EQ(low, 0x1DB10001u);
    }
    EXPECT_EQ(win::FileVersionBlock(1, 2).size(), 52u);
    EXPECT_EQ(win::FileVersionBlock(1, 2).substr(0, 8), "\xBD\x04\xEF\xFE\x00\x00\x01\x00"s);
    // Not on a 4-byte boundary: not a version resource.
    testing_support::WriteFile(file, "ab" + win::FileVersionBlock(1, 2) + "cd");
    EXPECT_EQ(win::GetFileVersion("C:\\v.dll", high, low), win::ERROR_RESOURCE_TYPE_NOT_FOUND);
    testing_support::WriteFile(file, win::FileVersionBlock(1, 2).substr(0, 15));
    EXPECT_EQ(win::GetFileVersion("C:\\v.dll", high, low), win::ERROR_RESOURCE_DATA_NOT_FOUND);
    EXPECT_EQ(win::GetFileVersion("C:\\none.dll", high, low), win::ERROR_FILE_NOT_FOUND);
}
