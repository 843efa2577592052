#include "platform/win/RegFile.h"

#include <gtest/gtest.h>

#include <string>

using win::HKey;
using win::TRegKeyNode;
using win::TRegValue;

namespace {

std::vector<std::uint8_t> Bytes(std::string_view s) {
    return {s.begin(), s.end()};
}

TRegKeyNode Parse(std::string_view text, HKey root = HKey::CurrentUser) {
    TRegKeyNode tree;
    const win::TRegParseResult result = win::ParseRegFile(text, root, tree);
    EXPECT_TRUE(result.Ok) << "line " << result.Line;
    return tree;
}

TRegKeyNode RoundTrip(const TRegKeyNode& tree, HKey root = HKey::CurrentUser) {
    return Parse(win::FormatRegFile(tree, root), root);
}

}  // namespace

TEST(RegFile, EmptyRootIsTheHeaderAlone) {
    EXPECT_EQ(win::FormatRegFile(TRegKeyNode{}, HKey::LocalMachine), "Windows Registry Editor Version 5.00\r\n\r\n");
    EXPECT_EQ(Parse("Windows Registry Editor Version 5.00\r\n\r\n"), TRegKeyNode{});
}

TEST(RegFile, WritesEveryTypeInExportSyntax) {
    TRegKeyNode tree;
    TRegKeyNode& key = tree.AddSubkey("Software").AddSubkey("Lumivar");
    key.Values.push_back({"", win::REG_SZ, Bytes(std::string("x", 1) + '\0')});
    key.Values.push_back({"Path", win::REG_SZ, Bytes(std::string("C:\\a \"b\"") + '\0')});
    key.Values.push_back({"LeftMargin", win::REG_DWORD, {0x14, 0, 0, 0}});
    key.Values.push_back({"Neg", win::REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}});
    key.Values.push_back({"Bin", win::REG_BINARY, {0x00, 0xAB}});
    key.Values.push_back({"Multi", win::REG_MULTI_SZ, {'a', 0, 0}});
    key.Values.push_back({"Exp", win::REG_EXPAND_SZ, {'%', 0}});
    key.Values.push_back({"Planer", win::REG_SZ, {'A', '\r', '\n', 0}});
    key.Values.push_back({"None", win::REG_NONE, {}});
    tree.AddSubkey("Software").AddSubkey("Empty");
    EXPECT_EQ(win::FormatRegFile(tree, HKey::CurrentUser),
              "Windows Registry Editor Version 5.00\r\n"
              "\r\n"
              "[HKEY_CURRENT_USER\\Software]\r\n"
              "\r\n"
              "[HKEY_CURRENT_USER\\Software\\Empty]\r\n"
              "\r\n"
              "[HKEY_CURRENT_USER\\Software\\Lumivar]\r\n"
              "@=\"x\"\r\n"
              "\"Path\"=\"C:\\\\a \\\"b\\\"\"\r\n"
              "\"LeftMargin\"=dword:00000014\r\n"
              "\"Neg\"=dword:ffffffff\r\n"
              "\"Bin\"=hex:00,ab\r\n"
              "\"Multi\"=hex(7):61,00,00,00,00,00\r\n"
              "\"Exp\"=hex(2):25,00,00,00\r\n"
              "\"Planer\"=hex(1):41,00,0d,00,0a,00,00,00\r\n"
              "\"None\"=hex(0):\r\n"
              "\r\n");
    EXPECT_EQ(RoundTrip(tree), tree);
}

TEST(RegFile, EightBitTextIsUtf8InTheFileAndUtf16InHex) {
    TRegKeyNode tree;
    // Windows-1250 "Árvíztűrő" and "ő" as a multi-string.
    TRegKeyNode& key = tree.AddSubkey("\xC1rv\xEDzt\xFBr\xF5");
    key.Values.push_back({"\xF5", win::REG_SZ, {0xF5, 0}});
    key.Values.push_back({"m", win::REG_MULTI_SZ, {0xF5, 0, 0}});
    const std::string text = win::FormatRegFile(tree, HKey::CurrentUser);
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Árvíztűrő]\r\n\"ő\"=\"ő\"\r\n"), std::string::npos);
    EXPECT_NE(text.find("\"m\"=hex(7):51,01,00,00,00,00\r\n"), std::string::npos);  // U+0151
    EXPECT_EQ(RoundTrip(tree), tree);
}

TEST(RegFile, AwkwardNamesAndEveryByteRoundTrip) {
    TRegKeyNode tree;
    std::vector<std::uint8_t> all;
    std::string text;
    for (int b = 1; b < 256; ++b) {
        all.push_back(static_cast<std::uint8_t>(b));
        if (b != '\r' && b != '\n') text.push_back(static_cast<char>(b));
    }
    TRegKeyNode& key = tree.AddSubkey("a]b[c\"d\"]").AddSubkey(" spaced ").AddSubkey(text.substr(0, 80));
    key.Values.push_back({"\\\"@=\"\\", win::REG_SZ, Bytes(text + '\0')});
    key.Values.push_back({"@", win::REG_SZ, {0}});  // a value really named "@", empty text
    key.Values.push_back({"all bytes", win::REG_BINARY, all});
    key.Values.push_back({"all as text", win::REG_SZ, all});  // no terminator, CR LF inside
    key.Values.push_back({"all expand", win::REG_EXPAND_SZ, all});
    key.Values.push_back({"short dword", win::REG_DWORD, {1, 2}});
    key.Values.push_back({"big type", 0x12345678, {9}});
    key.Values.push_back({text, win::REG_MULTI_SZ, {}});
    tree.Values.push_back({"on the root", win::REG_DWORD, {0, 0, 0, 0}});
    EXPECT_EQ(RoundTrip(tree), tree);
}

TEST(RegFile, LongHexListsWrapAndContinue) {
    TRegKeyNode tree;
    TRegValue v{"Blob", win::REG_BINARY, std::vector<std::uint8_t>(100, 0x5A)};
    tree.AddSubkey("k").Values.push_back(v);
    const std::string text = win::FormatRegFile(tree, HKey::CurrentUser);
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        EXPECT_LE(end - start, 80u);
        start = end + 2;
    }
    EXPECT_NE(text.find(",\\\r\n  5a,"), std::string::npos);
    EXPECT_EQ(RoundTrip(tree), tree);
    // As regedit writes it: the list starts on the next line, LF line ends.
    const TRegKeyNode read = Parse("Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\k]\n\"b\"=hex:\\\n  01,\\\n  2\n");
    EXPECT_EQ(read.FindSubkey("K")->FindValue("B")->Data, (std::vector<std::uint8_t>{1, 2}));
}

TEST(RegFile, ReadsWhatHandsWrite) {
    const TRegKeyNode tree = Parse("\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n"
                                   "; a comment\r\n"
                                   "[HKEY_CURRENT_USER\\A\\B]   \r\n"
                                   "\"x\"=dword:14\r\n"
                                   "[hkey_current_user\\a]\r\n"
                                   "\"X\"=\"first\"\r\n"
                                   "\"x\"=\"second\"\r\n");
    const TRegKeyNode* a = tree.FindSubkey("a");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->Name, "A");  // the first spelling stays
    ASSERT_EQ(a->Values.size(), 1u);
    EXPECT_EQ(a->Values[0].Name, "X");
    EXPECT_EQ(a->Values[0].Data, Bytes(std::string("second") + '\0'));
    EXPECT_EQ(a->FindSubkey("b")->FindValue("X")->Data, (std::vector<std::uint8_t>{0x14, 0, 0, 0}));
}

TEST(RegFile, BrokenFilesAreRefusedWithTheirLine) {
    const std::string header = "Windows Registry Editor Version 5.00\r\n";
    struct Case {
        const char* name;
        std::string text;
        std::size_t line;
    } cases[] = {
        {"no header", "[HKEY_CURRENT_USER\\a]\r\n", 1},
        {"older format", "REGEDIT4\r\n", 1},
        {"empty file", "", 1},
        {"value before any key", header + "\"a\"=\"b\"\r\n", 2},
        {"other root", header + "[HKEY_LOCAL_MACHINE\\a]\r\n", 2},
        {"unclosed key", header + "[HKEY_CURRENT_USER\\a\r\n", 2},
        {"empty key name", header + "[HKEY_CURRENT_USER\\a\\\\b]\r\n", 2},
        {"unterminated name", header + "[HKEY_CURRENT_USER\\a]\r\n\"a=\"b\"\r\n", 3},
        {"unknown escape", header + "[HKEY_CURRENT_USER\\a]\r\n\"a\"=\"\\n\"\r\n", 3},
        {"text after value", header + "[HKEY_CURRENT_USER\\a]\r\n\"a\"=\"b\"c\r\n", 3},
        {"deletion syntax", header + "[HKEY_CURRENT_USER\\a]\r\n\"a\"=-\r\n", 3},
        {"long dword", header + "[HKEY_CURRENT_USER\\a]\r\n\"a\"=dword:123456789\r\n", 3},
        {"bad hex", header + "[HKEY_CURRENT_USER\\a]\r\n\"a\"=hex:1g\r\n", 3},
        {"trailing comma", header + "[HKEY_CURRENT_USER\\a]\r\n\"a\"=hex:01,\r\n", 3},
        {"odd utf-16", header + "[HKEY_CURRENT_USER\\a]\r\n\"a\"=hex(7):61\r\n", 3},
        {"continuation at end", header + "[HKEY_CURRENT_USER\\a]\r\n\"a\"=hex:01,\\\r\n", 3},
        {"empty quoted name", header + "[HKEY_CURRENT_USER\\a]\r\n\"\"=\"b\"\r\n", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TRegKeyNode tree;
        tree.AddSubkey("kept");
        const win::TRegParseResult result = win::ParseRegFile(c.text, HKey::CurrentUser, tree);
        EXPECT_FALSE(result.Ok);
        EXPECT_EQ(result.Line, c.line);
        EXPECT_NE(tree.FindSubkey("kept"), nullptr);  // untouched on failure
    }
}

TEST(RegFile, EveryTruncationParsesOrFailsCleanly) {
    TRegKeyNode tree;
    TRegKeyNode& key = tree.AddSubkey("Software").AddSubkey("Lumivar");
    key.Values.push_back({"Name", win::REG_SZ, Bytes(std::string("v\xF5") + '\0')});
    key.Values.push_back({"Blob", win::REG_BINARY, std::vector<std::uint8_t>(40, 7)});
    key.Values.push_back({"N", win::REG_DWORD, {1, 0, 0, 0}});
    const std::string text = win::FormatRegFile(tree, HKey::CurrentUser);
    for (std::size_t n = 0; n <= text.size(); ++n) {
        TRegKeyNode out;
        const win::TRegParseResult result = win::ParseRegFile(std::string_view(text).substr(0, n), HKey::CurrentUser, out);
        if (result.Ok) {
            EXPECT_EQ(RoundTrip(out), out) << n;
        }
    }
}
