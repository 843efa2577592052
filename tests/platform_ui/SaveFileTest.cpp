#include "platform/ui/SaveFile.h"

#include "platform/base/Exception.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class FailAt {
public:
    explicit FailAt(std::int64_t offset)
        : previous_(SetWriteFailureHook([offset](std::int64_t at) { return at >= offset; })) {}
    ~FailAt() { SetWriteFailureHook(std::move(previous_)); }

private:
    WriteFailureHook previous_;
};

std::string Bytes(std::size_t size, char fill) {
    return std::string(size, fill);
}

}  // namespace

TEST(SaveFile, WritesAndReplacesWholeFiles) {
    testing_support::TempDir dir;
    const auto path = dir.Path() / "project.kvr";
    SaveWholeFile(path, "first");
    EXPECT_EQ(testing_support::ReadFile(path), "first");
    const std::string big = Bytes(3 * kSaveFileBlockSize + 17, 'x');
    SaveWholeFile(path, big);
    EXPECT_EQ(testing_support::ReadFile(path), big);
    SaveWholeFile(path, "");
    EXPECT_EQ(testing_support::ReadFile(path), "");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);  // no leftovers
}

TEST(SaveFile, AFailedWriteLeavesTheOldFileByteForByte) {
    testing_support::TempDir dir;
    const auto path = dir.Path() / "project.kvr";
    const std::string old = Bytes(5000, 'o') + std::string("\0\x01\xFF", 3);
    testing_support::WriteFile(path, old);
    for (const std::int64_t offset : {std::int64_t{0}, kSaveFileBlockSize, 2 * kSaveFileBlockSize}) {
        SCOPED_TRACE(offset);
        FailAt fail(offset);
        EXPECT_THROW(SaveWholeFile(path, Bytes(3 * kSaveFileBlockSize, 'n')), EWriteError);
        EXPECT_EQ(testing_support::ReadFile(path), old);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
    }
}

TEST(SaveFile, MessagesNameTheFile) {
    testing_support::TempDir dir;
    const auto path = dir.Path() / "missing folder" / "x.kvr";
    try {
        SaveWholeFile(path, "data");
        FAIL() << "saved into a missing folder";
    } catch (const EFCreateError& e) {
        EXPECT_NE(e.Message().find("Cannot create file"), std::string::npos);
        EXPECT_NE(e.Message().find("x.kvr"), std::string::npos);
    }
    FailAt fail(0);
    try {
        SaveWholeFile(dir.Path() / "y.kvr", "data");
        FAIL() << "the injected failure was ignored";
    } catch (const EWriteError& e) {
        EXPECT_NE(e.Message().find("Cannot write file"), std::string::npos);
        EXPECT_NE(e.Message().find("y.kvr"), std::string::npos);
    }
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "y.kvr"));
}
