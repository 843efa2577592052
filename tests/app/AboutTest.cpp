#include "app/AppFixture.h"

#include "app/About.h"
#include "lang/Languages.h"
#include "platform/ui/QtText.h"
#include "project/BuildInfo.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <ctime>
#include <set>

#include <utime.h>

namespace {

class AboutTest : public AppFixture {
protected:
    // The executable's date: noon of a day, local time.
    void DateTheExecutable(int year, int month, int day) {
        std::tm local{};
        local.tm_year = year - 1900;
        local.tm_mon = month - 1;
        local.tm_mday = day;
        local.tm_hour = 12;
        local.tm_isdst = -1;
        const std::time_t when = std::mktime(&local);
        const utimbuf times{when, when};
        ASSERT_EQ(::utime(Executable().c_str(), &times), 0);
    }

    QLabel& Label(TAboutBox& box, const char* name) { return *box.FindComponentAs<QLabel>(QString::fromLatin1(name)); }

    void Click(QLabel& label) { QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(2, 2)); }
};

}  // namespace

TEST(VersionText, MinorHasTwoDigitsTheDateNone) {
    EXPECT_EQ(VersionText(2, 5, {2004, 2, 3}), "2.05 (2004. 2. 3.)");
    EXPECT_EQ(VersionText(1, 10, {2003, 12, 11}), "1.10 (2003. 12. 11.)");
    EXPECT_EQ(VersionText(1, 123, {2003, 12, 11}), "1.123 (2003. 12. 11.)");
    EXPECT_EQ(VersionText(0, 0, {1999, 1, 1}), "0.00 (1999. 1. 1.)");
}

TEST_F(AboutTest, VersionPictureAndProductLine) {
    ShipPicture();
    DateTheExecutable(2004, 2, 3);
    TAboutBox box;
    const TBuildVersion version = BuildVersion();
    const std::string expected = VersionText(version.Major, version.Minor, {2004, 2, 3});
    EXPECT_EQ(FromQString(Label(box, "Version").text()), expected);
    EXPECT_EQ(box.RtfProductLine(),
              "\\sb144\\f4\\fs16 " + Cp1250("VALDORINE kiválasztó program") + " " + expected + " " +
                  Cp1250("Copyright © 2003-2004 Lumivar"));
    EXPECT_FALSE(Label(box, "ProgramIcon").pixmap().isNull());
    EXPECT_EQ(Label(box, "ProgramIcon").size(), QSize(250, 267));
    EXPECT_EQ(box.size(), QSize(593, 285));
    EXPECT_EQ(box.windowTitle(), QStringLiteral("Névjegy"));
    EXPECT_TRUE(box.FindComponentAs<QPushButton>(QStringLiteral("OKButton"))->isDefault());
    EXPECT_EQ(Label(box, "ProductName").font().pixelSize(), 13);
    EXPECT_TRUE(Label(box, "ProductName").font().bold());
}

TEST_F(AboutTest, WithoutPictureTheImageStaysEmpty) {
    TAboutBox box;
    EXPECT_TRUE(Label(box, "ProgramIcon").pixmap().isNull());
}

TEST_F(AboutTest, TranslatedWithTheUserInterfaceLanguage) {
    LanguageList->CompressedOnly = false;
    LanguageList->Load(ProgramFolder() / "languages" / "*.xm?");
    LanguageList->SetLanguage("English");
    TAboutBox box;
    EXPECT_EQ(box.windowTitle(), QStringLiteral("About"));
    EXPECT_EQ(Label(box, "ProductName").text(), QStringLiteral("VALDORINE selection program"));
    EXPECT_EQ(Label(box, "Comments").text(), QStringLiteral("Web:"));
    EXPECT_EQ(box.RtfProductLine().substr(0, 43), "\\sb144\\f4\\fs16 VALDORINE selection program ");
}

TEST_F(AboutTest, EnglishNamesEveryTextButAddressesAndNotice) {
    LanguageList->CompressedOnly = false;
    LanguageList->Load(ProgramFolder() / "languages" / "*.xm?");
    LanguageList->SetLanguage("English");
    const TLanguage* english = LanguageList->CurrentLanguage();
    ASSERT_NE(english, nullptr);
    std::set<std::string> translated;
    for (const TLanguageForm& form : english->Forms) {
        if (form.Name != "AboutBox") continue;
        for (const TLanguageFormItem& item : form.Items) translated.insert(item.Name);
    }
    // The version, the notice, the web and mail addresses and the distributor's
    // name are the same in every language.
    const std::set<std::string> neutral{"Version", "Copyright", "Label1", "Label3", "Label8", "Label10", "ProgramIcon"};
    TAboutBox box;
    for (QLabel* label : box.findChildren<QLabel*>()) {
        const std::string name = label->objectName().toStdString();
        if (name.empty() || neutral.contains(name)) continue;
        EXPECT_TRUE(translated.contains(name)) << name << " has no English text";
    }
}

TEST_F(AboutTest, LinksOpenWebAndMailAddressesOnly) {
    TAboutBox box;
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    Click(Label(box, "Label1"));
    Click(Label(box, "Label3"));
    Click(Label(box, "Label8"));
    Click(Label(box, "Label10"));  // link-styled, no action
    ASSERT_EQ(OpenedUrls.size(), 3u);
    EXPECT_EQ(OpenedUrls[0], QUrl(QStringLiteral("http://www.lumivar.example")));
    EXPECT_EQ(OpenedUrls[1], QUrl(QStringLiteral("mailto:info@lumivar.example")));
    EXPECT_EQ(OpenedUrls[2], QUrl(QStringLiteral("http://www.orbelo.example")));

    // A caption that is no address opens nothing.
    Label(box, "Label1").setText(QStringLiteral("/usr/bin/xterm"));
    Click(Label(box, "Label1"));
    EXPECT_EQ(OpenedUrls.size(), 3u);
}

TEST_F(AboutTest, OkEndsTheModalRunWithOk) {
    SetModalRunner({});
    TAboutBox box;
    QTimer::singleShot(0, &box, [&] { box.FindComponentAs<QPushButton>(QStringLiteral("OKButton"))->click(); });
    EXPECT_EQ(box.ShowModal(), mrOk);
}
