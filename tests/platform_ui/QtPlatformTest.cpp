#include "platform/ui/QtPlatform.h"

#include "platform/win/Clock.h"

#include <QDate>
#include <QLocale>

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
