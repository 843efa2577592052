#include "project/ClipboardStream.h"

#include "lang/Languages.h"
#include "platform/base/Controls.h"
#include "platform/base/SysUtils.h"
#include "project/Project.h"
#include "project/ProjectEnvironment.h"
#include "project/RtfHeader.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>

namespace {

using namespace std::literals;

constexpr const char* kTitleRowHead = R"(\pard\plain \s31\sb180\f4\fs20\lang1038\tx5040\tqr\tx8640{\b )";

unsigned OwnFormat() { return RegisterClipboardFormat("KELVARIN Calculation Item"); }
unsigned RtfFormat() { return RegisterClipboardFormat("Rich Text Format"); }

std::string Block(const IClipboard& clipboard, unsigned format) {
    std::string bytes = "(absent)";
    clipboard.GetBlock(format, bytes);
    return bytes;
}

class ClipboardStreamTest : public ::testing::Test {
protected:
    project_testing::TProjectEnvironment environment_;
};

TEST_F(ClipboardStreamTest, PrintingLanguageOnlyWhileAClipboardStreamLives) {
    EXPECT_FALSE(LanguageList->PrintingMode);
    EXPECT_EQ(LanguageList->GetString("ID_ITEMRTF1"), "ui:ID_ITEMRTF1");
    {
        TClipboardStream clipboard;
        EXPECT_TRUE(LanguageList->PrintingMode);
        EXPECT_EQ(LanguageList->GetString("ID_ITEMRTF1"), "ID_ITEMRTF1");
        EXPECT_TRUE(clipboard.RtfHeaderPending);
        EXPECT_EQ(clipboard.RtfStream.Size(), 0);
        EXPECT_EQ(clipboard.OwnFormatStream.Size(), 0);
    }
    EXPECT_FALSE(LanguageList->PrintingMode);
    try {
        TClipboardStream clipboard;
        throw std::runtime_error("a command fails half-way");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(LanguageList->PrintingMode);
}

TEST_F(ClipboardStreamTest, NothingToCopyClearsTheClipboard) {
    environment_.Clipboard().SetBlocks({{OwnFormat(), "old"}, {RtfFormat(), "{\\rtf1}"}});
    TClipboardStream clipboard;
    clipboard.CopyToClipboard(0);
    EXPECT_FALSE(environment_.Clipboard().HasFormat(OwnFormat()));
    EXPECT_FALSE(environment_.Clipboard().HasFormat(RtfFormat()));

    environment_.Clipboard().SetBlocks({{OwnFormat(), "old"}});
    clipboard.CopyToClipboard(OwnFormat());  // an empty own stream is left out too
    EXPECT_FALSE(environment_.Clipboard().HasFormat(OwnFormat()));
}

TEST_F(ClipboardStreamTest, BlocksCarryANulAndRtfEndsWithThePrintingLanguagesEnd) {
    TClipboardStream clipboard;
    clipboard.OwnFormatStream.Write("\x01\x01xy", 4);
    clipboard.RtfStream.WriteString("{\\rtf1 text");
    clipboard.CopyToClipboard(OwnFormat());
    EXPECT_EQ(Block(environment_.Clipboard(), OwnFormat()), "\x01\x01xy\x00"s);
    const std::string rtf = Block(environment_.Clipboard(), RtfFormat());
    EXPECT_EQ(rtf, "{\\rtf1 textIDS_RTFEND\x00"s);
    EXPECT_EQ(rtf.size(), std::string("{\\rtf1 textIDS_RTFEND").size() + 1);
}

TEST_F(ClipboardStreamTest, WithoutAnRtfEndTheGroupIsClosedWithABrace) {
    environment_.SetPrintText("IDS_RTFEND", "");
    TClipboardStream clipboard;
    clipboard.BeginRTF("ItemRTFHeader");
    clipboard.CopyToClipboard(0);
    const std::string rtf = Block(environment_.Clipboard(), RtfFormat());
    ASSERT_GE(rtf.size(), 2u);
    EXPECT_EQ(rtf.substr(rtf.size() - 2), "}\x00"s);
    EXPECT_EQ(std::count(rtf.begin(), rtf.end(), '{'), std::count(rtf.begin(), rtf.end(), '}'));
}

TEST_F(ClipboardStreamTest, ReadingTakesTheWholeBlockRewound) {
    {
        TClipboardStream clipboard;
        EXPECT_FALSE(clipboard.ReadFromClipboard(OwnFormat()));
        EXPECT_EQ(clipboard.OwnFormatStream.Size(), 0);
    }
    environment_.Clipboard().SetBlocks({{RtfFormat(), "{\\rtf1}"}});
    {
        TClipboardStream clipboard;
        EXPECT_FALSE(clipboard.ReadFromClipboard(OwnFormat()));
    }
    // The system may hand back a larger block than was put.
    environment_.Clipboard().SetBlocks({{OwnFormat(), "\x00\x00\x00" "padding"s}});
    TClipboardStream clipboard;
    EXPECT_TRUE(clipboard.ReadFromClipboard(OwnFormat()));
    EXPECT_EQ(clipboard.OwnFormatStream.Size(), 10);
    EXPECT_EQ(clipboard.OwnFormatStream.Position(), 0);
}

TEST_F(ClipboardStreamTest, BeginRtfWritesThePrologueOnce) {
    TClipboardStream clipboard;
    clipboard.BeginRTF("ItemRTFHeader");
    EXPECT_FALSE(clipboard.RtfHeaderPending);
    EXPECT_EQ(clipboard.RtfStream.DataString(), FindRtfHeaderResource("ITEMRTFHEADER"));
}

TEST(RtfHeader, ItemPrologueHoldsWhatTheRowsReferTo) {
    const std::string_view header = FindRtfHeaderResource("ItemRTFHeader");
    EXPECT_EQ(FindRtfHeaderResource("itemrtfheader"), header);
    EXPECT_EQ(FindRtfHeaderResource("OTHER"), "");
    ASSERT_TRUE(header.starts_with("{\\rtf1\\ansi\\deff4\\deflang1038"));
    for (const char* part : {
             "{\\f4\\froman\\fcharset238\\fprq2 Times New Roman CE;}",
             "{\\f5\\fswiss\\fcharset238\\fprq2 Arial CE;}",
             "{\\colortbl;\\red0\\green0\\blue0;",
             "\\red192\\green192\\blue192;}",
             "{\\f4\\fs16\\lang1038 \\snext0 Normal;}",
             "\\s1\\qc\\sb240\\sa240\\keepn\\b\\f5\\fs28",
             "\\kerning28",
             "\\s2\\fi170\\sb120\\sa120\\keepn\\b\\f5",
             "\\s3\\fi170\\sb240\\sa60\\keepn\\b\\f4",
             "\\cs10 \\additive Default Paragraph Font;",
             "\\s31\\sb180\\b\\f4\\fs24\\lang1038 \\sbasedon0\\snext32 Szamitas megnevezes;",
             "\\s32\\f4\\fs24\\lang1038 \\sbasedon0\\snext32 Adatok;",
             "\\paperw11906\\paperh16838\\margl720\\margr360\\margt720\\margb720\\deftab708",
             "\\headery709\\footery709",
         }) {
        EXPECT_NE(header.find(part), std::string_view::npos) << part;
    }
    std::size_t colours = 0;
    for (std::size_t at = header.find("\\red"); at != std::string_view::npos; at = header.find("\\red", at + 1))
        ++colours;
    EXPECT_EQ(colours, 16u);
    // Its macros would be expanded: no "#". The document group stays open.
    EXPECT_EQ(header.find('#'), std::string_view::npos);
    EXPECT_EQ(header.find('\0'), std::string_view::npos);
    EXPECT_EQ(std::count(header.begin(), header.end(), '{'), std::count(header.begin(), header.end(), '}') + 1);
}

// Headings 2 and 3 name no size, so a word processor gives them its default
// 12 pt, not the 8 pt of "Normal".
TEST(RtfHeader, HeadingsTwoAndThreeNameNoSize) {
    const std::string_view header = FindRtfHeaderResource("ItemRTFHeader");
    for (const std::string_view style : {"{\\s2\\"sv, "{\\s3\\"sv}) {
        const std::size_t start = header.find(style);
        ASSERT_NE(start, std::string_view::npos) << style;
        const std::string_view definition = header.substr(start, header.find('}', start) - start);
        EXPECT_EQ(definition.find("\\fs"), std::string_view::npos) << definition;
    }
}

TEST_F(ClipboardStreamTest, RowsExpandInTheActiveLanguage) {
    TPrintfStringStream stream;
    stream.WriteResString(104);
    EXPECT_EQ(stream.DataString(), R"(\pard\plain \s32\sb180\f4\fs20\lang1038 {\b ui:ID_CLAUSOLE0 )");
    stream.WriteIf(false, "no");
    stream.WriteIf(true, "|yes");
    EXPECT_TRUE(stream.DataString().ends_with("|yes"));
}

TEST_F(ClipboardStreamTest, TheArgumentIsNeverAFormatNorAMacro) {
    TPrintfStringStream stream;
    stream.PrintfResString(128, "50 % #ID_ITEMRTF1# %s %d");
    EXPECT_EQ(stream.DataString(), std::string(kTitleRowHead) + "50 % #ID_ITEMRTF1# %s %d}\\par \r\n");
}

TEST_F(ClipboardStreamTest, PercentInALabelPrintsAsItStands) {
    environment_.SetPrintText("ID_ITEMRTF66", "Saving (%) %d %s");
    TClipboardStream clipboard;
    clipboard.RtfStream.PrintfResFloat(200, true, 91.2f);
    EXPECT_EQ(clipboard.RtfStream.DataString(), "Saving (%) %d %s:\\tab 91\\tab %\\par \r\n");
}

TEST_F(ClipboardStreamTest, FloatRowsPrintOnlyWhenShown) {
    TPrintfStringStream stream;
    stream.PrintfResFloat(131, false, 12.5f);
    EXPECT_EQ(stream.DataString(), "");
    stream.PrintfResFloat(133, true, 12.5f);
    EXPECT_EQ(stream.DataString(), "12.5\\tab mm\\par \r\n");
}

TEST_F(ClipboardStreamTest, WallConductivityKeepsItsDecimals) {
    TPrintfStringStream stream;
    stream.PrintfResFloat(147, true, 0.4f);
    EXPECT_TRUE(stream.DataString().ends_with("ui:ID_ITEMRTF22:\\tab  0.4\\tab W/mK\\par \r\n"));
}

TEST_F(ClipboardStreamTest, LongTextsAreNotCut) {
    const std::string name(5000, 'x');
    TPrintfStringStream stream;
    stream.PrintfResString(128, name);
    EXPECT_EQ(stream.DataString(), std::string(kTitleRowHead) + name + "}\\par \r\n");
}

TEST_F(ClipboardStreamTest, NumbersUseAPointUnderACommaLocale) {
    const testing_support::ScopedCommaLocale locale;
    if (!locale.Active()) GTEST_SKIP() << "no comma-decimal locale installed";
    const char previousSeparator = DecimalSeparator();
    SetDecimalSeparator(',');
    TPrintfStringStream stream;
    stream.PrintfResFloat(133, true, 88.9f);
    stream.PrintfResFloat(152, true, 4.182f);
    SetDecimalSeparator(previousSeparator);
    EXPECT_EQ(stream.DataString(), "88.9\\tab mm\\par \r\nui:ID_ITEMRTF27:\\tab 4.182\\tab kJ/kgK\\par \r\n");
}

TEST(EscapeRtfText, BackslashAndBracesGetABackslash) {
    EXPECT_EQ(EscapeRtfText("a\\b{c}d"), "a\\\\b\\{c\\}d");
    EXPECT_EQ(EscapeRtfText("\xC1rv\xEDz 100 % #K#"), "\xC1rv\xEDz 100 % #K#");
    EXPECT_EQ(EscapeRtfText(""), "");
}

TEST_F(ClipboardStreamTest, ProjectDataBlock) {
    TProject project;
    TPrintfStringStream empty;
    project.WriteRTFHeader(empty);
    EXPECT_EQ(empty.DataString(), "");

    project.Address.SetText("Budapest\r\nF\xF5 utca {1}\r\nII. em.");
    project.Planer.Add("Kov\xE1\x63s");
    project.Comment.Add("not printed");
    project.Date = "2004. 02. 03.";
    TPrintfStringStream stream;
    project.WriteRTFHeader(stream);
    const std::string head = "\\pard\\tx1440\\plain\\f3\\fs20 {\\b ";
    EXPECT_EQ(stream.DataString(), head + "ui:ID_PROJEKT0:}\\tab Budapest\\par\r\n"
                                          "\\tab F\xF5 utca \\{1\\}\\par\r\n"
                                          "\\tab II. em.\\par\r\n" +
                                       head + "ui:ID_PROJEKT2:}\\tab Kov\xE1\x63s\\par\r\n" + head +
                                       "ui:ID_PROJEKT3:}\\tab 2004. 02. 03.\\par\r\n");
}

}  // namespace
