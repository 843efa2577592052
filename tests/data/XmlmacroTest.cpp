#include "data/Xmlmacro.h"

#include "DataTestHelpers.h"
#include "lang/Languages.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

namespace {

class XmlmacroTest : public XmlMacroStateTest {
protected:
    void TearDown() override {
        XmlMacroStateTest::TearDown();
        LanguageList = std::make_unique<TLanguages>();
    }
};

TEST_F(XmlmacroTest, LaterEntriesActOnEarlierValuesOnly) {
    XmlMacros = {{"A", "x"}, {"B", "A"}};
    EXPECT_EQ(ExpandXmlMacros("B"), "A");  // A came before B in the table
    XmlMacros = {{"B", "A"}, {"A", "x"}};
    EXPECT_EQ(ExpandXmlMacros("B"), "x");
}

TEST_F(XmlmacroTest, TextWithoutIdAndEmptyTableAreUnchanged) {
    EXPECT_EQ(ExpandXmlMacros("Mineral wool $1"), "Mineral wool $1");
    XmlMacros = {{"MW", "Mineral wool"}};
    EXPECT_EQ(ExpandXmlMacros("Glass wool"), "Glass wool");
    EXPECT_EQ(ExpandXmlMacros("MW shell, MW mat"), "Mineral wool shell, Mineral wool mat");
    EXPECT_EQ(ExpandXmlMacros(""), "");
}

TEST_F(XmlmacroTest, EmptyIdChangesNothing) {
    EXPECT_EQ(ReplaceAllOccurrences({"", "boom"}, "text"), "text");
}

TEST_F(XmlmacroTest, OccurrencesFormedByTheJoinAreReplacedToo) {
    // "abb" -> "a" + "b" = "ab" -> "a".
    EXPECT_EQ(ReplaceAllOccurrences({"ab", "a"}, "abb"), "a");
    // The start of the value joins the text before it: "xa" + "b"... "a" + "b".
    EXPECT_EQ(ReplaceAllOccurrences({"ab", "b"}, "aab"), "b");
    EXPECT_EQ(ReplaceAllOccurrences({"%", "percent"}, "10% of 20%"), "10percent of 20percent");
}

TEST_F(XmlmacroTest, RunawayExpansionStopsAtTheLimit) {
    // "bbaa" doesn't hold "ab", yet in "aab" every replacement makes a new
    // "ab" at the join: aab -> abbaa -> bbaabaa -> ...
    const auto start = std::chrono::steady_clock::now();
    const std::string result = ReplaceAllOccurrences({"ab", "bbaa"}, "aab");
    EXPECT_LE(result.size(), 3 + kXmlMacroExpansionLimit);
    EXPECT_GT(result.size(), kXmlMacroExpansionLimit / 2);
    EXPECT_EQ(result.substr(0, 4), "bbbb");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));

    // A value that holds its own id, put in the table by hand.
    XmlMacros = {{"A", "AA"}, {"B", "b"}};
    const std::string expanded = ExpandXmlMacros("A B");
    EXPECT_LE(expanded.size(), 3 + kXmlMacroExpansionLimit * 2);
    EXPECT_NE(expanded.find("B"), std::string::npos);  // stopped before the next entry
}

TEST_F(XmlmacroTest, SetDeviceDbLanguage) {
    SetDeviceDBLanguage("EN");
    EXPECT_EQ(DeviceDbLanguage, "EN");
    SetDeviceDBLanguage("");
    EXPECT_EQ(DeviceDbLanguage, "");  // no language selected

    TLanguage hungarian;
    hungarian.id = "Magyar";
    hungarian.UserInterface = true;
    hungarian.Strings["IDS_DEVICEDBLANGUAGE"] = "HU";
    TLanguage english;
    english.id = "English";
    english.Strings["IDS_DEVICEDBLANGUAGE"] = "EN";
    LanguageList->Languages = {hungarian, english};
    LanguageList->SetLanguage("Magyar");
    LanguageList->SetPrintingLanguage("English");
    LanguageList->PrintingMode = true;  // the user-interface language counts even so
    SetDeviceDBLanguage("");
    EXPECT_EQ(DeviceDbLanguage, "HU");
}

}  // namespace
