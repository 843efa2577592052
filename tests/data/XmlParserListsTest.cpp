// Name-value lists, the attribute analyser, the text routines and the
// Windows-1252 conversions.
#include "data/XmlParser.h"

#include <gtest/gtest.h>

#include <random>

namespace {

std::unique_ptr<TNvpNode> Nvp(std::string name, std::string value) {
    return std::make_unique<TNvpNode>(std::move(name), std::move(value));
}

std::vector<std::string> Values(const TNvpList<TNvpNode>& list) {
    std::vector<std::string> values;
    for (int i = 0; i < list.Count(); ++i) values.push_back(list.Value(i));
    return values;
}

}  // namespace

TEST(XmlNvpList, KeepsUnsignedByteOrder) {
    TNvpList<TNvpNode> list;
    for (const char* name : {"b", "\xE9", "a", "B", "ab"}) list.Add(Nvp(name, name));
    ASSERT_EQ(list.Count(), 5);
    EXPECT_EQ(Values(list), (std::vector<std::string>{"B", "a", "ab", "b", "\xE9"}));
    for (const char* name : {"b", "\xE9", "a", "B", "ab"}) EXPECT_EQ(list.Value(name), name);
    EXPECT_EQ(list.Node("A"), nullptr);
}

TEST(XmlNvpList, EqualNamesGoBeforeAndBisectionPicksWhatItMeets) {
    TNvpList<TNvpNode> list;
    list.Add(Nvp("a", "1"));
    list.Add(Nvp("a", "2"));
    EXPECT_EQ(Values(list), (std::vector<std::string>{"2", "1"}));
    EXPECT_EQ(list.Value("a"), "1");  // the middle of two is index 1
    list.Add(Nvp("a", "3"));
    EXPECT_EQ(Values(list), (std::vector<std::string>{"3", "2", "1"}));
    EXPECT_EQ(list.Value("a"), "2");
}

TEST(XmlNvpList, EmptyListAndIndexesOutOfRangeGiveNothing) {
    TNvpList<TNvpNode> list;
    EXPECT_EQ(list.Node("Language"), nullptr);
    EXPECT_EQ(list.Value("Language"), "");
    list.Add(Nvp("x", "1"));
    EXPECT_EQ(list.Value(1), "");
    EXPECT_EQ(list.Name(-1), "");
    EXPECT_EQ(list.Node(5), nullptr);
    list.Delete(3);
    EXPECT_EQ(list.Count(), 1);
    list.Delete(0);
    EXPECT_EQ(list.Count(), 0);
}

TEST(XmlNvpList, BisectionFindsEveryNameAtEverySize) {
    for (int size = 1; size <= 40; ++size) {
        TNvpList<TNvpNode> list;
        for (int i = size - 1; i >= 0; --i) list.Add(Nvp("n" + std::to_string(100 + i), std::to_string(i)));
        for (int i = 0; i < size; ++i) {
            SCOPED_TRACE(size * 1000 + i);
            EXPECT_EQ(list.Value("n" + std::to_string(100 + i)), std::to_string(i));
        }
        EXPECT_EQ(list.Node("n0"), nullptr);
        EXPECT_EQ(list.Node("n999"), nullptr);
    }
}

TEST(XmlAttrList, AnalyzeStopsWhereANameCantBegin) {
    TAttrList attrs;
    const char* text = " version=\"1.0\" encoding='x'?>";
    const char* final = nullptr;
    attrs.Analyze(text, final);
    EXPECT_EQ(*final, '?');
    EXPECT_EQ(attrs.Value("version"), "1.0");
    EXPECT_EQ(attrs.Value("encoding"), "x");
    attrs.Analyze(" a = \"x>y\" b>", final);  // > inside quotes does not end the tag
    EXPECT_EQ(*final, '>');
    EXPECT_EQ(attrs.Value("a"), "x>y");
    EXPECT_EQ(attrs.Value("b"), "");
    EXPECT_EQ(attrs.Count(), 1);
}

TEST(XmlAttrList, AnalyzeOrdersAsAddingOneByOneWould) {
    std::mt19937 random(7);
    for (const int count : {2, 5, 31, 33, 60}) {
        std::string text;
        TNvpList<TNvpNode> expected;
        for (int i = 0; i < count; ++i) {
            const std::string name(1, static_cast<char>('a' + random() % 4));
            text += " " + name + "=\"" + std::to_string(i) + "\"";
            expected.Add(Nvp(name, std::to_string(i)));
        }
        TAttrList attrs;
        const char* final = nullptr;
        attrs.Analyze(text.c_str(), final);
        ASSERT_EQ(attrs.Count(), count);
        for (int i = 0; i < count; ++i) {
            SCOPED_TRACE(count * 1000 + i);
            EXPECT_EQ(attrs.Name(i), expected.Name(i));
            EXPECT_EQ(attrs.Value(i), expected.Value(i));
        }
        for (const char* name : {"a", "b", "c", "d"}) EXPECT_EQ(attrs.Value(name), expected.Value(name));
    }
}

TEST(XmlAttrList, ReusedNodesStartFresh) {
    TAttrList attrs;
    attrs.AddAttr("a", "1", TValueType::vtFixed).AttrType = TAttrType::atNmToken;
    attrs.Clear();
    const char* final = nullptr;
    attrs.Analyze("b=\"2\"", final);
    ASSERT_EQ(attrs.Count(), 1);
    EXPECT_EQ(attrs.Node(0)->Name, "b");
    EXPECT_EQ(attrs.Node(0)->ValueType, TValueType::vtNormal);
    EXPECT_EQ(attrs.Node(0)->AttrType, TAttrType::atUnknown);
}

TEST(XmlText, TrimAndConvertWhiteSpace) {
    EXPECT_EQ(xml::TrimWs("   "), "");
    EXPECT_EQ(xml::TrimWs(" \x01 a\t\r\n"), "\x01 a");  // other control bytes stay
    EXPECT_EQ(xml::ConvertWs("\t\n", true), " ");
    EXPECT_EQ(xml::ConvertWs("a\t\nb\r", false), "a  b ");
    EXPECT_EQ(xml::ConvertWs(" a  b ", true), " a b ");
    std::string text = "\n  two \t words \r\n";
    xml::NormalizeWs(text);
    EXPECT_EQ(text, "two words");
    text = " \t ";
    xml::NormalizeWs(text);
    EXPECT_EQ(text, "");
}

// Blocks of 16 and the bytes after them: every length up to three blocks,
// white space and high bytes at random places.
TEST(XmlText, BlankWsMatchesConvertWsAtEveryLength) {
    const std::string bytes = std::string("ab \t\n\r\x0B\x01<&") + "\x7F\x80\xC3\xFF";
    std::mt19937 random(7);
    for (std::size_t length = 0; length <= 48; ++length)
        for (int n = 0; n < 20; ++n) {
            std::string text;
            for (std::size_t i = 0; i < length; ++i) text += bytes[random() % bytes.size()];
            SCOPED_TRACE(testing::PrintToString(text));
            bool high = false;
            for (const char c : text) high |= static_cast<unsigned char>(c) >= 0x80;
            const std::string expected = xml::ConvertWs(text, false);
            EXPECT_EQ(xml::BlankWs(text), high);
            EXPECT_EQ(text, expected);
        }
}

TEST(XmlText, PointerRangesAndSearches) {
    const char* text = "ab?>cd";
    EXPECT_EQ(xml::StrSFPas(text + 1, text), "");  // last just before first
    EXPECT_EQ(xml::StrSFPas(text, text), "a");
    EXPECT_EQ(xml::StrSFPas(text + 1, text + 3), "b?>");
    EXPECT_EQ(xml::FindText(text, "?>"), text + 2);
    EXPECT_EQ(xml::FindText(text, "?>x"), nullptr);
    EXPECT_EQ(xml::FindChar(text, 'c'), text + 4);
    EXPECT_EQ(xml::FindChar(text, 'z'), nullptr);
    EXPECT_EQ(xml::FindCharOrLast(text, 'z'), text + 5);
    EXPECT_EQ(xml::FindCharOrLast(text + 6, 'z'), text + 5);
    EXPECT_EQ(xml::DeleteChars("a b\tc", xml::TCharset(" \t")), "abc");
}

TEST(XmlText, ExtractNameAndQuote) {
    const xml::TCharset ws(" ");
    const char* text = " ab c>";
    EXPECT_EQ(xml::ExtractName(text + 1, ws), text + 3);
    EXPECT_EQ(xml::ExtractName(text, ws), text + 3);  // the first byte always belongs to the name
    EXPECT_EQ(xml::ExtractName(text + 4, ws), text + 5);
    EXPECT_EQ(xml::ExtractName(text + 6, ws), text + 6);  // at the NUL: empty
    std::string value;
    const char* quoted = "'x\"y'z";
    EXPECT_EQ(xml::ExtractQuote(quoted, value), quoted + 4);
    EXPECT_EQ(value, "x\"y");
    const char* open = "\"xy";
    EXPECT_EQ(xml::ExtractQuote(open, value), open + 2);
    EXPECT_EQ(value, "xy");
    const char* bare = "\"";
    EXPECT_EQ(xml::ExtractQuote(bare, value), bare);
    EXPECT_EQ(value, "");
}

TEST(XmlText, AnsiToUtf8FollowsTheCodePage) {
    EXPECT_EQ(xml::AnsiToUtf8("\x80"), "\xE2\x82\xAC");
    EXPECT_EQ(xml::AnsiToUtf8("A"), "A");
    EXPECT_EQ(xml::AnsiToUtf8("\xFC"), "\xC3\xBC");
    EXPECT_EQ(xml::AnsiToUtf8("\x81"), "\xC2\x81");  // unassigned: the code point of the same value
}

TEST(XmlText, UpperHalfFollowsThePublishedCodePage) {
    // Windows-1252 bytes 0x80-0x9F; the five the code page leaves out keep their value.
    const char32_t table[32] = {0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D,   0x017D, 0x8F,
                                0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};
    for (int b = 0x80; b < 0x100; ++b) {
        SCOPED_TRACE(b);
        const char32_t code = b < 0xA0 ? table[b - 0x80] : static_cast<char32_t>(b);
        std::string utf8;
        if (code < 0x800) {
            utf8 = {static_cast<char>(0xC0 | code >> 6), static_cast<char>(0x80 | (code & 0x3F))};
        } else {
            utf8 = {static_cast<char>(0xE0 | code >> 12), static_cast<char>(0x80 | (code >> 6 & 0x3F)),
                    static_cast<char>(0x80 | (code & 0x3F))};
        }
        EXPECT_EQ(xml::AnsiToUtf8(std::string(1, static_cast<char>(b))), utf8);
        EXPECT_EQ(xml::Utf8ToAnsi(utf8, '?'), std::string(1, static_cast<char>(b)));
    }
    EXPECT_EQ(xml::Utf8ToAnsi("\xC2\x80", '?'), "?");  // U+0080 has no byte: 0x80 is the euro sign
}

TEST(XmlText, EveryByteRoundTripsThroughUtf8) {
    for (int b = 0; b < 256; ++b) {
        SCOPED_TRACE(b);
        const std::string byte(1, static_cast<char>(b));
        EXPECT_EQ(xml::Utf8ToAnsi(xml::AnsiToUtf8(byte), '?'), byte);
        std::string inPlace = xml::AnsiToUtf8(byte);
        xml::Utf8ToAnsiInPlace(inPlace, '?');
        EXPECT_EQ(inPlace, byte);
    }
}

TEST(XmlText, Utf8ToAnsiIsLenientButNeverLonger) {
    EXPECT_EQ(xml::Utf8ToAnsi("\xC3\xBC\xE2\x82\xAC", '?'), "\xFC\x80");
    EXPECT_EQ(xml::Utf8ToAnsi("\xE4\xB8\xAD", '\xBF'), "\xBF");          // not in the code page
    EXPECT_EQ(xml::Utf8ToAnsi("\x80x", '?'), "?x");                       // stray continuation
    EXPECT_EQ(xml::Utf8ToAnsi("a\xE2\x82", '?'), "a?");                  // cut off: takes the rest
    EXPECT_EQ(xml::Utf8ToAnsi("\xF0\x9F\x98\x80z", '?'), "?z");           // four bytes, one character
    EXPECT_EQ(xml::Utf8ToAnsi("\xF8z", '?'), "?z");
    EXPECT_EQ(xml::Utf8ToAnsi("\xC1\x81", '?'), "A");                     // overlong decodes
    EXPECT_EQ(xml::Utf8ToAnsi("\xC3\x3C", '?'), "\xFC");                  // continuation bits unchecked
}

TEST(XmlText, CharacterReferenceBytes) {
    EXPECT_EQ(xml::CharRefByte("65"), 'A');
    EXPECT_EQ(xml::CharRefByte("x42"), 'B');
    EXPECT_EQ(xml::CharRefByte("X4a"), 'J');
    EXPECT_EQ(xml::CharRefByte("233"), 0xE9);
    EXPECT_EQ(xml::CharRefByte("8364"), 0x80);   // the euro sign's byte, not its low 8 bits
    EXPECT_EQ(xml::CharRefByte("x2122"), 0x99);  // trade mark sign
    EXPECT_EQ(xml::CharRefByte("x4E2D"), 0xBF);  // no byte for it
    EXPECT_EQ(xml::CharRefByte("0"), 0);
    for (const char* bad : {"", "x", "1a", "-5", "+5", " 5", "99999999999"}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(xml::CharRefByte(bad), ' ');
    }
    EXPECT_EQ(xml::PredefinedEntityChar("quot"), '"');
    EXPECT_EQ(xml::PredefinedEntityChar("Amp"), -1);
}
