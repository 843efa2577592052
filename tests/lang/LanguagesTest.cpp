#include "lang/Languages.h"

#include "lang/StringTable.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TLanguage MakeLanguage(std::string id, std::string idNumber, bool userInterface, bool isDefault) {
    TLanguage language;
    language.id = std::move(id);
    language.idNumber = std::move(idNumber);
    language.UserInterface = userInterface;
    language.Default = isDefault;
    language.Strings["K"] = "x";
    language.Strings["NAME"] = language.id;
    return language;
}

TEST(LanguageExpandMacros, Cases) {
    // Keys: "K" is "x", "P" "Saving (%)", "OUTER" "#K#".
    struct Row {
        const char* name;
        const char* text;
        bool asFormat;
        const char* expanded;
    };
    const Row rows[] = {
        {"key between hashes", "a #K# b", false, "a x b"},
        {"keys side by side", "#K##K#", false, "xx"},
        {"no macro", "no macro", false, "no macro"},
        {"empty", "", false, ""},
        // As a format, only the replaced texts get their "%" doubled.
        {"as a format", "#P#: %.0f %%", true, "Saving (%%): %.0f %%"},
        {"not as a format", "#P#: %.0f %%", false, "Saving (%): %.0f %%"},
        // The escaped "#" stays; the last "#" has no partner and is dropped.
        {"backslash before a macro", "\\#K#", false, "#K"},
        {"backslash in a word", "a\\#b", false, "a#b"},
        {"lone hash", "50 # 2", false, "50  2"},
        {"only a hash", "#", false, ""},
        {"hash at the end", "end#", false, "end"},
        {"hash at the start", "#K# tail", false, "x tail"},
        // After "\#" the rest starts with "#", which nothing before it escapes.
        {"escaped hash then a macro", "\\##K#", false, "#x"},
        {"missing key", "a #MISSING# b", false, "a  b"},
        {"empty key", "a ## b", false, "a  b"},
        {"replaced text is not expanded again", "#OUTER#", false, "#K#"},
    };
    TLanguage l = MakeLanguage("L", "", true, false);
    l.Strings["P"] = "Saving (%)";
    l.Strings["OUTER"] = "#K#";
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(l.ExpandMacros(row.text, row.asFormat), row.expanded);
    }
    EXPECT_TRUE(l.Strings.find("MISSING") == l.Strings.end());  // lookups don't add keys
}

class LanguagesTest : public ::testing::Test {
protected:
    TLanguages list;
};

TEST_F(LanguagesTest, NothingLoadedGivesEmptyAndUnchangedTexts) {
    list.SetLanguage("Magyar");
    list.SetPrintingLanguage("Magyar");
    EXPECT_EQ(list.CurrentLanguage(), nullptr);
    EXPECT_EQ(list.GetLanguageID(), "");
    EXPECT_EQ(list.GetString("K"), "");
    EXPECT_EQ(list.TranslateText("a #K# b"), "a #K# b");
    EXPECT_EQ(std::string(list.TranslateResString(104)), std::string(LoadResString(104)));
    EXPECT_EQ(list.TranslateResString(9999), "");
}

TEST_F(LanguagesTest, SetLanguageMatchesIdThenIdNumberThenDefault) {
    list.Languages = {MakeLanguage("A", "1", true, false), MakeLanguage("B", "A", true, false),
                      MakeLanguage("C", "", true, true), MakeLanguage("D", "", true, true)};
    list.SetLanguage("B");
    EXPECT_EQ(list.GetLanguageID(), "B");
    list.SetLanguage("1");
    EXPECT_EQ(list.GetLanguageID(), "A");
    list.SetLanguage("A");  // the id wins over B's idNumber
    EXPECT_EQ(list.GetLanguageID(), "A");
    list.SetLanguage("nobody");
    EXPECT_EQ(list.GetLanguageID(), "C");  // the first default
}

TEST_F(LanguagesTest, SetLanguageSkipsNonUserInterfaceLanguages) {
    list.Languages = {MakeLanguage("X", "", false, true), MakeLanguage("Y", "X", true, false),
                      MakeLanguage("Z", "", true, true)};
    list.SetLanguage("X");
    EXPECT_EQ(list.GetLanguageID(), "Y");  // by idNumber
    list.Languages[1].UserInterface = false;
    list.SetLanguage("X");
    EXPECT_EQ(list.GetLanguageID(), "Z");  // the default that is a user-interface language
    list.Languages[2].UserInterface = false;
    list.SetLanguage("X");
    EXPECT_EQ(list.CurrentLanguage(), nullptr);
}

TEST_F(LanguagesTest, SetPrintingLanguageAcceptsAnyLanguage) {
    list.Languages = {MakeLanguage("Magyar", "", true, true), MakeLanguage("English", "en", false, false)};
    list.SetLanguage("Magyar");
    list.SetPrintingLanguage("English");
    ASSERT_NE(list.PrintingLanguage(), nullptr);
    EXPECT_EQ(list.PrintingLanguage()->id, "English");
    list.SetPrintingLanguage("en");
    EXPECT_EQ(list.PrintingLanguage()->id, "English");
    list.SetPrintingLanguage("unknown");  // stays the user-interface language
    EXPECT_EQ(list.PrintingLanguage()->id, "Magyar");
}

TEST_F(LanguagesTest, PrintingModeSwitchesTheActiveLanguage) {
    list.Languages = {MakeLanguage("Magyar", "", true, true), MakeLanguage("English", "", true, false)};
    list.SetLanguage("Magyar");
    list.SetPrintingLanguage("English");
    EXPECT_EQ(list.GetString("NAME"), "Magyar");
    EXPECT_EQ(list.TranslateText("#NAME#"), "Magyar");
    list.PrintingMode = true;
    EXPECT_EQ(list.GetString("NAME"), "English");
    EXPECT_EQ(list.TranslateText("#NAME#"), "English");
    EXPECT_EQ(list.GetLanguageID(), "Magyar");  // the id is always the user-interface one
}

TEST_F(LanguagesTest, SelectionSurvivesLanguagesGrowing) {
    list.Languages = {MakeLanguage("A", "", true, true)};
    list.SetLanguage("A");
    list.SetPrintingLanguage("A");
    for (int i = 0; i < 100; ++i) list.Languages.push_back(MakeLanguage("more" + std::to_string(i), "", true, false));
    EXPECT_EQ(list.GetLanguageID(), "A");
    EXPECT_EQ(list.PrintingLanguage()->id, "A");
    list.Languages.clear();  // an index past the end reads as none
    EXPECT_EQ(list.CurrentLanguage(), nullptr);
    EXPECT_EQ(list.GetString("K"), "");
}

TEST_F(LanguagesTest, TranslateResStringExpandsTheRowInTheActiveLanguage) {
    TLanguage l = MakeLanguage("L", "", true, true);
    l.Strings["ID_ITEMRTF3"] = "Outer diameter";
    list.Languages = {l};
    list.SetLanguage("L");
    const std::string row = list.TranslateResString(130);
    EXPECT_NE(row.find("Outer diameter:\\tab %.1f\\tab mm\\par \r\n"), std::string::npos) << row;
    EXPECT_EQ(row.find('#'), std::string::npos);
}

}  // namespace
