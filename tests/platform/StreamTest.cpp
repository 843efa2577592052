#include "platform/base/Classes.h"

#include "platform/base/Exception.h"
#include "support/StreamBytes.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <type_traits>

using testing_support::ReadFile;
using testing_support::StreamBytes;
using testing_support::TempDir;
using testing_support::WriteFile;

namespace {

void Put(TStream& stream, const std::string& bytes) {
    stream.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
}

// The same checks on every kind of stream: memory, text and file.
void CheckPrimitives(TStream& s) {
    Put(s, "abcdef");
    EXPECT_EQ(s.Size(), 6);
    EXPECT_EQ(s.Position(), 6);

    // A short read copies what is there and leaves the rest of the target alone.
    EXPECT_EQ(s.Seek(-2, TSeekOrigin::End), 4);
    char target[6];
    std::memcpy(target, "XXXXXX", 6);
    EXPECT_EQ(s.Read(target, 6), 2);
    EXPECT_EQ(std::string(target, 6), "efXXXX");
    EXPECT_EQ(s.Read(target, 6), 0);
    EXPECT_EQ(s.Read(target, -1), 0);
    EXPECT_THROW(s.ReadBuffer(target, 1), EReadError);

    // Before the start is refused and the position stays.
    EXPECT_EQ(s.Seek(2, TSeekOrigin::Beginning), 2);
    EXPECT_EQ(s.Seek(-3, TSeekOrigin::Current), -1);
    EXPECT_EQ(s.Position(), 2);
    EXPECT_EQ(s.Seek(-7, TSeekOrigin::End), -1);
    EXPECT_EQ(s.Position(), 2);

    // Overwrite in the middle; then past the end, where the gap becomes zeros.
    Put(s, "XY");
    EXPECT_EQ(s.Size(), 6);
    EXPECT_EQ(s.Seek(3, TSeekOrigin::End), 9);
    EXPECT_EQ(s.Size(), 6);
    EXPECT_EQ(s.Read(target, 1), 0);
    Put(s, "Z");
    EXPECT_EQ(s.Size(), 10);
    s.SetPosition(0);
    char all[10];
    s.ReadBuffer(all, 10);
    EXPECT_EQ(std::string(all, 10), std::string("abXYef\0\0\0Z", 10));

    // Shrinking pulls the position back to the new end; growing adds zeros.
    s.SetSize(3);
    EXPECT_EQ(s.Size(), 3);
    EXPECT_EQ(s.Position(), 3);
    s.SetPosition(1);
    s.SetSize(5);
    EXPECT_EQ(s.Position(), 1);
    s.ReadBuffer(all, 4);
    EXPECT_EQ(std::string(all, 4), std::string("bX\0\0", 4));
    s.SetSize(0);
    EXPECT_EQ(s.Size(), 0);
    EXPECT_EQ(s.Position(), 0);
}

}  // namespace

TEST(Stream, MemoryStreamPrimitives) {
    TMemoryStream s;
    CheckPrimitives(s);
}

TEST(Stream, StringStreamPrimitives) {
    TStringStream s;
    CheckPrimitives(s);
}

TEST(Stream, FileStreamPrimitives) {
    TempDir dir;
    TFileStream s(dir.Path() / "f.bin", fmCreate);
    CheckPrimitives(s);
}

TEST(Stream, MemoryStreamClearAndStreams) {
    MyMemoryStream s;
    static_assert(std::is_base_of_v<TMemoryStream, MyMemoryStream>);
    Put(s, "project");
    TStringStream copy;
    s.SaveToStream(copy);
    EXPECT_EQ(copy.DataString(), "project");
    s.Clear();
    EXPECT_EQ(s.Size(), 0);
    EXPECT_EQ(s.Position(), 0);
    copy.SetPosition(3);
    s.LoadFromStream(copy);  // the whole source, from its start
    EXPECT_EQ(StreamBytes(s), "project");
    EXPECT_EQ(s.Position(), 0);
}

TEST(Stream, CopyFromWholeSourceOrCount) {
    TStringStream source("0123456789");
    source.SetPosition(7);
    TMemoryStream target;
    EXPECT_EQ(target.CopyFrom(source, 0), 10);  // 0: everything, from the start
    EXPECT_EQ(StreamBytes(target), "0123456789");
    source.SetPosition(2);
    EXPECT_EQ(target.CopyFrom(source, 3), 3);
    EXPECT_EQ(StreamBytes(target), "0123456789234");
    EXPECT_THROW(target.CopyFrom(source, 6), EReadError);  // only 5 left
    TStringStream big(std::string(200000, 'q'));
    TMemoryStream bigCopy;
    EXPECT_EQ(bigCopy.CopyFrom(big, 0), 200000);
    EXPECT_EQ(StreamBytes(bigCopy), big.DataString());
}

TEST(Stream, MemoryStreamRefusesToGrowBeyondTwoGigabytes) {
    TMemoryStream s;
    EXPECT_EQ(s.Seek(std::int64_t{1} << 40, TSeekOrigin::Beginning), std::int64_t{1} << 40);
    EXPECT_EQ(s.Write("x", 1), 0);
    EXPECT_EQ(s.Size(), 0);
    EXPECT_THROW(s.SetSize(std::int64_t{1} << 32), EStreamError);
}

TEST(Stream, StringStreamText) {
    TStringStream s("{\\rtf1");
    EXPECT_EQ(s.Position(), 0);
    EXPECT_EQ(s.ReadString(3), "{\\r");
    s.Seek(0, TSeekOrigin::End);
    s.WriteString(" text}");
    EXPECT_EQ(s.DataString(), "{\\rtf1 text}");
    s.SetPosition(10);
    EXPECT_EQ(s.ReadString(50), "t}");
    EXPECT_EQ(s.ReadString(50), "");
    EXPECT_EQ(s.ReadString(-1), "");
}

TEST(Stream, FileStreamOpenModes) {
    TempDir dir;
    const auto path = dir.Path() / "data.bin";
    WriteFile(path, "old content");
    {
        TFileStream create(path, fmCreate);  // an existing file is emptied
        EXPECT_EQ(create.Size(), 0);
        Put(create, "new");
    }
    EXPECT_EQ(ReadFile(path), "new");
    {
        TFileStream read(path, fmOpenRead | fmShareDenyWrite);
        EXPECT_EQ(read.Size(), 3);
        EXPECT_EQ(read.Write("x", 1), 0);  // read-only: nothing written, nothing raised
        EXPECT_THROW(read.WriteBuffer("x", 1), EWriteError);
        EXPECT_EQ(read.FileName(), path);
    }
    {
        TFileStream write(path, fmOpenWrite);
        char c = 0;
        EXPECT_EQ(write.Read(&c, 1), 0);
        write.Seek(0, TSeekOrigin::End);
        Put(write, "er");
    }
    {
        TFileStream both(path, fmOpenReadWrite | fmShareExclusive);
        char buffer[5];
        both.ReadBuffer(buffer, 5);
        EXPECT_EQ(std::string(buffer, 5), "newer");
    }
}

TEST(Stream, FileStreamErrorsNameTheFile) {
    TempDir dir;
    const auto missing = dir.Path() / "missing.kvr";
    try {
        TFileStream s(missing, fmOpenRead);
        FAIL();
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "Cannot open file \"" + missing.string() + "\". No such file or directory");
    }
    try {
        TFileStream s(dir.Path() / "no" / "such" / "folder.kvr", fmCreate);
        FAIL();
    } catch (const EFCreateError& e) {
        EXPECT_NE(e.Message().find("Cannot create file \""), std::string::npos);
    }
    EXPECT_THROW(TFileStream(dir.Path(), fmOpenRead), EFOpenError);  // a folder is no file
    EXPECT_THROW(TFileStream(dir.Path(), fmCreate), EFCreateError);
    WriteFile(dir.Path() / "f", "x");
    EXPECT_THROW(TFileStream(dir.Path() / "f", 3), EFOpenError);  // no such access mode
    // Both are stream errors, and stream errors are the program's exceptions.
    EXPECT_THROW(TFileStream(missing, fmOpenRead), EStreamError);
    EXPECT_THROW(TFileStream(missing, fmOpenRead), Exception);
}

TEST(Stream, FileNamesInMessagesAreWindows1250) {
    TempDir dir;
    const std::filesystem::path missing = dir.Path() / "\xC3\xA1rv\xC3\xADz.kvr";  // UTF-8 on disk
    try {
        TFileStream s(missing, fmOpenRead);
        FAIL();
    } catch (const EFOpenError& e) {
        EXPECT_NE(e.Message().find("\xE1rv\xEDz.kvr"), std::string::npos);
    }
}

TEST(Stream, MemoryStreamFileRoundTrip) {
    TempDir dir;
    const auto path = dir.Path() / "image.kvr";
    MyMemoryStream out;
    const std::string bytes("\x16\0KELVARIN\xFF\x00", 12);
    Put(out, bytes);
    out.SaveToFile(path);
    EXPECT_EQ(ReadFile(path), bytes);
    MyMemoryStream in;
    Put(in, "stale");
    in.LoadFromFile(path);
    EXPECT_EQ(StreamBytes(in), bytes);
    EXPECT_EQ(in.Position(), 0);
}

TEST(Stream, FailedLoadKeepsTheContent) {
    TempDir dir;
    TMemoryStream s;
    Put(s, "kept");
    EXPECT_THROW(s.LoadFromFile(dir.Path() / "missing"), EFOpenError);
    EXPECT_EQ(StreamBytes(s), "kept");
    EXPECT_EQ(s.Position(), 4);
}

TEST(Stream, SaveReplacesTheFileWholeAndKeepsItsPermissions) {
    TempDir dir;
    const auto path = dir.Path() / "p.kvr";
    WriteFile(path, "old");
    ::chmod(path.c_str(), 0640);
    TMemoryStream s;
    Put(s, "new content");
    s.SaveToFile(path);
    EXPECT_EQ(ReadFile(path), "new content");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);  // no temporary left
}

TEST(Stream, FailedSaveLeavesTheOldFileAndNoTemporary) {
    TempDir dir;
    const auto path = dir.Path() / "p.kvr";
    WriteFile(path, "old");
    EXPECT_THROW(TFileStream::ReplaceFile(path,
                                          [](TStream& file) {
                                              Put(file, "half");
                                              throw EWriteError("Stream write error");
                                          }),
                 EWriteError);
    EXPECT_EQ(ReadFile(path), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
    TMemoryStream s;
    EXPECT_THROW(s.SaveToFile(dir.Path() / "missing" / "p.kvr"), EFCreateError);
}

TEST(Stream, SaveThroughALinkReplacesTheLinkedFile) {
    TempDir dir;
    const auto real = dir.Path() / "real.kvr";
    const auto link = dir.Path() / "link.kvr";
    WriteFile(real, "old");
    std::filesystem::create_symlink(real, link);
    TMemoryStream s;
    Put(s, "new");
    s.SaveToFile(link);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadFile(real), "new");
}
