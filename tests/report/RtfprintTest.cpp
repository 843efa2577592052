#include "report/Rtfprint.h"

#include "platform/base/Exception.h"
#include "platform/base/StringStream.h"
#include "support/FakeCanvas.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

using testing_support::TFakeCanvas;

namespace {

// At 72 pixels per inch a twip is 1/20 pixel, and the fake canvas's 10-point
// characters are 5 pixels wide and 10 high.
struct Layout {
    explicit Layout(const std::string& rtf, int ppi = 72, int width = 1000, bool measureOnly = false,
                 std::string reportName = "Arial", int reportSize = 10)
        : canvas(ppi), rect{0, 100, width, 10000} {
        TStringStream stream(rtf);
        RTFPrint print(std::move(reportName), reportSize);
        print.MeasureOnly = measureOnly;
        print.Render(canvas, rect, stream);
    }
    const TFakeCanvas::Text& Last() const { return canvas.texts.back(); }
    std::vector<std::string> Words() const {
        std::vector<std::string> words;
        for (const auto& t : canvas.texts) words.push_back(t.Bytes);
        return words;
    }
    TFakeCanvas canvas;
    TRect rect;
};

}  // namespace

TEST(Rtfprint, TokensAndWhatTheyConsume) {
    struct Case {
        std::string input;
        int kind, parameter;
        std::string text;
        int end;
    };
    const Case cases[] = {
        {"\\pard x", RTFPrint::kPard, 1, "", 6},        {"\\par x", RTFPrint::kPar, 1, "", 5},
        {"\\plain  x", RTFPrint::kIgnored, 1, "", 7},   {"\\fs24 x", RTFPrint::kFs, 24, "", 6},
        {"\\fs24x", RTFPrint::kFs, 24, "", 5},          {"\\li-5 ", RTFPrint::kLi, -5, "", 6},
        {"\\s31\\sb180", RTFPrint::kIgnored, 31, "", 4}, {"\\'e9", RTFPrint::kIgnored, 1, "", 1},
        {"\\\\x", RTFPrint::kText, 1, "\\", 2},          {"\\{", RTFPrint::kText, 1, "{", 2},
        {"\tx", RTFPrint::kTab, 1, "", 1},              {"\rx", RTFPrint::kIgnored, 1, "", 1},
        {"\\", RTFPrint::kIgnored, 1, "", 1},           {"ab \\par", RTFPrint::kText, 1, "ab ", 3},
        {std::string("a\0b{", 4), RTFPrint::kText, 1, std::string("a\0b", 3), 3},
        {"\\li99999999999 ", RTFPrint::kLi, INT_MAX, "", 15}, {"\\li-99999999999", RTFPrint::kLi, INT_MIN, "", 15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        TStringStream stream(c.input);
        RTFPrint print;
        ASSERT_TRUE(print.NextToken(stream));
        EXPECT_EQ(print.TokenKind, c.kind);
        EXPECT_EQ(print.TokenParameter, c.parameter);
        EXPECT_EQ(print.TokenText, c.text);
        EXPECT_EQ(stream.Position(), c.end);
    }
}

TEST(Rtfprint, SignWithoutDigitsIsAConversionError) {
    EXPECT_THROW(Layout("a\\li- b"), EConvertError);
    EXPECT_THROW(Layout("\\fs-"), EConvertError);
}

// The item title row at a report size of 9 and 300 pixels per inch.
TEST(Rtfprint, TitleRowWorkedExample) {
    const Layout run("\\pard\\plain \\s31\\sb180\\f4\\fs20\\lang1038\\tx5040\\tqr\\tx8640{\\b Title}\\par a\\tab b\\tab c",
                  300, 2400, false, "Arial", 9);
    ASSERT_EQ(run.Words(), (std::vector<std::string>{"Title", "a", "b", "c"}));
    const auto& title = run.canvas.texts[0];
    EXPECT_EQ(title.Y, 100 + 37);  // 180 twips
    EXPECT_EQ(title.X, 0);
    EXPECT_TRUE(title.Font.Style().Bold);
    EXPECT_EQ(title.Font.Size(), 9);
    EXPECT_EQ(title.Font.Name(), "Arial");
    EXPECT_FALSE(run.canvas.texts[1].Font.Style().Bold);
    EXPECT_EQ(run.canvas.texts[1].Y, 100 + 37 + 37 + 37);  // the paragraph's height, then the next one's space
    EXPECT_EQ(run.canvas.texts[2].X, 1050);
    EXPECT_EQ(run.canvas.texts[3].X, 1800 - 18);  // ends at the right stop
}

TEST(Rtfprint, BlanksAfterWordsAreEatenOnceAndKeptInText) {
    struct Case {
        std::string rtf;
        std::vector<std::string> words;
    };
    const Case cases[] = {
        {"\\b x", {"x"}},        {"\\b  x", {" x"}},     {"\\fs20 x", {"x"}},
        {"a  b", {"a", " ", " b"}}, {"\\'e9", {"'e9"}}, {"x\r\ny", {"x", "y"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rtf);
        EXPECT_EQ(Layout(c.rtf).Words(), c.words);
    }
}

TEST(Rtfprint, TabsMoveToStops) {
    struct Case {
        std::string rtf;
        int lastX;
    };
    const Case cases[] = {
        {"\\tx400 a\tb", 20},                 // a TAB is \tab
        {"\\tx400 a\\tab b", 20},
        {"\\li200\\fi-200 a\\tab b", 10},      // before the left indent: to it
        {"\\tx100 aaaaa\\tab b", 25},          // past every stop: stays
        {"\\tqr\\tx400 a\\tab 12", 10},        // ends at the right stop
        {"\\tqr\\tx400 aa\\tab 12", 10},       // would end exactly there: follows directly
        {"\\tqr\\tx400 aaaaaaa\\tab 12", 35},  // no room before the stop
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rtf);
        EXPECT_EQ(Layout(c.rtf).Last().X, c.lastX);
    }
}

TEST(Rtfprint, WordWrapsOnlyWhenItWouldPassTheRightEdge) {
    struct Case {
        int width;
        int x, y;
        std::string word;
    };
    for (const Case& c : {Case{25, 10, 100, " bb"}, Case{24, 0, 110, "bb"}, Case{3, 0, 120, "bb"}}) {
        SCOPED_TRACE(c.width);
        const Layout run("aa bb", 72, c.width);
        EXPECT_EQ(run.Last().X, c.x);
        EXPECT_EQ(run.Last().Y, c.y);
        EXPECT_EQ(run.Last().Bytes, c.word);
    }
}

TEST(Rtfprint, ScriptsShrinkAndShiftUntilTheGroupCloses) {
    for (const bool super : {true, false}) {
        SCOPED_TRACE(super);
        const Layout run(super ? "m{\\super 3}m" : "m{\\sub 3}m");
        ASSERT_EQ(run.canvas.texts.size(), 3u);
        const auto& script = run.canvas.texts[1];
        EXPECT_EQ(script.Font.Size(), 8);
        EXPECT_EQ(script.X, 5);
        EXPECT_EQ(script.Y, super ? 98 : 105);  // trunc(8 x -0.2 + 100), trunc(8 x 0.66 + 100)
        EXPECT_EQ(run.Last().Font.Size(), 10);
        EXPECT_EQ(run.Last().Y, 100);
        EXPECT_EQ(run.Last().X, 9);
    }
}

TEST(Rtfprint, LoneCloseReachesTheBaseStyle) {
    const Layout run("}\\b a\\pard b{\\pard c}");
    for (const auto& text : run.canvas.texts) EXPECT_TRUE(text.Font.Style().Bold) << text.Bytes;
    EXPECT_FALSE(Layout("{\\b a}\\pard b").Last().Font.Style().Bold);
}

TEST(Rtfprint, SizesAndFacesReferToTheEffectiveReportFont) {
    struct Case {
        std::string reportName;
        int reportSize;
        std::string rtf;
        int size;
        std::string name;
        bool bold;
    };
    const Case cases[] = {
        {"Arial", 9, "\\fs a", 0, "Arial", false},       {"Arial", 9, "\\fs24 a", 10, "Arial", false},
        {"", 0, "\\fs20 a", 8, "MS Sans Serif", false},  {"", 0, "\\fs24\\f4 a", 9, "MS Sans Serif", false},
        {"Arial", 9, "\\f a", 9, "Symbol", false},       {"Arial", 9, "\\f1\\f3 a", 9, "Arial", false},
        {"Arial", 9, "\\b a", 9, "Arial", true},         {"Arial", 9, "\\b\\b0 a", 9, "Arial", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rtf);
        const Layout run(c.rtf, 72, 1000, false, c.reportName, c.reportSize);
        EXPECT_EQ(run.Last().Font.Size(), c.size);
        EXPECT_EQ(run.Last().Font.Name(), c.name);
        EXPECT_EQ(run.Last().Font.Style().Bold, c.bold);
    }
}

TEST(Rtfprint, EmptyParagraphsTakeTheHeightOfZeroAndTheirSpacing) {
    EXPECT_EQ(Layout("\\sb100\\sa40 \\par\\par").rect.Top, 100 + 2 * (5 + 10 + 2));
    EXPECT_EQ(Layout("\\pard\\par").rect.Top, 110);
}

TEST(Rtfprint, MeasureOnlyEndsWhereDrawingEnds) {
    const std::string texts[] = {
        "\\sb180\\sa60 first paragraph of several words\\par second {\\super 2} line\\par",
        "\\li400\\fi-200 a long line that wraps more than once across the narrow box\\par x",
        "\\tqr\\tx800 a\\tab 123\\par\\par\\fs40 big words wrap too",
    };
    for (const std::string& rtf : texts) {
        SCOPED_TRACE(rtf);
        const Layout drawn(rtf, 72, 60);
        const Layout measured(rtf, 72, 60, true);
        EXPECT_FALSE(drawn.canvas.texts.empty());
        EXPECT_TRUE(measured.canvas.texts.empty());
        EXPECT_EQ(measured.rect.Top, drawn.rect.Top);
    }
}

// The report measures a block and then draws it with the same object: what
// the first run leaves on the canvas must not reach the second.
TEST(Rtfprint, MeasuringFirstChangesNeitherHeightNorSizes) {
    struct Case {
        std::string rtf;
        std::string reportName;
        int reportSize;
    };
    const Case cases[] = {
        {"\\sb144\\f4\\fs16 Product 1.00", "Arial", 10},  // ends smaller
        {"a\\par m{\\super 2}", "Arial", 10},              // ends in a superscript
        {"\\fs24 big\\par x", "Arial", 10},                // ends larger
        {"\\fs24 big\\par x", "", 0},                      // the canvas font's own
    };
    const auto sizes = [](const TFakeCanvas& canvas) {
        std::vector<int> out;
        for (const auto& text : canvas.texts) out.push_back(text.Font.Size());
        return out;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rtf + " / " + c.reportName);
        const Layout fresh(c.rtf, 72, 1000, false, c.reportName, c.reportSize);
        TFakeCanvas canvas(72);
        RTFPrint print(c.reportName, c.reportSize);
        TStringStream stream(c.rtf);
        TRect measured{0, 100, 1000, 10000};
        TRect drawn = measured;
        print.MeasureOnly = true;
        print.Render(canvas, measured, stream);
        stream.SetPosition(0);
        print.MeasureOnly = false;
        print.Render(canvas, drawn, stream);
        EXPECT_EQ(measured.Top, fresh.rect.Top);
        EXPECT_EQ(drawn.Top, fresh.rect.Top);
        EXPECT_EQ(sizes(canvas), sizes(fresh.canvas));
    }
}
