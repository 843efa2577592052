#include "lang/StringTable.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

namespace {

using namespace std::literals;

const std::string kH1 = "\\pard\\plain \\s32\\f4\\fs20\\lang1038\\tqr\\tx3600\\tx3672\\tx5040\\tqr\\tx8640\\tx8712 ";
const std::string kH3 =
    "\\pard\\plain \\s32\\sb180\\sa180\\f4\\fs20\\lang1038\\tqr\\tx3600\\tx3672\\tx5040\\tqr\\tx8640\\tx8712 ";

TEST(StringTable, FixedNames) {
    EXPECT_EQ(LoadResString(16), "Rich Text Format");
    EXPECT_EQ(LoadResString(18), "KELVARIN Calculation Item");
}

TEST(StringTable, ProjectDataRowsEndInCrLf) {
    EXPECT_EQ(LoadResString(96), "\\pard\\tx1440\\plain\\f3\\fs20 {\\b #ID_PROJEKT0#:}\\tab %s\\par\r\n");
    EXPECT_EQ(LoadResString(99), "\\pard\\tx1440\\plain\\f3\\fs20 {\\b #ID_PROJEKT3#:}\\tab %s\\par\r\n");
    EXPECT_EQ(LoadResString(100), "\\tab %s\\par\r\n");
}

TEST(StringTable, ClauseRowsAndTheirOddEnding) {
    EXPECT_EQ(LoadResString(104), "\\pard\\plain \\s32\\sb180\\f4\\fs20\\lang1038 {\\b #ID_CLAUSOLE0# ");
    EXPECT_EQ(LoadResString(105), "#ID_CLAUSOLE1#\\par }\n\r");  // LF then CR
}

TEST(StringTable, ItemRowsByteForByte) {
    EXPECT_EQ(LoadResString(128),
              "\\pard\\plain \\s31\\sb180\\f4\\fs20\\lang1038\\tx5040\\tqr\\tx8640{\\b %s}\\par \r\n");
    EXPECT_EQ(LoadResString(132), kH1 + "{\\b #ID_ITEMRTF5#:}\\par #ID_ITEMRTF6#:\\tab %.1f * ");
    EXPECT_EQ(LoadResString(147), kH1 + "#ID_ITEMRTF22#:\\tab %4.4g\\tab W/mK\\par \r\n");
    EXPECT_EQ(LoadResString(150), "#ID_ITEMRTF25#:\\tab %.0f\\tab %%\\par \r\n");
    // No line end on 168, though it ends a paragraph.
    EXPECT_EQ(LoadResString(168).substr(LoadResString(168).size() - 5), "\\par "sv);
    EXPECT_EQ(LoadResString(180), kH3 + "{\\b #ID_ITEMRTF54#}\\par \r\n");
    EXPECT_EQ(LoadResString(192), "%4.4g\\tab #ID_ITEMRTF59#\\par \r\n");
}

TEST(StringTable, DegreeSignIsTheSingleByteB0) {
    EXPECT_EQ(LoadResString(149), kH1 + "#ID_ITEMRTF24#:\\tab %.1f\\tab \xB0" "C\\tab ");
    EXPECT_EQ(LoadResString(172), "#ID_ITEMRTF46#:\\tab %.1f\\tab \xB0" "C}\\par \r\n");
    for (const TResString& row : StringTable())
        for (const char c : row.text)
            EXPECT_TRUE(static_cast<unsigned char>(c) < 0x80 || static_cast<unsigned char>(c) == 0xB0)
                << "row " << row.id;
}

TEST(StringTable, HasExactlyTheRowsOfTheProgram) {
    std::set<int> ids;
    int previous = 0;
    for (const TResString& row : StringTable()) {
        EXPECT_GT(row.id, previous) << "rows must be sorted for the lookup";
        previous = row.id;
        ids.insert(row.id);
    }
    std::set<int> expected{16, 18, 96, 97, 98, 99, 100, 104, 105};
    for (int id = 128; id <= 200; ++id)
        if (id != 186 && id != 197) expected.insert(id);
    EXPECT_EQ(ids, expected);
    for (int absent : {0, 17, 101, 102, 103, 186, 197, 201})
        EXPECT_EQ(LoadResString(absent), "") << absent;
}

TEST(StringTable, EveryItemRowHasAtMostOneConversion) {
    const std::regex conversion(R"(%[-+ #0]*[0-9]*(\.[0-9]*)?[sdifgGeE])");
    for (const TResString& row : StringTable()) {
        const std::string text(row.text);
        const auto count = std::distance(std::sregex_iterator(text.begin(), text.end(), conversion),
                                         std::sregex_iterator());
        EXPECT_LE(count, 1) << "row " << row.id;
    }
}

}  // namespace
