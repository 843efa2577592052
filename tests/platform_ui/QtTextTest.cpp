#include "platform/ui/QtText.h"

#include "platform/win/CodePage.h"

#include <gtest/gtest.h>

TEST(QtText, EveryByteRoundTripsThroughQString) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        SCOPED_TRACE(b);
        const std::string one(1, static_cast<char>(b));
        const QString text = ToQString(one);
        ASSERT_EQ(text.size(), 1);
        EXPECT_EQ(static_cast<char32_t>(text.at(0).unicode()), win::ToUnicode(win::CodePage::Cp1250, static_cast<unsigned char>(b)));
        EXPECT_EQ(FromQString(text), one);
        all += one;
    }
    EXPECT_EQ(FromQString(ToQString(all)), all);
}

TEST(QtText, HungarianLettersMeetTheirUnicode) {
    const std::string cp1250 = "\xC1rv\xEDzt\xFBr\xF5 t\xFCk\xF6rf\xFAr\xF3g\xE9p 20\xB0" "C";
    const QString unicode = QString::fromUtf8("Árvíztűrő tükörfúrógép 20°C");
    EXPECT_EQ(ToQString(cp1250), unicode);
    EXPECT_EQ(FromQString(unicode), cp1250);
}

TEST(QtText, CharactersOutsideTheCodePageBecomeOneQuestionMarkEach) {
    EXPECT_EQ(FromQString(QString::fromUtf8("a\u03A9b")), "a?b");                // Greek omega
    EXPECT_EQ(FromQString(QString::fromUtf8("x\U0001F600y")), "x?y");            // surrogate pair
    EXPECT_EQ(FromQString(QString(QChar(0xD800)) + QLatin1Char('z')), "?z");     // lone high half
    EXPECT_EQ(FromQString(QString(QChar(0xDC00))), "?");                         // lone low half
    EXPECT_EQ(FromQString(QString()), "");
}
