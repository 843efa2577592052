#include "uninstaller/ByteString.h"

#include "support/TestSupport.h"
#include "uninstaller/UninstallFixture.h"

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;

namespace {

struct LineRead {
    std::string line;
    int position;
};

LineRead ReadLineAt(const std::string& bytes, int position, bool binary) {
    const ByteString s = MakeByteString(bytes);
    ByteString out;
    s.readLine(&position, out, binary);
    return {std::string(out.view()), position};
}

}  // namespace

TEST(ByteString, HoldsNulsAndCopiesBinary) {
    const ByteString a = MakeByteString("a\0b\0"s);
    EXPECT_EQ(a.length(), 4u);
    ByteString b(a);
    EXPECT_EQ(b.view(), "a\0b\0"s);
    ByteString c("text");
    c.assign(static_cast<const char*>(nullptr));
    EXPECT_EQ(c.length(), 0u);
    c = a;
    c.appendChar('\0');
    EXPECT_EQ(c.view(), "a\0b\0\0"s);
    EXPECT_EQ(a.length(), 4u);
}

TEST(ByteString, AtPastTheEndIsFF) {
    const ByteString s("abc");
    EXPECT_EQ(s.at(2), 'c');
    EXPECT_EQ(s.at(3), 0xFF);
    EXPECT_EQ(ByteString().at(0), 0xFF);
}

TEST(ByteString, ReadBigEndian32NeedsAllFourBytesInside) {
    const ByteString s = MakeByteString("\x01\x02\x03\x04\xFF"s);
    EXPECT_EQ(s.readBigEndian32(0), 0x01020304u);
    EXPECT_EQ(s.readBigEndian32(1), 0x020304FFu);  // length - 4: the last four bytes
    EXPECT_EQ(s.readBigEndian32(2), 0xFFFFFFFFu);  // length - 3
    EXPECT_EQ(s.readBigEndian32(0xFFFFFFFEu), 0xFFFFFFFFu);  // must not wrap into range
    EXPECT_EQ(ByteString("abc").readBigEndian32(0), 0xFFFFFFFFu);
}

TEST(ByteString, AppendCountsNulsOnlyWhenGivenALength) {
    ByteString s;
    s.append("ab\0cd", 5);
    EXPECT_EQ(s.view(), "ab\0cd"s);
    s.append("xy\0z");
    EXPECT_EQ(s.view(), "ab\0cdxy"s);
    s.append(MakeByteString("\0\0"s));
    EXPECT_EQ(s.length(), 9u);
}

TEST(ByteString, EraseAndInsertBounds) {
    ByteString s("abcd");
    s.erase(3, 2);  // runs past the end: nothing happens
    EXPECT_EQ(s.view(), "abcd");
    s.erase(1, 2);
    EXPECT_EQ(s.view(), "ad");
    s.insert("XY", 1);
    EXPECT_EQ(s.view(), "aXYd");
    s.insert("!", 4);  // at length: appends
    EXPECT_EQ(s.view(), "aXYd!");
    s.insert("?", 6);  // beyond: nothing
    EXPECT_EQ(s.view(), "aXYd!");
    s.insert("\0\0"s.data(), 0, 2);
    EXPECT_EQ(s.view(), "\0\0aXYd!"s);
    s.erase(0, s.length());
    EXPECT_TRUE(s.empty());
}

TEST(ByteString, InsertAndAssignFromOwnBytes) {
    ByteString s("abc");
    s.insert(s.data() + 1, 0, 2);
    EXPECT_EQ(s.view(), "bcabc");
    s.assign(s.view().substr(2));
    EXPECT_EQ(s.view(), "abc");
}

TEST(ByteString, FindAndFindChar) {
    const ByteString s("abcABCabc");
    EXPECT_EQ(s.find("ABC", 0, true), 3);
    EXPECT_EQ(s.find("ABC", 0, false), 0);
    EXPECT_EQ(s.find("abc", 1, true), 6);
    EXPECT_EQ(s.find("abc", 7, true), -1);  // only two bytes left
    EXPECT_EQ(s.find("", 0, true), -1);
    EXPECT_EQ(s.find("a", 9, true), -1);
    EXPECT_EQ(s.find("a", -1, true), -1);
    EXPECT_EQ(s.findChar('c', 3), 8);
    EXPECT_EQ(s.findChar('a', 9), -1);  // start at length
    EXPECT_EQ(s.findChar('z', 0), -1);
    EXPECT_EQ(MakeByteString("x\0y"s).findChar('\0', 0), 1);
}

TEST(ByteString, UpperCasingFoldsOnlyAsciiAndThreeLatin1Letters) {
    ByteString s = MakeByteString("az\xE5\xE4\xF6\xE9\xFC{"s);
    s.toUpper();
    EXPECT_EQ(s.view(), "AZ\xC5\xC4\xD6\xE9\xFC{"s);
    for (int c = 0; c < 256; ++c) {
        const bool folds = (c >= 'a' && c <= 'z') || c == 0xE5 || c == 0xE4 || c == 0xF6;
        EXPECT_EQ(upperByte(static_cast<unsigned char>(c)) != c, folds) << c;
    }
}

TEST(ByteString, EqualsWithAndWithoutCase) {
    const ByteString lower = MakeByteString("\xE5\xE4\xF6x"s);
    const ByteString upper = MakeByteString("\xC5\xC4\xD6X"s);
    EXPECT_TRUE(lower.equals(upper, false));
    EXPECT_FALSE(lower.equals(upper, true));
    const ByteString eAcute = MakeByteString("\xE9"s);
    EXPECT_FALSE(eAcute.equals("\xC9", false));
    EXPECT_FALSE(eAcute.equals("\xC9", true));
    EXPECT_FALSE(ByteString("ab").equals("abc", false));
    EXPECT_TRUE(MakeByteString("a\0b"s).equals(MakeByteString("A\0B"s), false));
    EXPECT_EQ(lower.view(), "\xE5\xE4\xF6x"s);  // operands unchanged
}

TEST(ByteString, ReadLineCases) {
    struct Case {
        const char* name;
        std::string bytes;
        bool binary;
        std::string line;
        int position;
    } const cases[] = {
        {"line with end", "a\r\n", false, "a", 3},
        {"only a line end", "\r\n", false, "", 2},
        {"no line end", "abc", false, "abc", 3},
        {"text stops at NUL", "n\0x\r\n"s, false, "n", 5},
        {"binary keeps NUL", "n\0x\r\n"s, true, "n\0x"s, 5},
        {"no end keeps NUL in text mode", "n\0x"s, false, "n\0x"s, 3},
        {"lone CR and LF are text", "a\rb\nc\r\nd", true, "a\rb\nc", 7},
        {"CR at the end", "ab\r", true, "ab\r", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const LineRead r = ReadLineAt(c.bytes, 0, c.binary);
        EXPECT_EQ(r.line, c.line);
        EXPECT_EQ(r.position, c.position);
    }
}

TEST(ByteString, ReadLineWalksAndReportsBadPositions) {
    const ByteString s("one\r\ntwo\r\n\r\nfour");
    int position = 0;
    std::string lines;
    ByteString out;
    while (s.isValidPos(position)) {
        s.readLine(&position, out, false);
        lines += std::string(out.view()) + "|";
    }
    EXPECT_EQ(lines, "one|two||four|");
    EXPECT_EQ(position, static_cast<int>(s.length()));
    s.readLine(&position, out, false);
    EXPECT_EQ(out.view(), "Out of bounds");
    EXPECT_EQ(position, static_cast<int>(s.length()));
    position = -1;
    s.readLine(&position, out, false);
    EXPECT_EQ(out.view(), "Out of bounds");
    s.readLine(nullptr, out, false);
    EXPECT_EQ(out.view(), "Invalid param");
    EXPECT_FALSE(s.isValidPos(-1));
}

TEST(ByteString, SubstringAndCStr) {
    ByteString s("abcdef");
    EXPECT_EQ(s.substring(0, s.length()).view(), "abcdef");
    EXPECT_EQ(s.substring(2, 3).view(), "cde");
    EXPECT_EQ(s.substring(0, 0xFFFFFFFFu).view(), "abcdef");
    EXPECT_EQ(s.substring(4, 5).view(), "abcdef");  // past the end: the whole string
    EXPECT_EQ(s.substring(1, 0xFFFFFFFFu).view(), "abcdef");
    EXPECT_STREQ(s.c_str(), "abcdef");
    EXPECT_EQ(s.length(), 6u);
    ByteString empty;
    EXPECT_STREQ(empty.c_str(), "");
}

TEST(ByteString, FailedAllocationLeavesStringAsItWas) {
    ByteString s("abc");
    ByteString::setAllocationLimitForTesting(4);
    s.append("defg");
    EXPECT_EQ(s.view(), "abc");
    EXPECT_FALSE(s.setLength(100));
    s.appendChar('d');
    ByteString::setAllocationLimitForTesting(0);
    EXPECT_EQ(s.view(), "abcd");
}

TEST(ByteString, LoadAndSaveFile) {
    const testing_support::TempDir dir;
    const auto file = dir.Path() / "f.bin";
    const ByteString bytes = MakeByteString("0123\0" "56789"s);
    EXPECT_EQ(bytes.saveFile(file), ByteString::kFileOk);
    EXPECT_EQ(testing_support::ReadFile(file), "0123\0" "56789"s);

    ByteString s("old");
    EXPECT_EQ(s.loadFile(file, 0, 0), ByteString::kFileOk);
    EXPECT_EQ(s.view(), bytes.view());
    EXPECT_EQ(s.loadFile(file, 3, 4), ByteString::kFileOk);
    EXPECT_EQ(s.view(), "3\0" "56"s);
    EXPECT_EQ(s.loadFile(file, 8, 100), ByteString::kFileOk);
    EXPECT_EQ(s.view(), "89");
    EXPECT_EQ(s.loadFile(file, 10, 0), ByteString::kFileNothingToRead);
    EXPECT_TRUE(s.empty());
    s.assign("x");
    EXPECT_EQ(s.loadFile(file, 1000, 0), ByteString::kFileNothingToRead);  // offset past the end
    EXPECT_TRUE(s.empty());
    EXPECT_EQ(s.loadFile(dir.Path() / "missing", 0, 0), ByteString::kFileCannotOpen);
    EXPECT_EQ(bytes.saveFile(dir.Path() / "no" / "folder"), ByteString::kFileCannotOpen);

    ByteString::setAllocationLimitForTesting(4);
    EXPECT_EQ(s.loadFile(file, 0, 0), ByteString::kFileShort);
    ByteString::setAllocationLimitForTesting(0);
}
