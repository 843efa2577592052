#include "platform/base/SysUtils.h"

#include "platform/base/Exception.h"
#include "platform/win/CodePage.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cwctype>
#include <limits>

#include <locale.h>

namespace {

// Tests pin the separator and put it back.
class SeparatorScope {
public:
    explicit SeparatorScope(char separator) : old_(DecimalSeparator()) { SetDecimalSeparator(separator); }
    ~SeparatorScope() { SetDecimalSeparator(old_); }

private:
    char old_;
};

constexpr double kInf = std::numeric_limits<double>::infinity();

}  // namespace

TEST(FloatToStr, FifteenSignificantDigitsInGeneralFormat) {
    SeparatorScope dot('.');
    EXPECT_EQ(FloatToStr(50), "50");
    EXPECT_EQ(FloatToStr(88.9), "88.9");
    EXPECT_EQ(FloatToStr(0.1), "0.1");
    EXPECT_EQ(FloatToStr(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(FloatToStr(2.0 / 3.0), "0.666666666666667");
    EXPECT_EQ(FloatToStr(-2.5), "-2.5");
    EXPECT_EQ(FloatToStr(123456789012345.0), "123456789012345");
    EXPECT_EQ(FloatToStr(0.0001), "0.0001");
    EXPECT_EQ(FloatToStr(0.00012345), "0.00012345");
    // The float 88.9 carries its binary approximation in 15 digits.
    EXPECT_EQ(FloatToStr(88.9f), "88.9000015258789");
}

TEST(FloatToStr, ScientificBeyondTheDigitsAndBelowATenThousandth) {
    SeparatorScope dot('.');
    EXPECT_EQ(FloatToStr(1e15), "1E15");
    EXPECT_EQ(FloatToStr(1234567890123456.0), "1.23456789012346E15");
    EXPECT_EQ(FloatToStr(1e-5), "1E-5");
    EXPECT_EQ(FloatToStr(-1.5e-7), "-1.5E-7");
    EXPECT_EQ(FloatToStr(1e100), "1E100");
    EXPECT_EQ(FloatToStr(DBL_MAX), "1.79769313486232E308");
    EXPECT_EQ(FloatToStr(4.9e-324), "4.94065645841247E-324");
}

TEST(FloatToStr, ZeroInfinityAndNaN) {
    EXPECT_EQ(FloatToStr(0.0), "0");
    EXPECT_EQ(FloatToStr(-0.0), "0");
    EXPECT_EQ(FloatToStr(kInf), "INF");
    EXPECT_EQ(FloatToStr(-kInf), "-INF");
    EXPECT_EQ(FloatToStr(std::numeric_limits<double>::quiet_NaN()), "NAN");
    EXPECT_EQ(FloatToStrG(0.0, 4), "0");
}

TEST(FloatToStr, UsesTheUserDecimalSeparator) {
    SeparatorScope comma(',');
    EXPECT_EQ(FloatToStr(88.9), "88,9");
    EXPECT_EQ(FloatToStr(-1.5e-7), "-1,5E-7");
    EXPECT_EQ(FloatToStrG(0.012345, 3), "0,0123");
    EXPECT_EQ(SingleToStr(88.9f), "88,9");
}

TEST(FloatToStrG, DialogPrecisionsRoundHalfAwayFromZero) {
    SeparatorScope dot('.');
    // Hand-rounded: 1234.5 and 0.125 are exact binary values, so these are true ties.
    EXPECT_EQ(FloatToStrG(1234.5, 4), "1235");
    EXPECT_EQ(FloatToStrG(-1234.5, 4), "-1235");
    EXPECT_EQ(FloatToStrG(0.125, 2), "0.13");
    EXPECT_EQ(FloatToStrG(2.675, 3), "2.67");  // 2.67499999... in binary
    EXPECT_EQ(FloatToStrG(9.9996, 4), "10");
    EXPECT_EQ(FloatToStrG(99999.0, 4), "1E5");
    EXPECT_EQ(FloatToStrG(12345.0, 4), "1.235E4");
    EXPECT_EQ(FloatToStrG(1234.0, 4), "1234");
    EXPECT_EQ(FloatToStrG(0.00123456, 3), "0.00123");
    EXPECT_EQ(FloatToStrG(0.000012345, 3), "1.23E-5");
    EXPECT_EQ(FloatToStrG(47.123456, 5), "47.123");
    EXPECT_EQ(FloatToStrG(88.9f, 7), "88.9");
    EXPECT_EQ(FloatToStrG(88.9f, 8), "88.900002");
    EXPECT_EQ(FloatToStrG(0.5, 0), "0.5");    // below 1 counts as 1 digit
    EXPECT_EQ(FloatToStrG(0.55, 1), "0.6");   // 0.55000000000000004
    EXPECT_EQ(FloatToStrG(1.0 / 3.0, 40), "0.333333333333333315");  // at most 18 digits
}

TEST(SingleToStr, ShortestTextOfTheFloat) {
    SeparatorScope dot('.');
    EXPECT_EQ(SingleToStr(88.9f), "88.9");
    EXPECT_EQ(SingleToStr(0.1f), "0.1");
    EXPECT_EQ(SingleToStr(50.0f), "50");
    EXPECT_EQ(SingleToStr(-12.25f), "-12.25");
    EXPECT_EQ(SingleToStr(16777217.0f), "16777216");
    EXPECT_EQ(SingleToStr(1e20f), "1E20");
    EXPECT_EQ(SingleToStr(FLT_MAX), "3.4028235E38");
    EXPECT_EQ(SingleToStr(FLT_MIN), "1.1754944E-38");
    EXPECT_EQ(SingleToStr(0.0f), "0");
    // Every text reads back as the same float.
    for (const float f : {88.9f, 0.3f, 1.0f / 3.0f, 123.456f, 7e-5f}) {
        double back = 0;
        ASSERT_TRUE(TryParseDouble(SingleToStr(f), back)) << SingleToStr(f);
        EXPECT_EQ(static_cast<float>(back), f);
    }
}

TEST(IntToStr, WholeRange) {
    EXPECT_EQ(IntToStr(0), "0");
    EXPECT_EQ(IntToStr(-42), "-42");
    EXPECT_EQ(IntToStr(LLONG_MIN), "-9223372036854775808");
    EXPECT_EQ(IntToStr(LLONG_MAX), "9223372036854775807");
}

TEST(StrToInt, AcceptsWholeNumbersInTheIntRange) {
    EXPECT_EQ(StrToInt("42"), 42);
    EXPECT_EQ(StrToInt("  -7"), -7);
    EXPECT_EQ(StrToInt("+3"), 3);
    EXPECT_EQ(StrToInt("007"), 7);
    EXPECT_EQ(StrToInt("2147483647"), INT_MAX);
    EXPECT_EQ(StrToInt("-2147483648"), INT_MIN);
}

TEST(StrToInt, RaisesTheConversionErrorForAnythingElse) {
    for (const char* bad : {"", " ", "2147483648", "-2147483649", "99999999999999999999999", "1.5", "12 ", "abc",
                            "--1", "+", "1e3", "0x10"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(StrToInt(bad), EConvertError);
    }
    try {
        StrToInt("abc");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'abc' is not a valid integer value");
    }
}

TEST(StrToFloat, TakesTheUserSeparatorOnly) {
    {
        SeparatorScope dot('.');
        EXPECT_DOUBLE_EQ(StrToFloat("1.5"), 1.5);
        EXPECT_DOUBLE_EQ(StrToFloat(" 2.5 "), 2.5);
        EXPECT_DOUBLE_EQ(StrToFloat("1e3"), 1000);
        EXPECT_DOUBLE_EQ(StrToFloat(".5"), 0.5);
        EXPECT_DOUBLE_EQ(StrToFloat("5."), 5);
        EXPECT_DOUBLE_EQ(StrToFloat("-1E-2"), -0.01);
        EXPECT_THROW(StrToFloat("1,5"), EConvertError);
    }
    SeparatorScope comma(',');
    EXPECT_DOUBLE_EQ(StrToFloat("88,9"), 88.9);
    EXPECT_DOUBLE_EQ(StrToFloat("-0,25e1"), -2.5);
    EXPECT_THROW(StrToFloat("88.9"), EConvertError);
    EXPECT_THROW(StrToFloat("1,2,3"), EConvertError);
}

TEST(StrToFloat, RaisesForBadOrOutOfRangeText) {
    SeparatorScope dot('.');
    for (const char* bad : {"", " ", "1e", "e3", ".", "+", "1.5x", "1 5", "inf", "nan", "0x1p3", "1e999", "-1e400"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(StrToFloat(bad), EConvertError);
    }
    try {
        StrToFloat("x1");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'x1' is not a valid floating point value");
    }
    EXPECT_EQ(StrToFloat("1e-400"), 0.0);  // underflow is a tiny number, not an error
}

TEST(EncodeDate, DaysSinceTheLastDaysOf1899) {
    // Values of the platform's date type: 1 January 1900 is day 2, 2000 day 36526.
    const struct {
        int year, month, day;
        double value;
    } dates[] = {
        {1899, 12, 30, 0},    {1900, 1, 1, 2},     {1900, 3, 1, 61},   {2000, 1, 1, 36526},
        {2000, 2, 29, 36585}, {2024, 12, 31, 45657}, {1, 1, 1, -693593}, {9999, 12, 31, 2958465},
    };
    for (const auto& d : dates) {
        SCOPED_TRACE(d.value);
        EXPECT_EQ(EncodeDate(d.year, d.month, d.day), d.value);
    }
    // Impossible dates: more in the price list's tests.
    try {
        EncodeDate(2023, 2, 29);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'2023-2-29' is not a valid date");
    }
}

TEST(ParseDoublePrefix, TakesTheLongestLeadingNumber) {
    struct Row {
        const char* text;
        std::size_t length;
        double value;
    };
    const Row rows[] = {
        {"12abc", 2, 12},      {"3.5x", 3, 3.5},   {"1e3", 3, 1000},   {"1e", 1, 1},        {"1e+", 1, 1},
        {"2E-2;", 4, 0.02},    {"-.5", 3, -0.5},   {"+7", 2, 7},       {"5.", 2, 5},        {"1.2.3", 3, 1.2},
        {".", 0, 0},           {"+", 0, 0},        {"-", 0, 0},        {"", 0, 0},          {"abc", 0, 0},
        {" 1", 0, 0},          {"-e5", 0, 0},      {"0e999999999999", 14, 0},             {"4.9e-324", 8, 4.9e-324},
        {"0.30000000000000000000000000000000000000001", 43, 0.3},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        double value = -1;
        EXPECT_EQ(ParseDoublePrefix(row.text, value), row.length);
        EXPECT_EQ(value, row.value);
    }
}

TEST(ParseDoublePrefix, OutOfRangeGivesInfinityOrZero) {
    double value = 0;
    EXPECT_EQ(ParseDoublePrefix("1e999", value), 5u);
    EXPECT_EQ(value, kInf);
    EXPECT_EQ(ParseDoublePrefix("-123456e400x", value), 11u);
    EXPECT_EQ(value, -kInf);
    EXPECT_EQ(ParseDoublePrefix("1e-999", value), 6u);
    EXPECT_EQ(value, 0.0);
    EXPECT_EQ(ParseDoublePrefix("-0.0001e-999", value), 12u);
    EXPECT_EQ(value, 0.0);
    EXPECT_TRUE(std::signbit(value));
    EXPECT_EQ(ParseDoublePrefix("0.001e311", value), 9u);  // 1e308: the first digit decides, not the exponent
    EXPECT_EQ(value, 1e308);
    EXPECT_EQ(ParseDoublePrefix("1000e306", value), 8u);
    EXPECT_EQ(value, kInf);
}

TEST(TryParseDouble, WholeTextOnly) {
    double value = 7;
    EXPECT_TRUE(TryParseDouble("1.5", value));
    EXPECT_EQ(value, 1.5);
    EXPECT_TRUE(TryParseDouble("-0", value));
    EXPECT_TRUE(std::signbit(value));
    for (const char* bad : {"", "1.5 ", " 1.5", "1,5", "1e999", "inf", "nan", "0x1p3", "1e"}) {
        value = 7;
        EXPECT_FALSE(TryParseDouble(bad, value)) << bad;
        EXPECT_EQ(value, 7) << bad;
    }
}

TEST(AnsiCase, HungarianLettersInWindows1250) {
    EXPECT_EQ(AnsiUpperCase("\xE1rv\xEDzt\xFBr\xF5 t\xFCk\xF6rf\xFAr\xF3g\xE9p"),
              "\xC1RV\xCDZT\xDBR\xD5 T\xDCK\xD6RF\xDAR\xD3G\xC9P");
    EXPECT_EQ(AnsiLowerCase("\x8A\x8E\xA3 Data.XML"), "\x9A\x9E\xB3 data.xml");
    EXPECT_TRUE(AnsiSameText("\xC1rv\xEDz", "\xE1RV\xCDZ"));
    EXPECT_FALSE(AnsiSameText("abc", "abd"));
    EXPECT_FALSE(AnsiSameText("abc", "abcd"));
    EXPECT_EQ(AnsiUpperCase("\xDF\xD7\xF7\xFF"), "\xDF\xD7\xF7\xFF");  // sharp s, signs, dot above: no case
}

TEST(AnsiCase, EveryByteAgreesWithUnicodeCaseMapping) {
    // Oracle: the C library's Unicode case mapping through the code-page table.
    locale_t utf8 = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    if (!utf8) GTEST_SKIP() << "C.UTF-8 locale not available";
    for (int b = 0; b < 256; ++b) {
        SCOPED_TRACE(b);
        const auto byte = static_cast<unsigned char>(b);
        const char32_t u = win::ToUnicode(win::CodePage::Cp1250, byte);
        auto mapped = [&](wint_t c) {
            const int back = win::FromUnicode(win::CodePage::Cp1250, static_cast<char32_t>(c));
            return static_cast<char>(back < 0 ? byte : back);
        };
        const std::string one(1, static_cast<char>(byte));
        EXPECT_EQ(AnsiUpperCase(one)[0], mapped(::towupper_l(static_cast<wint_t>(u), utf8)));
        EXPECT_EQ(AnsiLowerCase(one)[0], mapped(::towlower_l(static_cast<wint_t>(u), utf8)));
    }
    ::freelocale(utf8);
}
