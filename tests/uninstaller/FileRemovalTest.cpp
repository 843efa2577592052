#include "uninstaller/UninstallRun.h"

#include "uninstaller/UninstallFixture.h"

#include "platform/win/FileOps.h"
#include "platform/win/WinError.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <string>

namespace {

class FileRemovalTest : public UninstallFixture {
protected:
    FileRemovalTest() : run_(dialogs_) {}

    UninstallRun run_;
};

}  // namespace

TEST_F(FileRemovalTest, FilesMissingAreIgnoredAndInUseAreScheduled) {
    MakeFile("C:\\P\\a.txt");
    MakeFile("C:\\P\\ro.txt");
    ASSERT_EQ(win::SetFileAttributes("C:\\P\\ro.txt", win::FILE_ATTRIBUTE_READONLY), win::ERROR_SUCCESS);
    MakeFile("C:\\P\\locked.dll");
    MakeDir("C:\\P\\folder");
    const int fd = ::open(Native("C:\\P\\locked.dll").c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_SH), 0);
    run_.removeFiles(MakeByteString(
        "C:\\P\\a.txt\r\n"
        "C:\\P\\RO.TXT\r\n"         // another case, read-only
        "C:\\P\\missing.txt\r\n"    // error 2
        "C:\\Q\\missing.txt\r\n"    // error 3
        "C:\\P\\locked.dll\r\n"     // error 32
        "C:\\P\\folder\r\n"         // error 5
        "ab\r\n"                    // too short
        "\r\n"));
    ::close(fd);
    EXPECT_FALSE(Exists("C:\\P\\a.txt"));
    EXPECT_FALSE(Exists("C:\\P\\ro.txt"));
    EXPECT_TRUE(Exists("C:\\P\\locked.dll"));
    EXPECT_EQ(run_.failedFiles().view(), "C:\\P\\locked.dll\r\nC:\\P\\folder\r\n");
    EXPECT_EQ(run_.rebootList().view(), "C:\\P\\locked.dll\r\nC:\\P\\folder\r\n");
    EXPECT_EQ(dialogs_.log, std::vector<std::string>{"mark 1012"});
}

TEST_F(FileRemovalTest, PathsOutsideTheMachineAreRefused) {
    const testing_support::TempDir outside;
    testing_support::WriteFile(outside.Path() / "keep.txt", "x");
    const std::string native = (outside.Path() / "keep.txt").string();
    const std::string climbing = "C:\\..\\..\\..\\..\\..\\..\\..\\..\\.." + native;
    run_.removeFiles(MakeByteString(native + "\r\n" + climbing + "\r\n"));
    EXPECT_TRUE(std::filesystem::exists(outside.Path() / "keep.txt"));
    EXPECT_EQ(run_.failedFiles().view(), native + "\r\n");  // refused, not scheduled
    EXPECT_TRUE(run_.rebootList().empty());
}

TEST_F(FileRemovalTest, DirectoriesInOrder) {
    MakeDir("C:\\P\\inner");
    MakeDir("C:\\P\\ro");
    ASSERT_EQ(win::SetFileAttributes("C:\\P\\ro", win::FILE_ATTRIBUTE_READONLY), win::ERROR_SUCCESS);
    MakeFile("C:\\Full\\uninst.exe");
    // Our own current directory must not stop its removal.
    std::filesystem::current_path(Native("C:\\P\\inner"));
    run_.removeDirectories(MakeByteString(
        "C:\\P\\inner\r\n"
        "C:\\P\\ro\r\n"
        "C:\\P\\missing\r\n"
        "C:\\Nowhere\\missing\r\n"
        "C:\\Full\r\n"
        "C:\\P\r\n"));
    EXPECT_FALSE(Exists("C:\\P"));
    EXPECT_TRUE(Exists("C:\\Full\\uninst.exe"));
    EXPECT_EQ(run_.failedDirectories().view(), "C:\\Full\r\n");
    EXPECT_TRUE(run_.rebootList().empty());
    EXPECT_TRUE(std::filesystem::equivalent(std::filesystem::current_path(), Native("C:\\P").parent_path()));
}
