#include "data/ParserStream.h"

#include "platform/base/Exception.h"
#include "platform/base/SysUtils.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// The message of the exception `read` raises; "" when it raises none.
std::string ErrorOf(const std::function<void()>& read) {
    try {
        read();
    } catch (const Exception& e) {
        return e.Message();
    }
    return {};
}

}  // namespace

TEST(ParserStream, LinesSplitAtEveryLineEnd) {
    TParserStream p("a\r\nb\rc\nd");
    ASSERT_EQ(p.Count(), 4);
    EXPECT_EQ(p.Strings(3), "d");
    EXPECT_EQ(TParserStream("").Count(), 0);
    EXPECT_EQ(TParserStream("x\n").Count(), 1);
}

TEST(ParserStream, CommentsAndBlankLinesAreSkipped) {
    TParserStream p("\n  ; comment\n\t\n   12 ; tail\n;x\n 7");
    EXPECT_EQ(p.NextInteger(), 12);
    EXPECT_EQ(p.NextInteger(), 7);
    EXPECT_EQ(ErrorOf([&] { p.NextInteger(); }), "End of data error!");
}

TEST(ParserStream, NumbersOnOneLineOrMany) {
    TParserStream one("2031 12 31 ; valid until");
    TParserStream many("2031\n12\n31");
    for (TParserStream* p : {&one, &many}) {
        EXPECT_EQ(p->NextInteger(), 2031);
        EXPECT_EQ(p->NextInteger(), 12);
        EXPECT_EQ(p->NextInteger(), 31);
    }
}

TEST(ParserStream, IntegerSyntax) {
    EXPECT_EQ(TParserStream("+5").NextInteger(), 5);
    EXPECT_EQ(TParserStream("-17\t").NextInteger(), -17);
    EXPECT_EQ(TParserStream("2147483647").NextInteger(), 2147483647);
    EXPECT_EQ(TParserStream("-2147483648").NextInteger(), -2147483647 - 1);
    for (const char* bad : {"12a", "1.5", "+", "-;", "a", "\"1\""}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(ErrorOf([&] { TParserStream(bad).NextInteger(); }), "Integer error!");
    }
    // Valid syntax out of range: the conversion's own error.
    for (const char* big : {"99999999999", "2147483648", "-2147483649", "+99999999999999999999"}) {
        SCOPED_TRACE(big);
        EXPECT_EQ(ErrorOf([&] { TParserStream(std::string(big) + " ;x").NextInteger(); }),
                  "'" + std::string(big) + "' is not a valid integer value");
    }
}

TEST(ParserStream, FloatSyntax) {
    EXPECT_DOUBLE_EQ(TParserStream("12,5").NextFloat(), 12.5);
    EXPECT_DOUBLE_EQ(TParserStream("12.5").NextFloat(), 12.5);
    EXPECT_DOUBLE_EQ(TParserStream("1e3").NextFloat(), 1000);
    EXPECT_DOUBLE_EQ(TParserStream("-2.5E-1;x").NextFloat(), -0.25);
    EXPECT_DOUBLE_EQ(TParserStream("+.5").NextFloat(), 0.5);
    EXPECT_DOUBLE_EQ(TParserStream("7.").NextFloat(), 7);
    EXPECT_DOUBLE_EQ(TParserStream("3 4").NextFloat(), 3);
    for (const char* bad : {"1e", "1e+", "12x", "12.5x", ".", "-", "e3", "1.2.3", "1,2,3"}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(ErrorOf([&] { TParserStream(bad).NextFloat(); }), "Float error!");
    }
    // Valid syntax beyond a double: the conversion's error; below it: 0.
    EXPECT_EQ(ErrorOf([] { TParserStream("1e999").NextFloat(); }), "'1e999' is not a valid floating point value");
    EXPECT_EQ(ErrorOf([] { TParserStream("-1e999\t").NextFloat(); }), "'-1e999' is not a valid floating point value");
    EXPECT_EQ(TParserStream("1e-999").NextFloat(), 0);
    EXPECT_EQ(TParserStream("1e-310").NextFloat(), 1e-310);
}

TEST(ParserStream, EitherPointReadsUnderTheUsersSeparator) {
    const char old = DecimalSeparator();
    for (const char separator : {',', '.'}) {
        SCOPED_TRACE(separator);
        SetDecimalSeparator(separator);
        EXPECT_DOUBLE_EQ(TParserStream("12.5").NextFloat(), 12.5);
        EXPECT_DOUBLE_EQ(TParserStream("12,5").NextFloat(), 12.5);
        // The token as the conversion saw it.
        EXPECT_EQ(ErrorOf([] { TParserStream("1.5e999").NextFloat(); }),
                  std::string("'1") + separator + "5e999' is not a valid floating point value");
    }
    SetDecimalSeparator(old);
}

TEST(ParserStream, TokensShareALine) {
    TParserStream p("\"name\" 12,5 \"next\"  3");
    std::string text;
    p.NextString(text);
    EXPECT_EQ(text, "name");
    EXPECT_DOUBLE_EQ(p.NextFloat(), 12.5);
    p.NextString(text);
    EXPECT_EQ(text, "next");
    EXPECT_DOUBLE_EQ(p.NextFloat(), 3);
    EXPECT_EQ(p.CurrentLine(), 1);
}

TEST(ParserStream, StringEscapes) {
    std::string text;
    TParserStream("\"a\\\"b\\\\c\\d\"").NextString(text);
    EXPECT_EQ(text, "a\"b\\cd");
    TParserStream("\"\"").NextString(text);
    EXPECT_EQ(text, "");
    // The rest after the closing quote is left unchecked for the next token.
    TParserStream p("\"x\"; comment\n\"y\"");
    p.NextString(text);
    p.NextString(text);
    EXPECT_EQ(text, "y");
    for (const char* bad : {"x\"", "\"open", "\"ends in \\", "12"}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(ErrorOf([&] { TParserStream(bad).NextString(text); }), "String error!");
    }
}

TEST(ParserStream, AccentedBytesSurviveTrimming) {
    // Windows-1250 "ő" (0xF5) and "Á" (0xC1) are letters, not controls.
    TParserStream p(" \t\xF5\xC1 \"\xE9\"\n\"\xC1\"");
    std::string text;
    EXPECT_EQ(ErrorOf([&] { p.NextString(text); }), "String error!");
    EXPECT_EQ(p.Strings(0), "\xF5\xC1 \"\xE9\"");
    TParserStream q("\"\xC1rlista \xF5\"");
    q.NextString(text);
    EXPECT_EQ(text, "\xC1rlista \xF5");
}

TEST(ParserStream, EveryTruncationEndsInAnError) {
    const std::string full = "2031 12 31\n\"Ft\"\n\"a_20\" 12,5\n\"END\" 0\n";
    for (std::size_t n = 0; n < full.size(); ++n) {
        TParserStream p(full.substr(0, n));
        std::string text;
        const std::string error = ErrorOf([&] {
            p.NextInteger();
            p.NextInteger();
            p.NextInteger();
            p.NextString(text);
            p.NextString(text);
            p.NextFloat();
            p.NextString(text);
            p.NextFloat();
        });
        SCOPED_TRACE(n);
        // Cut inside the last number, "END" 0 still reads as a whole token.
        if (n + 1 < full.size()) {
            EXPECT_FALSE(error.empty());
        }
    }
}
