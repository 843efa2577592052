#include "platform/win/CodePage.h"

#include "platform/base/SysUtils.h"

#include <gtest/gtest.h>

using win::CodePage;

TEST(CodePage, EveryByteRoundTripsInBothPages) {
    for (const CodePage page : {CodePage::Cp1250, CodePage::Cp1252}) {
        for (int b = 0; b < 256; ++b) {
            SCOPED_TRACE(b);
            const char32_t u = win::ToUnicode(page, static_cast<unsigned char>(b));
            EXPECT_EQ(win::FromUnicode(page, u), b);
            const std::string one(1, static_cast<char>(b));
            EXPECT_EQ(win::FromUtf8(page, win::ToUtf8(page, one)), one);
        }
    }
}

TEST(CodePage, CentralEuropeanLettersOf1250) {
    // Published Windows-1250 code chart.
    EXPECT_EQ(win::ToUnicode(CodePage::Cp1250, 0xF5), U'\u0151');  // o double acute
    EXPECT_EQ(win::ToUnicode(CodePage::Cp1250, 0xFB), U'\u0171');  // u double acute
    EXPECT_EQ(win::ToUnicode(CodePage::Cp1250, 0xB0), U'\u00B0');  // degree sign
    EXPECT_EQ(win::ToUnicode(CodePage::Cp1250, 0x8A), U'\u0160');
    EXPECT_EQ(win::ToUnicode(CodePage::Cp1250, 0x80), U'\u20AC');
    EXPECT_EQ(win::ToUtf8(CodePage::Cp1250, "\xE1rv\xEDzt\xFBr\xF5"), "árvíztűrő");
}

TEST(CodePage, Windows1252DiffersWhere1250HasItsOwnLetters) {
    EXPECT_EQ(win::ToUnicode(CodePage::Cp1252, 0xF5), U'\u00F5');
    EXPECT_EQ(win::ToUnicode(CodePage::Cp1252, 0x80), U'\u20AC');
    EXPECT_EQ(win::FromUnicode(CodePage::Cp1252, U'\u0151'), -1);
    EXPECT_EQ(win::FromUnicode(CodePage::Cp1250, U'\u0151'), 0xF5);
}

TEST(CodePage, MalformedUtf8BecomesReplacement) {
    EXPECT_EQ(win::FromUtf8(CodePage::Cp1250, "a\xC3"), "a?");          // cut sequence
    EXPECT_EQ(win::FromUtf8(CodePage::Cp1250, "\xC0\x80"), "??");       // overlong
    EXPECT_EQ(win::FromUtf8(CodePage::Cp1250, "\xED\xA0\x80", '#'), "###");  // surrogate
    EXPECT_EQ(win::FromUtf8(CodePage::Cp1250, "\xE2\x82\xAC"), "\x80");
}

TEST(CodePage, UpperCaseOf1250FollowsItsLetters) {
    // Pairs from the published Windows-1250 chart: small letter, capital.
    const std::pair<unsigned char, unsigned char> pairs[] = {
        {'a', 'A'}, {'z', 'Z'}, {0x9A, 0x8A}, {0x9C, 0x8C}, {0x9D, 0x8D}, {0x9E, 0x8E}, {0x9F, 0x8F},
        {0xB3, 0xA3}, {0xB9, 0xA5}, {0xBA, 0xAA}, {0xBE, 0xBC}, {0xBF, 0xAF}, {0xE0, 0xC0}, {0xE1, 0xC1},
        {0xE8, 0xC8}, {0xF5, 0xD5}, {0xFB, 0xDB}, {0xFE, 0xDE}, {0xF9, 0xD9}, {0xEC, 0xCC}};
    for (const auto& [small, capital] : pairs) {
        SCOPED_TRACE(int(small));
        EXPECT_EQ(win::UpperCase1250(small), capital);
        EXPECT_EQ(win::UpperCase1250(capital), capital);
    }
    // No capital in the page, or no letter at all: unchanged.
    for (const int same : {0xDF, 0xB5, 0xFF, 0xF7, 0xA2, int('1'), int('\\'), 0x81})
        EXPECT_EQ(win::UpperCase1250(static_cast<unsigned char>(same)), same) << same;
    int changed = 0;
    for (int b = 0; b < 256; ++b) changed += win::UpperCase1250(static_cast<unsigned char>(b)) != b;
    EXPECT_EQ(changed, 26 + 40);  // ASCII and the page's 40 small letters with a capital
    EXPECT_EQ(win::UpperCase1250("Kov\xE1\x63s \xC9va"), "KOV\xC1\x43S \xC9VA");
}

TEST(CodePage, UpperCaseLatinOutsideThePage) {
    EXPECT_EQ(win::UpperCaseLatin(U'\u00FF'), U'\u0178');
    EXPECT_EQ(win::UpperCaseLatin(U'\u0131'), U'I');
    EXPECT_EQ(win::UpperCaseLatin(U'\u0138'), U'\u0138');
    EXPECT_EQ(win::UpperCaseLatin(U'\u4E2D'), U'\u4E2D');
}

TEST(CodePage, UpperCaseAgreesWithTheComponentLibrary) {
    // Two tables built apart: from Unicode's letter pairs and from the code chart.
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        EXPECT_EQ(win::UpperCase1250(one), AnsiUpperCase(one)) << b;
    }
}
