#include "listheader/Listheaderformat.h"

#include "lang/Languages.h"
#include "platform/base/Registry.h"
#include "platform/base/SysUtils.h"
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

// A column's fields shown as its registry value, with its id and title lines.
std::string Fields(const TListHeaderFormatCol& c) {
    return c.RegistryValue() + " #" + std::to_string(c.Id) + " " + c.GetTitle(0) + "|" + c.GetTitle(1);
}

TEST(HeaderFormatTitle, FormatLines) {
    const char* const rows[][2] = {
        // digits 5, decimals 2, fixed, zeros hidden, title right, data centre, id 7
        {"5.2Frc7", "50rc5.2F #7 T|"},
        {"[1]3.1ecl12", "50cl3.1e #12 T|"},
        {"1000.500g", "50ll99.99g #0 T|"},  // clamped; the line ends early
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row[0]);
        TListHeaderFormat format;
        format.ReadTitleText(std::string("1\r\n1\r\n50\r\n") + row[0] + "\r\nT\r\n");
        ASSERT_EQ(format.ColumnCount(), 1);
        EXPECT_EQ(Fields(format.Column(0)), row[1]);
    }
}

TEST(HeaderFormatTitle, Blocks) {
    struct Row {
        const char* name;
        const char* text;
        int rows;
        std::vector<std::string> columns;  // in display order, which is the index order
    };
    const Row rows[] = {
        {"[!1] drops its block, -40 is hidden",
         "2\r\n3\r\n10\r\nSll1\r\nA\r\na\r\n20\r\n[!1]Sll2\r\nB\r\nb\r\n-40\r\n[2]Sll3\r\nC\r\nc\r\n", 2,
         {"10lls #1 A|a", "-40lls #3 C|c"}},
        {"five announced, two present", "2\r\n5\r\n10\r\nSll1\r\nA\r\na\r\n20\r\nSll2\r\nB\r\nb\r\n", 2,
         {"10lls #1 A|a", "20lls #2 B|b"}},
        {"an unfinished block is dropped", "2\r\n2\r\n10\r\nSll1\r\nA\r\na\r\n20\r\nSll2\r\nB", 2, {"10lls #1 A|a"}},
        {"lines past the second are dropped", "3\r\n1\r\n7\r\nSll5\r\nx\r\ny\r\nz\r\n8\r\n", 3, {"7lls #5 x|y"}},
        {"counts clamped to 0", "-3\r\n-1\r\n", 0, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TListHeaderFormat format = FormatOf({9, 9, 9});  // replaced whole
        format.ReadTitleText(row.text);
        EXPECT_EQ(format.RowCount(), row.rows);
        std::vector<std::string> columns;
        for (int p = 0; p < format.ColumnCount(); ++p) {
            columns.push_back(Fields(*format.ColumnAt(p)));
            EXPECT_EQ(format.Order()[static_cast<std::size_t>(p)], p);
        }
        EXPECT_EQ(columns, row.columns);
    }
}

TEST(HeaderFormatRegistry, ColumnValues) {
    const char* const rows[][2] = {
        {"50cl5.3f", "50cl5.3f"},  // centre, left, real 5 digits 3 decimals fixed, zeros shown
        {"-12rrI", "-12rrI"},      // hidden, right, right, integer, zeros hidden
        {"12rri", "12rri"},
        {"30xx2.0E", "30ll2.0E"},
        {"25r", "25rls"},  // a missing part leaves the fields from there on as they were
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row[0]);
        TListHeaderFormatCol c;
        c.ReadRegistryValue(row[0]);
        EXPECT_EQ(c.RegistryValue(), row[1]);
    }
    TListHeaderFormatCol c;
    c.ReadRegistryValue("-12rrI");
    EXPECT_EQ((std::vector<int>{c.Visible, c.Width, int(c.TitleAlignment), int(c.ValueKind), c.ShowZero}),
              (std::vector<int>{false, 12, int(A::Right), int(TValueKind::Integer), false}));
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
        {"5,6,7,8,2", {1, 2, 3, 4}},   // at most four ids are taken
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
        {"written under a comma locale", 2.5f, ',', '.', "2,5"},
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
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey("Software\\Lumivar\\TESTPROG\\Headers\\Bad", true));
        registry.WriteInteger("Order", 7);  // of another type
        registry.WriteInteger("1", 3);
        registry.WriteString("2", "10lls@x@y@abc");   // a factor that is no number
        registry.WriteString("3", "10lls@z@y@1E300");  // one beyond a float
        registry.WriteString("4", "10ll@w@y@0,5");    // no kind letter; a comma
    }
    TListHeaderFormat format = FormatOf({1, 2, 3, 4});
    for (int i = 0; i < 4; ++i) format.Column(i).Factor = 3.0f;
    EXPECT_NO_THROW(format.LoadFromRegistry("TESTPROG", "Bad"));
    EXPECT_EQ(ShownIds(format), (std::vector<int>{1, 2, 3, 4}));
    std::vector<std::string> read;
    for (int i = 0; i < 4; ++i) read.push_back(format.Column(i).GetUserLine(0) + FloatToStr(format.Column(i).Factor));
    EXPECT_EQ(read, (std::vector<std::string>{"3", "x3", "z3", "w0.5"}));
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
