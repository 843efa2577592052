#include "platform/ui/QtPlatform.h"

#include "platform/win/Clock.h"

#include <QDate>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

#include <gtest/gtest.h>

TEST(QtPlatform, ShortDateTextFollowsTheLocale) {
    const win::TDate date{2004, 2, 3};
    EXPECT_EQ(ShortDateTextOf(QLocale(QLocale::Hungarian, QLocale::Hungary), date), "2004. 02. 03.");
    EXPECT_EQ(ShortDateTextOf(QLocale(QLocale::German, QLocale::Germany), date), "03.02.04");
    EXPECT_EQ(ShortDateTextOf(QLocale(QLocale::Hungarian, QLocale::Hungary), {2004, 2, 30}), "");  // no such day
}

TEST(QtPlatform, InstalledDateTextIsTheSystemLocales) {
    const win::TDate date{2004, 2, 3};
    {
        const TQtPlatform platform;
        EXPECT_EQ(ShortDateText(date), ShortDateTextOf(QLocale::system(), date));
    }
    EXPECT_EQ(ShortDateText(date), "2004-02-03");
}

TEST(QtPlatform, ToolkitTextsSpeakTheUsersLanguage) {
    const auto yesText = [] {
        QMessageBox box;
        return box.addButton(QMessageBox::Yes)->text();
    };
    const QString english = yesText();
    {
        const auto translation = InstallToolkitTranslation(QLocale(QLocale::Hungarian, QLocale::Hungary));
        if (!translation) GTEST_SKIP() << "Qt's Hungarian translation is not installed (qt6-translations-l10n)";
        EXPECT_EQ(yesText(), QStringLiteral("&Igen"));
    }
    // Gone with its object.
    EXPECT_EQ(yesText(), english);
    // A language Qt has no texts for leaves them as they are.
    EXPECT_EQ(InstallToolkitTranslation(QLocale(QLocale::Zulu, QLocale::SouthAfrica)), nullptr);
}
