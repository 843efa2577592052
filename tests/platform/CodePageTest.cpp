#include "platform/win/CodePage.h"

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
