#include "project/StreamPrimitives.h"

#include "platform/base/MemoryStream.h"
#include "platform/base/StringList.h"
#include "support/StreamBytes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace {

using testing_support::StreamBytes;

// A stream holding exactly these bytes, positioned at the start.
class TBytes : public TMemoryStream {
public:
    explicit TBytes(const std::string& bytes) {
        Write(bytes.data(), static_cast<int>(bytes.size()));
        SetPosition(0);
    }
};

TEST(StreamPrimitives, Int16IsLittleEndianTwosComplement) {
    TMemoryStream s;
    WriteInt16(WriteInt16(WriteInt16(s, 1), -2), std::numeric_limits<std::int16_t>::min());
    EXPECT_EQ(StreamBytes(s), std::string("\x01\x00\xFE\xFF\x00\x80", 6));
    s.SetPosition(0);
    std::int16_t a = 0, b = 0, c = 0;
    ReadInt16(ReadInt16(ReadInt16(s, a), b), c);
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, -2);
    EXPECT_EQ(c, std::numeric_limits<std::int16_t>::min());
}

TEST(StreamPrimitives, Float32IsLittleEndianIeeeSingle) {
    TMemoryStream s;
    WriteFloat32(WriteFloat32(s, 1.0f), -0.1f);
    EXPECT_EQ(StreamBytes(s), std::string("\x00\x00\x80\x3F\xCD\xCC\xCC\xBD", 8));
    s.SetPosition(0);
    float a = 0, b = 0;
    ReadFloat32(ReadFloat32(s, a), b);
    EXPECT_EQ(a, 1.0f);
    EXPECT_EQ(b, -0.1f);
}

TEST(StreamPrimitives, ShortReadsLeaveTheValue) {
    TBytes s(std::string("\x05", 1));
    std::int16_t i = 42;
    ReadInt16(s, i);
    EXPECT_EQ(i, 42);
    TBytes t(std::string("\x00\x00\x80", 3));
    float f = 2.5f;
    ReadFloat32(t, f);
    EXPECT_EQ(f, 2.5f);
    TBytes u("");
    std::string text = "kept";
    ReadString(u, text);
    EXPECT_EQ(text, "kept");
}

TEST(StreamPrimitives, EmptyStringIsOneZeroZero) {
    TMemoryStream s;
    WriteString(s, "");
    EXPECT_EQ(StreamBytes(s), std::string("\x01\x00\x00", 3));
    s.SetPosition(0);
    std::string text = "x";
    ReadString(s, text);
    EXPECT_EQ(text, "");
    EXPECT_EQ(s.Position(), 3);
}

TEST(StreamPrimitives, StringRoundTripKeepsEightBitText) {
    const std::string text = "\xE1rv\xEDzt\xFBr\xF5 t\xFCk\xF6rf\xFAr\xF3g\xE9p \xB0" "C";
    TMemoryStream s;
    WriteString(s, text);
    WriteString(s, "next");
    EXPECT_EQ(StreamBytes(s).substr(0, 2), std::string("\x1A\x00", 2));  // 25 characters + NUL
    s.SetPosition(0);
    std::string a, b;
    ReadString(ReadString(s, a), b);
    EXPECT_EQ(a, text);
    EXPECT_EQ(b, "next");
}

TEST(StreamPrimitives, LongestStringHasCount32767) {
    const std::string text(kMaxStoredText, 'x');
    TMemoryStream s;
    WriteString(s, text);
    ASSERT_EQ(s.Size(), 2 + 32767);
    EXPECT_EQ(StreamBytes(s).substr(0, 2), "\xFF\x7F");
    EXPECT_EQ(StreamBytes(s).back(), '\0');
    s.SetPosition(0);
    std::string back;
    ReadString(s, back);
    EXPECT_EQ(back, text);
}

TEST(StreamPrimitives, LongerTextIsCutToTheLongestField) {
    TMemoryStream s;
    WriteString(s, std::string(kMaxStoredText, 'x') + "yz");
    WriteString(s, "next");
    ASSERT_EQ(s.Size(), 2 + 32767 + 2 + 5);
    EXPECT_EQ(StreamBytes(s).substr(0, 2), "\xFF\x7F");
    s.SetPosition(0);
    std::string back, next;
    ReadString(ReadString(s, back), next);
    EXPECT_EQ(back, std::string(kMaxStoredText, 'x'));
    EXPECT_EQ(next, "next");
}

TEST(StreamPrimitives, MalformedStringFieldsStayInsideTheirBytes) {
    struct TCase {
        const char* name;
        std::string bytes;
        std::string text;
        std::int64_t position;
    };
    const TCase cases[] = {
        {"count 0", std::string("\x00\x00" "abc", 5), "", 2},
        {"negative count", std::string("\xFF\xFF" "abc", 5), "", 2},
        {"runs past the end", std::string("\x0A\x00" "abc", 5), "abc", 5},
        {"no NUL in its bytes", std::string("\x03\x00" "abcd", 6), "abc", 5},
        {"NUL inside", std::string("\x04\x00" "a\0bc", 6), "a", 6},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        TBytes s(c.bytes);
        std::string text = "old";
        ReadString(s, text);
        EXPECT_EQ(text, c.text);
        EXPECT_EQ(s.Position(), c.position);
    }
}

TEST(StreamPrimitives, StringListLayout) {
    TStringList list;
    list.Add("a");
    list.Add("b");
    TMemoryStream s;
    WriteStrings(s, list);
    EXPECT_EQ(StreamBytes(s), std::string("\x07\x00" "a\r\nb\r\n\0", 9));
    s.SetPosition(0);
    TStringList back;
    back.Add("replaced");
    ReadStrings(s, back);
    EXPECT_EQ(back, list);
}

TEST(StreamPrimitives, StringListRoundTrips) {
    for (const std::vector<std::string>& lines :
         {std::vector<std::string>{}, {""}, {"", ""}, {"Budapest", "F\xF5 utca 1.", "", "\xE1"}}) {
        TStringList list;
        for (const std::string& line : lines) list.Add(line);
        TMemoryStream s;
        WriteStrings(s, list);
        s.SetPosition(0);
        TStringList back;
        back.Add("old");
        ReadStrings(s, back);
        EXPECT_EQ(back.Lines(), list.Lines());
    }
}

}  // namespace
