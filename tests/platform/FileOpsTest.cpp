#include "platform/win/FileOps.h"

#include "support/TestSupport.h"

#include "platform/win/Files.h"
#include "platform/win/WinError.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

using testing_support::NativePath;

class FileOpsTest : public ::testing::Test {
protected:
    void MakeFile(const std::string& windowsPath, const std::string& bytes = "x") const {
        testing_support::WriteFile(NativePath(windowsPath), bytes);
    }
    testing_support::ScopedMachineRoot root_;
};

// Holds a flock on a file for the object's lifetime, as another program's open file.
class Lock {
public:
    Lock(const fs::path& file, int how) : fd_(::open(file.c_str(), O_RDONLY)) { EXPECT_EQ(::flock(fd_, how), 0); }
    ~Lock() { ::close(fd_); }

private:
    int fd_;
};

}  // namespace

TEST_F(FileOpsTest, DeleteFileErrors) {
    MakeFile("C:\\d\\a.txt");
    MakeFile("C:\\d\\ro.txt");
    MakeFile("C:\\d\\busy.txt");
    fs::create_directories(NativePath("C:\\d\\sub"));
    ASSERT_EQ(win::SetFileAttributes("C:\\d\\ro.txt", win::FILE_ATTRIBUTE_READONLY), win::ERROR_SUCCESS);

    EXPECT_EQ(win::DeleteFile("C:\\D\\A.TXT"), win::ERROR_SUCCESS);  // names match without case
    EXPECT_FALSE(fs::exists(NativePath("C:\\d\\a.txt")));
    EXPECT_EQ(win::DeleteFile("C:\\d\\a.txt"), win::ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(win::DeleteFile("C:\\none\\a.txt"), win::ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(win::DeleteFile("C:\\d\\ro.txt"), win::ERROR_ACCESS_DENIED);
    EXPECT_EQ(win::DeleteFile("C:\\d\\sub"), win::ERROR_ACCESS_DENIED);
    EXPECT_EQ(win::DeleteFile("/etc/passwd"), win::ERROR_BAD_PATHNAME);
    EXPECT_EQ(win::DeleteFile("d\\relative.txt"), win::ERROR_BAD_PATHNAME);
    {
        const Lock reading(NativePath("C:\\d\\busy.txt"), LOCK_SH);
        EXPECT_EQ(win::DeleteFile("C:\\d\\busy.txt"), win::ERROR_SHARING_VIOLATION);
    }
    EXPECT_EQ(win::DeleteFile("C:\\d\\busy.txt"), win::ERROR_SUCCESS);
}

TEST_F(FileOpsTest, TheRunningProgramCantBeDeleted) {
    std::string self;
    ASSERT_EQ(win::WindowsPathFromNative("/proc/self/exe", self), win::ERROR_BAD_PATHNAME);  // lies outside
    fs::create_directories(NativePath("C:\\bin"));
    std::error_code ec;
    fs::create_hard_link(fs::read_symlink("/proc/self/exe"), NativePath("C:\\bin\\self.exe"), ec);
    if (ec) GTEST_SKIP() << "the test program lies on another file system";
    EXPECT_EQ(win::DeleteFile("C:\\bin\\self.exe"), win::ERROR_ACCESS_DENIED);
}

TEST_F(FileOpsTest, Attributes) {
    MakeFile("C:\\f.txt");
    fs::create_directories(NativePath("C:\\dir"));
    std::uint32_t attributes = 0;
    ASSERT_EQ(win::GetFileAttributes("C:\\f.txt", attributes), win::ERROR_SUCCESS);
    EXPECT_EQ(attributes, win::FILE_ATTRIBUTE_NORMAL);
    ASSERT_EQ(win::SetFileAttributes("C:\\f.txt", win::FILE_ATTRIBUTE_READONLY), win::ERROR_SUCCESS);
    ASSERT_EQ(win::GetFileAttributes("C:\\f.txt", attributes), win::ERROR_SUCCESS);
    EXPECT_EQ(attributes, win::FILE_ATTRIBUTE_READONLY);
    ASSERT_EQ(win::SetFileAttributes("C:\\f.txt", win::FILE_ATTRIBUTE_NORMAL), win::ERROR_SUCCESS);
    ASSERT_EQ(win::GetFileAttributes("C:\\f.txt", attributes), win::ERROR_SUCCESS);
    EXPECT_EQ(attributes, win::FILE_ATTRIBUTE_NORMAL);
    ASSERT_EQ(win::GetFileAttributes("C:\\dir", attributes), win::ERROR_SUCCESS);
    EXPECT_EQ(attributes, win::FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(win::GetFileAttributes("C:\\nothing", attributes), win::ERROR_FILE_NOT_FOUND);
}

TEST_F(FileOpsTest, RemoveDirectoryErrors) {
    fs::create_directories(NativePath("C:\\a\\empty"));
    fs::create_directories(NativePath("C:\\a\\ro"));
    fs::create_directories(NativePath("C:\\a\\cwd"));
    MakeFile("C:\\a\\full\\f.txt");
    ASSERT_EQ(win::SetFileAttributes("C:\\a\\ro", win::FILE_ATTRIBUTE_READONLY), win::ERROR_SUCCESS);
    EXPECT_EQ(win::RemoveDirectory("C:\\A\\EMPTY"), win::ERROR_SUCCESS);
    EXPECT_EQ(win::RemoveDirectory("C:\\a\\empty"), win::ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(win::RemoveDirectory("C:\\b\\empty"), win::ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(win::RemoveDirectory("C:\\a\\full"), win::ERROR_DIR_NOT_EMPTY);
    EXPECT_EQ(win::RemoveDirectory("C:\\a\\full\\f.txt"), win::ERROR_DIRECTORY);
    EXPECT_EQ(win::RemoveDirectory("C:\\a\\ro"), win::ERROR_ACCESS_DENIED);

    fs::path saved;
    ASSERT_EQ(win::GetCurrentDirectory(saved), win::ERROR_SUCCESS);
    ASSERT_EQ(win::SetCurrentDirectory("C:\\a\\cwd"), win::ERROR_SUCCESS);
    EXPECT_EQ(win::RemoveDirectory("C:\\a\\cwd"), win::ERROR_SHARING_VIOLATION);
    ASSERT_EQ(win::SetCurrentDirectory("c:\\"), win::ERROR_SUCCESS);
    EXPECT_EQ(win::RemoveDirectory("C:\\a\\cwd"), win::ERROR_SUCCESS);
    EXPECT_EQ(win::SetCurrentDirectory("C:\\a\\gone"), win::ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(win::SetCurrentDirectoryNative(saved), win::ERROR_SUCCESS);
    EXPECT_EQ(fs::current_path(), saved);
}

TEST_F(FileOpsTest, CopyFileKeepsTimeAndAttributes) {
    MakeFile("C:\\src.bin", "new bytes");
    ASSERT_EQ(win::SetFileTime("C:\\src.bin", 0x01D5000000000000ull), win::ERROR_SUCCESS);
    MakeFile("C:\\dst.bin", "old");
    EXPECT_EQ(win::CopyFile("C:\\src.bin", "C:\\dst.bin", true), win::ERROR_FILE_EXISTS);
    EXPECT_EQ(win::CopyFile("C:\\src.bin", "C:\\DST.BIN", false), win::ERROR_SUCCESS);
    EXPECT_EQ(testing_support::ReadFile(NativePath("C:\\dst.bin")), "new bytes");
    std::uint64_t time = 0;
    ASSERT_EQ(win::GetFileTime("C:\\dst.bin", time), win::ERROR_SUCCESS);
    EXPECT_EQ(time, 0x01D5000000000000ull);

    EXPECT_EQ(win::CopyFile("C:\\missing.bin", "C:\\x.bin", false), win::ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(win::CopyFile("C:\\src.bin", "C:\\no\\x.bin", false), win::ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(win::CopyFile("C:\\src.bin", "C:\\src.bin", false), win::ERROR_SHARING_VIOLATION);
    ASSERT_EQ(win::SetFileAttributes("C:\\dst.bin", win::FILE_ATTRIBUTE_READONLY), win::ERROR_SUCCESS);
    EXPECT_EQ(win::CopyFile("C:\\src.bin", "C:\\dst.bin", false), win::ERROR_ACCESS_DENIED);
    {
        const Lock writing(NativePath("C:\\src.bin"), LOCK_EX);
        EXPECT_EQ(win::CopyFile("C:\\src.bin", "C:\\y.bin", false), win::ERROR_SHARING_VIOLATION);
        EXPECT_EQ(win::GetFileTime("C:\\src.bin", time), win::ERROR_SHARING_VIOLATION);
    }
    {
        const Lock reading(NativePath("C:\\src.bin"), LOCK_SH);  // reading others don't stop a copy
        EXPECT_EQ(win::CopyFile("C:\\src.bin", "C:\\y.bin", false), win::ERROR_SUCCESS);
    }
}

TEST_F(FileOpsTest, FileTimesAreFileTimes) {
    MakeFile("C:\\t.txt");
    // 2000-01-01 00:00:00 UTC is 125911584000000000 in 100 ns since 1601.
    ASSERT_EQ(win::SetFileTime("C:\\t.txt", 125911584000000000ull), win::ERROR_SUCCESS);
    struct stat st {};
    ASSERT_EQ(::stat(NativePath("C:\\t.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mtim.tv_sec, 946684800);
    EXPECT_EQ(st.st_mtim.tv_nsec, 0);
    std::uint64_t time = 0;
    ASSERT_EQ(win::GetFileTime("C:\\t.txt", time), win::ERROR_SUCCESS);
    EXPECT_EQ(time, 125911584000000000ull);
    ASSERT_EQ(win::SetFileTime("C:\\t.txt", 125911584000000001ull), win::ERROR_SUCCESS);
    ASSERT_EQ(win::GetFileTime("C:\\t.txt", time), win::ERROR_SUCCESS);
    EXPECT_EQ(time, 125911584000000001ull);
}

TEST_F(FileOpsTest, WindowsPathFromNative) {
    std::string text;
    ASSERT_EQ(win::WindowsPathFromNative(root_.Path() / "drives" / "c" / "Program Files" / "x.exe", text),
              win::ERROR_SUCCESS);
    EXPECT_EQ(text, "C:\\Program Files\\x.exe");
    ASSERT_EQ(win::WindowsPathFromNative(root_.Path() / "drives" / "d", text), win::ERROR_SUCCESS);
    EXPECT_EQ(text, "D:\\");
    EXPECT_EQ(win::WindowsPathFromNative(root_.Path() / "registry", text), win::ERROR_BAD_PATHNAME);
    EXPECT_EQ(win::WindowsPathFromNative(root_.Path() / "drives" / "cc" / "x", text), win::ERROR_BAD_PATHNAME);
    fs::path back;
    ASSERT_EQ(win::MapWindowsPath("C:\\Program Files\\x.exe", back), win::ERROR_SUCCESS);
    EXPECT_EQ(back, root_.Path() / "drives" / "c" / "Program Files" / "x.exe");
}

TEST_F(FileOpsTest, ShortPathIsThePathItself) {
    MakeFile("C:\\Program Files\\Long Name.dll");
    std::string shortPath;
    ASSERT_EQ(win::GetShortPathName("C:\\Program Files\\Long Name.dll", shortPath), win::ERROR_SUCCESS);
    EXPECT_EQ(shortPath, "C:\\Program Files\\Long Name.dll");
    EXPECT_EQ(win::GetShortPathName("C:\\Program Files\\none.dll", shortPath), win::ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(win::GetShortPathName("/tmp", shortPath), win::ERROR_BAD_PATHNAME);
}
