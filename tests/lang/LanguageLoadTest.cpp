#include "lang/Languages.h"

#include "data/XmlDataFile.h"
#include "lzw/LzwEncoder.h"
#include "platform/base/Exception.h"
#include "platform/win/Files.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using testing_support::TempDir;
using testing_support::WriteFile;

std::string Compressed(const std::string& xml) {
    const auto bytes = lzw::Compress(xml);
    return std::string(bytes.begin(), bytes.end());
}

std::string LanguageXml(const std::string& attributes, const std::string& strings = "") {
    return "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\r\n<file>\r\n  <language " + attributes +
           "></language>\r\n  <strings>" + strings + "</strings>\r\n</file>\r\n";
}

class LanguageLoadTest : public ::testing::Test {
protected:
    fs::path Folder() const { return dir_.Path() / "languages"; }
    void Put(const std::string& name, const std::string& bytes) { WriteFile(Folder() / name, bytes); }
    void Load() { list_.Load(Folder() / "*.xm?"); }
    std::vector<std::string> Ids() const {
        std::vector<std::string> ids;
        for (const TLanguage& l : list_.Languages) ids.push_back(l.id);
        return ids;
    }

    TempDir dir_;
    TLanguages list_;
};

TEST(XmlDataFile, PlainOrCompressedByName) {
    EXPECT_FALSE(IsCompressedFileName("b.xml"));
    EXPECT_FALSE(IsCompressedFileName("b.XmL"));
    EXPECT_FALSE(IsCompressedFileName("Magyar.XML"));
    EXPECT_TRUE(IsCompressedFileName("c.xmz"));
    EXPECT_TRUE(IsCompressedFileName("a.xml.xml"));  // the first ".XML" is not at the end
    EXPECT_TRUE(IsCompressedFileName("noextension"));
    EXPECT_TRUE(IsCompressedFileName("a.xm"));
}

TEST_F(LanguageLoadTest, LoadsPlainAndCompressedFilesInNameOrder) {
    Put("b.XmL", LanguageXml("id=\"B\" UserInterface=\"yes\""));
    Put("c.xmz", Compressed(LanguageXml("id=\"C\" UserInterface=\"yes\"")));
    Put("a.xml.xml", Compressed(LanguageXml("id=\"A\" UserInterface=\"yes\"")));
    Put("d.txt", LanguageXml("id=\"D\""));  // does not match *.xm?
    list_.CompressedOnly = false;
    Load();
    EXPECT_EQ(Ids(), (std::vector<std::string>{"A", "B", "C"}));
    for (const TLanguage& l : list_.Languages) EXPECT_TRUE(l.UserInterface) << l.id;
}

TEST_F(LanguageLoadTest, CompressedOnlyKeepsPlainFilesOutOfTheUserInterface) {
    Put("plain.xml", LanguageXml("id=\"Plain\" UserInterface=\"yes\" default=\"yes\""));
    Put("packed.xmz", Compressed(LanguageXml("id=\"Packed\" UserInterface=\"yes\"")));
    ASSERT_TRUE(list_.CompressedOnly);  // as constructed
    Load();
    ASSERT_EQ(Ids(), (std::vector<std::string>{"Packed", "Plain"}));
    EXPECT_TRUE(list_.Languages[0].UserInterface);
    EXPECT_FALSE(list_.Languages[1].UserInterface);
    list_.SetLanguage("Plain");
    EXPECT_EQ(list_.CurrentLanguage(), nullptr);  // not a user-interface language, and no default left
    list_.SetLanguage("Packed");
    list_.SetPrintingLanguage("Plain");
    EXPECT_EQ(list_.GetLanguageID(), "Packed");
    EXPECT_EQ(list_.PrintingLanguage()->id, "Plain");
}

TEST_F(LanguageLoadTest, PlainAndCompressedCopiesReadTheSame) {
    const std::string xml =
        "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\r\n<root>"
        "<language id=\"Magyar\" idNumber=\"1038\" default=\"yes\" UserInterface=\"yes\" Charset=\"238\"></language>"
        "<form name=\"MainForm\"><property id=\"Caption\" value=\"F\xF5\"></property>"
        "<formitem name=\"File1\" type=\"TMenuItem\"><property id=\"Caption\" value=\"&amp;F\xE1jl\"></property>"
        "</formitem></form>"
        "<strings><item id=\"IDS_X\" value=\"\xE1rv\xEDzt\xFBr\xF5 \xB0" "C\"></item></strings>"
        "<title name=\"Items\"><columnitem id=\"3\" row=\"2\">Hossz</columnitem></title></root>";
    Put("one.xml", xml);
    Put("two.xmz", Compressed(xml));
    list_.CompressedOnly = false;
    Load();
    ASSERT_EQ(list_.Languages.size(), 2u);
    EXPECT_EQ(list_.Languages[0], list_.Languages[1]);
    const TLanguage& l = list_.Languages[0];
    EXPECT_EQ(l.GetString("IDS_X"), "\xE1rv\xEDzt\xFBr\xF5 \xB0" "C");  // Windows-1250 bytes unchanged
    ASSERT_EQ(l.Forms.size(), 1u);
    EXPECT_EQ(l.Forms[0].Items[0].PropertyValues, std::vector<std::string>{"&F\xE1jl"});
}

TEST_F(LanguageLoadTest, DamagedFilesAreSkippedAndTheOthersLoad) {
    std::string truncated = Compressed(LanguageXml("id=\"Cut\" UserInterface=\"yes\""));
    truncated.resize(truncated.size() / 2);
    Put("1-cut.xmz", truncated);
    Put("2-entry-after-clear.xmz", std::string("\x80\x40\x80\x40", 4));  // 256, 258, ...
    Put("3-bad-charset.xml", LanguageXml("id=\"BadCharset\" Charset=\"abc\""));
    Put("4-good.xmz", Compressed(LanguageXml("id=\"Good\" UserInterface=\"yes\"")));
    Put("5-bad-row.xml",
        "<title name=\"t\"><columnitem id=\"1\" row=\"x\">T</columnitem></title><language id=\"BadRow\"></language>");
    Put("6-good.xml", LanguageXml("id=\"AlsoGood\""));
    list_.CompressedOnly = false;
    Load();
    EXPECT_EQ(Ids(), (std::vector<std::string>{"Good", "AlsoGood"}));
    EXPECT_FALSE(fs::exists(win::TempFolder() / "xmlDecod.tmp"));
}

TEST_F(LanguageLoadTest, MissingFolderLoadsNothing) {
    list_.Load(dir_.Path() / "nowhere" / "*.xm?");
    EXPECT_TRUE(list_.Languages.empty());
}

TEST(LanguageRead, LanguageElementRules) {
    TLanguage l = ReadLanguage("<language id=\"A\" idNumber=\"7\" default=\"Yes\" UserInterface=\"yes\"></language>");
    EXPECT_EQ(l.id, "A");
    EXPECT_EQ(l.idNumber, "7");
    EXPECT_FALSE(l.Default);  // only the exact "yes"
    EXPECT_TRUE(l.UserInterface);
    EXPECT_EQ(l.Charset, -1);  // missing

    l = ReadLanguage("<language Charset=\"\"></language>");
    EXPECT_EQ(l.Charset, -1);  // empty
    EXPECT_EQ(l.id, "");

    // A later language element overwrites all five fields.
    l = ReadLanguage(
        "<language id=\"A\" idNumber=\"1\" default=\"yes\" UserInterface=\"yes\" Charset=\"238\"></language>"
        "<language id=\"B\"></language>");
    EXPECT_EQ(l.id, "B");
    EXPECT_EQ(l.idNumber, "");
    EXPECT_FALSE(l.Default);
    EXPECT_FALSE(l.UserInterface);
    EXPECT_EQ(l.Charset, -1);

    EXPECT_EQ(ReadLanguage("<language Charset=\"-5\"></language>").Charset, -5);
    EXPECT_THROW(ReadLanguage("<language Charset=\"238x\"></language>"), EConvertError);
    EXPECT_THROW(ReadLanguage("<language Charset=\"99999999999\"></language>"), EConvertError);
}

TEST(LanguageRead, OnlyStartTagsAreRead) {
    const TLanguage l = ReadLanguage(
        "<language id=\"Empty\"/>"
        "<strings><item id=\"EMPTY\" value=\"no\"/><item id=\"K\" value=\"1\"></item>"
        "<item id=\"K\" value=\"2\"></item></strings>");
    EXPECT_EQ(l.id, "");  // the empty-element language tag is skipped
    EXPECT_EQ(l.Strings.count("EMPTY"), 0u);
    EXPECT_EQ(l.GetString("K"), "2");  // a repeated id keeps the later value
}

TEST(LanguageRead, ElementsAtAnyDepth) {
    const TLanguage l = ReadLanguage(
        "<a><b><c><language id=\"Deep\"></language><strings><x><item id=\"K\" value=\"v\"></item></x>"
        "</strings></c></b></a>");
    EXPECT_EQ(l.id, "Deep");
    EXPECT_EQ(l.GetString("K"), "v");
}

TEST(LanguageRead, FormsWithPropertiesAndItems) {
    const TLanguage l = ReadLanguage(
        "<form name=\"ItemModifyForm\">"
        "<property id=\"Caption\" value=\"Calculation\"></property>"
        "<property id=\"\" value=\"dropped\"></property>"
        "<formitem name=\"InsideAlphaCalculationMode\" type=\"TComboBox\">"
        "<property id=\"Items.Strings\" value=\"one\"></property>"
        "<property id=\"Text\" value=\"t\"></property>"
        "</formitem>"
        "<formitem name=\"Label1\" type=\"TLabel\"></formitem>"
        "</form>"
        "<form name=\"Second\"></form>");
    ASSERT_EQ(l.Forms.size(), 2u);
    const TLanguageForm& form = l.Forms[0];
    EXPECT_EQ(form.Name, "ItemModifyForm");
    EXPECT_EQ(form.PropertyIds, std::vector<std::string>{"Caption"});
    EXPECT_EQ(form.PropertyValues, std::vector<std::string>{"Calculation"});
    ASSERT_EQ(form.Items.size(), 2u);
    EXPECT_EQ(form.Items[0].Name, "InsideAlphaCalculationMode");
    EXPECT_EQ(form.Items[0].TypeName, "TComboBox");
    EXPECT_EQ(form.Items[0].PropertyIds, (std::vector<std::string>{"Items.Strings", "Text"}));
    EXPECT_EQ(form.Items[0].PropertyValues, (std::vector<std::string>{"one", "t"}));
    EXPECT_TRUE(form.Items[1].PropertyIds.empty());
    EXPECT_EQ(l.Forms[1].Name, "Second");
}

TEST(LanguageRead, TitlesKeyColumnAndRow) {
    const TLanguage l = ReadLanguage(
        "<title name=\"ItemsList\">"
        "<columnitem id=\"3\" row=\"2\">Outer diameter</columnitem>"
        "<columnitem id=\"1\" row=\"1\"></columnitem>"  // no content: nothing appended
        "<columnitem id=\"-1\" row=\"1\">Minus</columnitem>"
        "</title>");
    ASSERT_EQ(l.Titles.size(), 1u);
    EXPECT_EQ(l.Titles[0].Name, "ItemsList");
    EXPECT_EQ(l.Titles[0].Keys, (std::vector<std::int16_t>{259, -1}));
    EXPECT_EQ(l.Titles[0].Texts, (std::vector<std::string>{"Outer diameter", "Minus"}));
    EXPECT_THROW(ReadLanguage("<title><columnitem id=\"3\">x</columnitem></title>"), EConvertError);
}

TEST(LanguageRead, NulEndsTheDocument) {
    const std::string text("<language id=\"A\"></language>\0<language id=\"B\"></language>", 56);
    EXPECT_EQ(ReadLanguage(text).id, "A");
}

}  // namespace
