#include "platform/base/StringList.h"

#include "platform/base/Exception.h"
#include "platform/base/StringStream.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Lines = std::vector<std::string>;

namespace {

TStringList ListOf(const Lines& lines) {
    TStringList list;
    for (const auto& line : lines) list.Add(line);
    return list;
}

}  // namespace

TEST(StringList, TextEndsEveryLineWithCrLf) {
    EXPECT_EQ(ListOf({"a", "b"}).Text(), "a\r\nb\r\n");
    EXPECT_EQ(ListOf({}).Text(), "");
    EXPECT_EQ(ListOf({""}).Text(), "\r\n");
    EXPECT_EQ(ListOf({"", "x", ""}).Text(), "\r\nx\r\n\r\n");
}

TEST(StringList, SettingTheTextSplitsAtCrLfCrOrLf) {
    struct Row {
        std::string text;
        Lines lines;
    };
    const std::vector<Row> rows{
        {"", {}},
        {"last", {"last"}},                   // no line end: still a line
        {"a\r\nb", {"a", "b"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\rb\nc", {"a", "b", "c"}},
        {"a\r\n\r\n", {"a", ""}},
        {"\n", {""}},
        {"\r", {""}},
        {"\n\n", {"", ""}},
        {"a\n\rb", {"a", "", "b"}},            // LF CR is two line ends
        {"a\r\r\nb", {"a", "", "b"}},
        {std::string("x\0y\r\n", 5), {std::string("x\0y", 3)}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        TStringList list = ListOf({"old"});
        list.SetText(row.text);  // replaces, never appends
        EXPECT_EQ(list.Lines(), row.lines);
    }
}

TEST(StringList, LinesSurviveTextRoundTrip) {
    const TStringList list = ListOf({"Budapest", "", "\xC1rv\xEDzt\xFBr\xF5 utca 1.", "  spaces  ", "tab\there"});
    TStringList back;
    back.SetText(list.Text());
    EXPECT_EQ(back, list);
}

TEST(StringList, EditingAndIndexErrors) {
    TStringList list;
    EXPECT_EQ(list.Add("b"), 0);
    EXPECT_EQ(list.Add("d"), 1);
    list.Insert(0, "a");
    list.Insert(2, "c");
    list.Insert(4, "e");
    EXPECT_EQ(list.Lines(), (Lines{"a", "b", "c", "d", "e"}));
    list.Delete(4);
    list.Delete(0);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Strings(0), "b");
    list[1] = "C";
    EXPECT_EQ(list[1], "C");
    EXPECT_THROW(list.Strings(3), EListError);
    EXPECT_THROW(list[-1], EListError);
    EXPECT_THROW(list.Delete(3), EListError);
    EXPECT_THROW(list.Insert(4, "x"), EListError);
    try {
        list.Delete(7);
        FAIL();
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (7)");
    }
    TStringList copy;
    copy.Assign(list);
    EXPECT_EQ(copy, list);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(copy.Count(), 3);
}

TEST(StringList, IndexOfIgnoresLetterCase) {
    const TStringList list = ListOf({"K\xF5zetgyapot", "\xC1sv\xE1nygyapot", "PUR", "pur"});
    EXPECT_EQ(list.IndexOf("\xE1SV\xC1NYGYAPOT"), 1);
    EXPECT_EQ(list.IndexOf("Pur"), 2);  // the first match
    EXPECT_EQ(list.IndexOf("PU"), -1);
    EXPECT_EQ(list.IndexOf(""), -1);
}

TEST(StringList, StreamsCarryTheText) {
    TStringStream stream("skip|one\r\ntwo");
    stream.SetPosition(5);
    TStringList list;
    list.LoadFromStream(stream);  // from the position on
    EXPECT_EQ(list.Lines(), (Lines{"one", "two"}));
    TStringStream out;
    list.SaveToStream(out);
    EXPECT_EQ(out.DataString(), "one\r\ntwo\r\n");
}
