#include "data/Xmlmacro.h"

#include "DataTestHelpers.h"
#include "data/XmlParser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using XmlmacroReadTest = XmlMacroStateTest;

TEST_F(XmlmacroReadTest, ReadsTheMacrosOfTheDataBaseLanguage) {
    DeviceDbLanguage = "HU";
    XmlMacros = {{"OLD", "gone"}};
    XmlParserAt at(
        "<DBGlobalMacro>"
        "<Macro ID=\"MW\">Mineral wool</Macro>"
        "<Macro ID=\"T\" Language=\"EN\">tube</Macro>"
        "<Macro ID=\"T\" Language=\"any\">cs\xF5</Macro>"
        "<Macro ID=\"X\" Language=\"hu\">case differs</Macro>"
        "<Macro ID=\"H\" Language=\"HU\">h\xE9j</Macro>"
        "<Macro ID=\"MW\">\xC1sv\xE1nygyapot</Macro>"
        "</DBGlobalMacro><Macro ID=\"AFTER\">not read</Macro>",
        "DBGlobalMacro");
    ReadXmlMacros(at.parser);
    // The table was emptied; MW was replaced in its place.
    EXPECT_EQ(XmlMacros, (std::vector<TXMLMacroItem>{{"MW", "\xC1sv\xE1nygyapot"}, {"T", "cs\xF5"}, {"H", "h\xE9j"}}));
    ASSERT_TRUE(at.parser.Scan());  // the scan goes on after the end tag
    EXPECT_EQ(at.parser.PartName(), "Macro");
}

TEST_F(XmlmacroReadTest, MacroWhoseValueHoldsItsIdIsRefused) {
    XmlParserAt at(
        "<DBGlobalMacro><Macro ID=\"A\">first</Macro><Macro ID=\"A\">xAx</Macro>"
        "<Macro ID=\"B\">b</Macro></DBGlobalMacro>",
        "DBGlobalMacro");
    ReadXmlMacros(at.parser);
    EXPECT_EQ(XmlMacros, (std::vector<TXMLMacroItem>{{"A", "first"}, {"B", "b"}}));
    EXPECT_EQ(ExpandXmlMacros("A-B"), "first-b");
}

TEST_F(XmlmacroReadTest, EmptyMacroTagAddsNothingAndSwallowsNothing) {
    XmlParserAt at("<DBGlobalMacro><Macro ID=\"E\"/><Macro ID=\"F\">f</Macro></DBGlobalMacro>", "DBGlobalMacro");
    ReadXmlMacros(at.parser);
    EXPECT_EQ(XmlMacros, (std::vector<TXMLMacroItem>{{"F", "f"}}));
}

TEST_F(XmlmacroReadTest, ReadXmlMacroTakesTheLastContent) {
    XmlParserAt at("<Macro ID=\"M\">one<!-- note -->two</Macro>", "Macro");
    TXMLMacroItem item;
    EXPECT_TRUE(ReadXmlMacro(item, at.parser));
    EXPECT_EQ(item, (TXMLMacroItem{"M", "two"}));

    XmlParserAt cut("<Macro ID=\"M\">never ended", "Macro");
    EXPECT_FALSE(ReadXmlMacro(item, cut.parser));

    DeviceDbLanguage = "EN";
    XmlParserAt other("<Macro ID=\"M\" Language=\"en\">x</Macro>", "Macro");
    EXPECT_FALSE(ReadXmlMacro(item, other.parser));
    EXPECT_TRUE(other.parser.Scan());  // not consumed: the content is next
    EXPECT_EQ(other.parser.PartContent(), "x");
}

TEST_F(XmlmacroReadTest, LanguageMatches) {
    DeviceDbLanguage = "EN";
    const struct {
        const char* tag;
        bool matches;
    } cases[] = {
        {"<ItemName>", true},
        {"<ItemName Language=\"\">", true},
        {"<ItemName Language=\"any\">", true},
        {"<ItemName Language=\"EN\">", true},
        {"<ItemName Language=\"en\">", false},
        {"<ItemName Language=\"ANY\">", false},
        {"<ItemName Language=\"HU\">", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tag);
        XmlParserAt at(c.tag, "ItemName");
        EXPECT_EQ(LanguageMatches(at.parser), c.matches);
    }
}

}  // namespace
