#include "listheader/Listheaderformat.h"

#include "lang/Languages.h"
#include "listheader/TitleResources.h"
#include "platform/base/Registry.h"
#include "platform/base/SysUtils.h"
#include "platform/win/RegistryStore.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using A = THeaderAlignment;

// Ids in display order.
std::vector<int> ShownIds(const TListHeaderFormat& format) {
    std::vector<int> ids;
    for (int p = 0; p < format.ColumnCount(); ++p) ids.push_back(format.ColumnAt(p)->Id);
    return ids;
}

// A two-row format with one text column per id.
TListHeaderFormat FormatOf(const std::vector<int>& ids) {
    std::string text = "2\r\n" + std::to_string(ids.size()) + "\r\n";
    for (const int id : ids) text += "10\r\nSll" + std::to_string(id) + "\r\nT" + std::to_string(id) + "\r\n\r\n";
    TListHeaderFormat format;
    format.ReadTitleText(text);
    return format;
}

TEST(HeaderFormatTitle, FormatLineFields) {
    struct Row {
        const char* line;
        int digits, decimals;
        TValueKind kind;
        TFloatFormat floatFormat;
        bool showZero;
        A title, data;
        int id;
    };
    const Row rows[] = {
        {"5.2Frc7", 5, 2, TValueKind::Real, TFloatFormat::Fixed, false, A::Right, A::Center, 7},
        {"[1]3.1ecl12", 3, 1, TValueKind::Real, TFloatFormat::Scientific, true, A::Center, A::Left, 12},
        {"Ixr4", 5, 3, TValueKind::Integer, TFloatFormat::General, false, A::Left, A::Right, 4},
        {"8g", 8, 3, TValueKind::Real, TFloatFormat::General, true, A::Left, A::Left, 0},  // line ends early
        {"Scc99999", 5, 3, TValueKind::Text, TFloatFormat::General, true, A::Center, A::Center, 32767},
        {"1000.500Fll1", 99, 99, TValueKind::Real, TFloatFormat::Fixed, false, A::Left, A::Left, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        TListHeaderFormat format;
        format.ReadTitleText(std::string("1\r\n1\r\n50\r\n") + row.line + "\r\nTitle\r\n");
        ASSERT_EQ(format.ColumnCount(), 1);
        const TListHeaderFormatCol& c = format.Column(0);
        EXPECT_EQ(c.Digits, row.digits);
        EXPECT_EQ(c.Decimals, row.decimals);
        EXPECT_EQ(c.ValueKind, row.kind);
        EXPECT_EQ(c.FloatFormat, row.floatFormat);
        EXPECT_EQ(c.ShowZero, row.showZero);
        EXPECT_EQ(c.TitleAlignment, row.title);
        EXPECT_EQ(c.DataAlignment, row.data);
        EXPECT_EQ(c.Id, row.id);
        EXPECT_EQ(c.GetTitle(0), "Title");
    }
}

TEST(HeaderFormatTitle, Blocks) {
    struct Row {
        const char* name;
        const char* text;
        int rows;
        std::vector<int> ids;     // in display order, which is the index order
        std::vector<int> widths;  // negative: hidden
        std::vector<std::string> line1;
    };
    const Row rows[] = {
        {"inclusion [!1] drops its block",
         "2\r\n3\r\n10\r\nSll1\r\nA\r\na\r\n20\r\n[!1]Sll2\r\nB\r\nb\r\n-40\r\n[2]Sll3\r\nC\r\nc\r\n", 2, {1, 3},
         {10, -40}, {"a", "c"}},
        {"five announced, two present", "2\r\n5\r\n10\r\nSll1\r\nA\r\na\r\n20\r\nSll2\r\nB\r\nb\r\n", 2, {1, 2},
         {10, 20}, {"a", "b"}},
        {"an unfinished block is dropped", "2\r\n2\r\n10\r\nSll1\r\nA\r\na\r\n20\r\nSll2\r\nB", 2, {1}, {10}, {"a"}},
        {"a last line without its end counts", "1\r\n1\r\n7\r\nSll5\r\nE", 1, {5}, {7}, {""}},
        {"title lines past the second are dropped", "3\r\n1\r\n7\r\nSll5\r\nx\r\ny\r\nz\r\n8\r\nSll6\r\n", 3, {5},
         {7}, {"y"}},
        {"lone line feeds end lines too", "2\n1\n9\nSll4\nD\nd\n", 2, {4}, {9}, {"d"}},
        {"counts clamped to 0", "-3\r\n-1\r\n", 0, {}, {}, {}},
        {"empty text", "", 1, {}, {}, {}},
        {"ends after the row count", "2\r\n", 2, {}, {}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TListHeaderFormat format = FormatOf({9, 9, 9});  // replaced whole
        format.ReadTitleText(row.text);
        EXPECT_EQ(format.RowCount(), row.rows);
        EXPECT_EQ(ShownIds(format), row.ids);
        std::vector<int> widths;
        std::vector<std::string> line1;
        for (int i = 0; i < format.ColumnCount(); ++i) {
            const TListHeaderFormatCol& c = format.Column(i);
            widths.push_back(c.Visible ? c.Width : -c.Width);
            line1.push_back(c.GetTitle(1));
            EXPECT_EQ(format.Order()[static_cast<std::size_t>(i)], i);
        }
        EXPECT_EQ(widths, row.widths);
        EXPECT_EQ(line1, row.line1);
    }
}

TEST(HeaderFormatTitle, ResourcesByNameIgnoringCase) {
    RegisterTitleResource("ResourceTest", "1\r\n1\r\n5\r\nSll3\r\nX\r\n");
    TListHeaderFormat format = FormatOf({1, 2});
    EXPECT_EQ(format.LoadFromResource("RESOURCETEST"), 1);
    EXPECT_EQ(ShownIds(format), std::vector<int>{3});
    EXPECT_EQ(format.LoadFromResource("NoSuchHeader"), 1);
    EXPECT_EQ(ShownIds(format), std::vector<int>{3});  // unchanged
}

TEST(HeaderFormatRegistry, ColumnValues) {
    struct Row {
        const char* value;
        bool visible;
        int width;
        A title, data;
        TValueKind kind;
        TFloatFormat floatFormat;
        int digits, decimals;
        bool showZero;
        const char* written;  // what the column writes back
    };
    const Row rows[] = {
        {"50cl5.3f", true, 50, A::Center, A::Left, TValueKind::Real, TFloatFormat::Fixed, 5, 3, true, "50cl5.3f"},
        {"-12rrI", false, 12, A::Right, A::Right, TValueKind::Integer, TFloatFormat::General, 5, 3, false, "-12rrI"},
        {"12rri", true, 12, A::Right, A::Right, TValueKind::Integer, TFloatFormat::General, 5, 3, true, "12rri"},
        {"7lrS", true, 7, A::Left, A::Right, TValueKind::Text, TFloatFormat::General, 5, 3, true, "7lrs"},
        {"30xx2.0E", true, 30, A::Left, A::Left, TValueKind::Real, TFloatFormat::Scientific, 2, 0, false, "30ll2.0E"},
        // A missing part leaves the fields from there on as they were.
        {"25r", true, 25, A::Right, A::Left, TValueKind::Text, TFloatFormat::General, 5, 3, true, "25rls"},
        {"-", false, 50, A::Left, A::Left, TValueKind::Text, TFloatFormat::General, 5, 3, true, "-50lls"},
        {"99999cc", true, 32767, A::Center, A::Center, TValueKind::Text, TFloatFormat::General, 5, 3, true,
         "32767ccs"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.value);
        TListHeaderFormatCol c;
        c.ReadRegistryValue(row.value);
        EXPECT_EQ(c.Visible, row.visible);
        EXPECT_EQ(c.Width, row.width);
        EXPECT_EQ(c.TitleAlignment, row.title);
        EXPECT_EQ(c.DataAlignment, row.data);
        EXPECT_EQ(c.ValueKind, row.kind);
        EXPECT_EQ(c.FloatFormat, row.floatFormat);
        EXPECT_EQ(c.Digits, row.digits);
        EXPECT_EQ(c.Decimals, row.decimals);
        EXPECT_EQ(c.ShowZero, row.showZero);
        EXPECT_FALSE(c.UserDefined);
        EXPECT_EQ(c.RegistryValue(), row.written);
    }
}

TEST(HeaderFormatRegistry, OrderTexts) {
    struct Row {
        const char* order;
        std::vector<int> shown;
    };
    // Columns with ids 1, 2, 3, 4 in this index order.
    const Row rows[] = {
        {"2", {2, 1, 3, 4}},
        {"4,3,2,1", {4, 3, 2, 1}},
        {"2,x,4,3", {2, 1, 3, 4}},     // reading stops at x
        {"3,3,1", {3, 1, 2, 4}},       // an id already placed is not placed again
        {"9,-1,2", {2, 1, 3, 4}},      // ids that name no column are skipped
        {"5,6,7,8,2", {1, 2, 3, 4}},   // at most four ids are taken
        {",,4", {4, 1, 2, 3}},
        {"", {1, 2, 3, 4}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.order);
        TListHeaderFormat format = FormatOf({1, 2, 3, 4});
        format.SwapColumns(0, 3);  // reading starts from the index order
        format.ReadOrderText(row.order);
        EXPECT_EQ(ShownIds(format), row.shown);
    }
}

class HeaderFormatStore : public ::testing::Test {
protected:
    void TearDown() override { SetDecimalSeparator('.'); }

    testing_support::ScopedMachineRoot machine_;
};

TEST_F(HeaderFormatStore, SaveWritesOrderAndColumnsUnderTheHeadersKey) {
    TListHeaderFormat format = FormatOf({1, 2, 3});
    format.SwapColumns(0, 2);  // 3, 2, 1
    format.SwapColumns(1, 2);  // 3, 1, 2
    format.Column(0).ValueKind = TValueKind::Real;
    format.SaveToRegistry("TESTPROG", "Items");

    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey("Software\\Lumivar\\TESTPROG\\Headers\\Items", false));
    EXPECT_EQ(registry.ReadString("Order"), "3,1,2");
    EXPECT_EQ(registry.ReadString("1"), "10ll5.3g");
    EXPECT_EQ(registry.ReadString("2"), "10lls");

    TListHeaderFormat loaded = FormatOf({1, 2, 3});
    loaded.LoadFromRegistry("TESTPROG", "Items");
    EXPECT_EQ(loaded, format);
}

TEST_F(HeaderFormatStore, UserColumnsRoundTripUnderAnyDecimalSeparator) {
    struct Row {
        const char* name;
        float factor;
        char writtenWith, readWith;
        const char* factorText;
    };
    const Row rows[] = {
        {"plain", 2.5f, '.', '.', "2.5"},
        {"written under a comma locale", 2.5f, ',', '.', "2,5"},
        {"read under a comma locale", 0.25f, '.', ',', "0.25"},
        {"exponent form", 1e-5f, ',', '.', "9,99999974737875E-6"},
        {"fifteen digits", 1.1f, '.', ',', "1.10000002384186"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TListHeaderFormat format = FormatOf({1, 2});
        TListHeaderFormatCol& c = format.Column(1);
        c.UserDefined = true;
        c.SetUserLine(0, "A\\u2");
        c.SetUserLine(1, "B");
        c.Factor = row.factor;
        SetDecimalSeparator(row.writtenWith);
        format.SaveToRegistry("TESTPROG", "User");
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey("Software\\Lumivar\\TESTPROG\\Headers\\User", false));
        EXPECT_EQ(registry.ReadString("2"), std::string("10lls@A\\u2@B@") + row.factorText);

        SetDecimalSeparator(row.readWith);
        TListHeaderFormat loaded = FormatOf({1, 2});
        loaded.LoadFromRegistry("TESTPROG", "User");
        EXPECT_EQ(loaded, format);
        EXPECT_EQ(loaded.Column(1).Factor, row.factor);
    }
}

TEST_F(HeaderFormatStore, DamagedLayoutsNeverFailTheLoad) {
    struct Row {
        const char* name;
        const char* value;
        float factor;  // what column 2 holds afterwards
        std::string line0;
    };
    const Row rows[] = {
        {"factor that is no number", "10ll@x@y@abc", 3.0f, "x"},
        {"factor beyond a float", "10ll@x@y@1E300", 3.0f, "x"},
        {"no factor", "10ll@x@y", 3.0f, "x"},
        {"only a first line", "10ll@only", 3.0f, "only"},
        {"good factor with a comma", "10ll@x@y@0,5", 0.5f, "x"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        {
            TRegistry registry;
            ASSERT_TRUE(registry.OpenKey("Software\\Lumivar\\TESTPROG\\Headers\\Bad", true));
            registry.WriteInteger("Order", 7);  // of another type
            registry.WriteString("2", row.value);
            registry.WriteInteger("1", 3);
        }
        TListHeaderFormat format = FormatOf({1, 2});
        format.Column(1).Factor = 3.0f;
        EXPECT_NO_THROW(format.LoadFromRegistry("TESTPROG", "Bad"));
        EXPECT_EQ(ShownIds(format), (std::vector<int>{1, 2}));
        EXPECT_EQ(format.Column(0), FormatOf({1, 2}).Column(0));
        EXPECT_TRUE(format.Column(1).UserDefined);
        EXPECT_EQ(format.Column(1).GetUserLine(0), row.line0);
        EXPECT_EQ(format.Column(1).Factor, row.factor);
    }
}

TEST_F(HeaderFormatStore, NoKeyNoNameNothingDone) {
    TListHeaderFormat format = FormatOf({1});
    format.SaveToRegistry("TESTPROG", "");
    EXPECT_FALSE(win::RegKeyExists(win::HKey::CurrentUser, "Software\\Lumivar\\TESTPROG\\Headers"));
    win::RegSetKeyAccessForTesting(win::HKey::CurrentUser, "Software", win::RegTestAccess::ReadOnly);
    format.SaveToRegistry("TESTPROG", "Items");
    format.LoadFromRegistry("TESTPROG", "Items");
    win::RegSetKeyAccessForTesting(win::HKey::CurrentUser, "Software", win::RegTestAccess::Full);
    EXPECT_FALSE(win::RegKeyExists(win::HKey::CurrentUser, "Software\\Lumivar"));
    EXPECT_EQ(format, FormatOf({1}));
}

TEST(HeaderFormatTitles, ActiveLanguagePutsItsTitlesIn) {
    struct Row {
        const char* name;
        const char* title;  // the language's <title> element
        bool active;
        std::vector<std::string> lines;  // column 7's lines 0 and 1, then column 3's line 1
    };
    const Row rows[] = {
        {"row 2 sets line 1", "<columnitem id=\"7\" row=\"2\">second</columnitem>", true, {"T7", "second", ""}},
        {"row 1 sets line 0 of every column with the id",
         "<columnitem id=\"7\" row=\"1\">first</columnitem>", true, {"first", "", ""}},
        {"row 3 on two rows is ignored", "<columnitem id=\"7\" row=\"3\">x</columnitem>", true, {"T7", "", ""}},
        {"row 0 is ignored", "<columnitem id=\"3\" row=\"0\">x</columnitem>", true, {"T7", "", ""}},
        {"no active language", "<columnitem id=\"7\" row=\"2\">second</columnitem>", false, {"T7", "", ""}},
    };
    TLanguages languages;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        languages.Languages = {ReadLanguage(std::string("<language id=\"L\" UserInterface=\"yes\"></language>"
                                                        "<title name=\"Other\"><columnitem id=\"7\" row=\"2\">no"
                                                        "</columnitem></title><title name=\"Items\">") +
                                            row.title + "</title>")};
        languages.SetLanguage(row.active ? "L" : "none");
        TListHeaderFormat format = FormatOf({7, 3, 7});
        languages.TranslateHeader(format, "Items");
        EXPECT_EQ((std::vector<std::string>{format.Column(0).GetTitle(0), format.Column(0).GetTitle(1),
                                            format.Column(1).GetTitle(1)}),
                  row.lines);
        EXPECT_EQ(format.Column(2).GetTitle(0), format.Column(0).GetTitle(0));
    }
}

}  // namespace
