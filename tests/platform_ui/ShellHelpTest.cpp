#include "platform/ui/Form.h"
#include "platform/ui/Help.h"
#include "platform/ui/Shell.h"

#include "support/TestSupport.h"

#include <QApplication>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace {

class OpenedUrls {
public:
    OpenedUrls() {
        previous_ = SetOpenUrlHook([this](const QUrl& url) {
            Urls.push_back(url);
            return true;
        });
    }
    ~OpenedUrls() { SetOpenUrlHook(std::move(previous_)); }
    std::vector<QUrl> Urls;

private:
    OpenUrlHook previous_;
};

}  // namespace

TEST(Shell, OnlyWebAndMailAddressesOpen) {
    EXPECT_EQ(ShellAddress(QStringLiteral("www.lumivar.example")), QUrl(QStringLiteral("http://www.lumivar.example")));
    EXPECT_EQ(ShellAddress(QStringLiteral("https://lumivar.example/a?b=1")),
              QUrl(QStringLiteral("https://lumivar.example/a?b=1")));
    EXPECT_EQ(ShellAddress(QStringLiteral("HTTP://LUMIVAR.EXAMPLE")).scheme(), QStringLiteral("http"));
    EXPECT_EQ(ShellAddress(QStringLiteral("mailto:info@lumivar.example")),
              QUrl(QStringLiteral("mailto:info@lumivar.example")));
    for (const char* refused : {"file:///etc/passwd", "/bin/sh", "C:\\Windows\\notepad.exe", "javascript:alert(1)",
                                "mailto:nobody", "http://", "", "lumivar.example", "www.a b.example",
                                "ftp://lumivar.example"}) {
        EXPECT_FALSE(ShellAddress(QString::fromLatin1(refused)).isValid()) << refused;
    }
    OpenedUrls opened;
    EXPECT_FALSE(ShellOpen(QStringLiteral("/bin/sh")));
    EXPECT_TRUE(ShellOpen(QStringLiteral("www.lumivar.example")));
    ASSERT_EQ(opened.Urls.size(), 1u);
}

TEST(Help, CommandsMapToPagesBesideTheHelpFile) {
    const std::filesystem::path file = "/opt/valdorine/VALDORINE.hlp";
    EXPECT_EQ(HelpPage(file, HELP_CONTEXT, 100), "/opt/valdorine/help/100.html");
    EXPECT_EQ(HelpPage(file, HELP_CONTENTS, 0), "/opt/valdorine/help/contents.html");
    EXPECT_EQ(HelpPage(file, HELP_PARTIALKEY, 0), "/opt/valdorine/help/keywords.html");
    EXPECT_EQ(HelpPage(file, HELP_HELPONHELP, 0), "/opt/valdorine/help/using-help.html");
    EXPECT_TRUE(HelpPage(file, HELP_CONTEXT, -1).empty());
    EXPECT_TRUE(HelpPage(file, 2, 0).empty());  // HELP_QUIT: no page
}

TEST(Help, OnlyExistingPagesOpenAndF1UsesTheFormsContext) {
    testing_support::TempDir dir;
    testing_support::WriteFile(dir.Path() / "help" / "100.html", "<html></html>");
    OpenedUrls opened;
    const auto previousFile = ApplicationHelpFile();
    SetApplicationHelpFile(dir.Path() / "VALDORINE.hlp");
    EXPECT_TRUE(HelpCommand(HELP_CONTEXT, 100));
    EXPECT_FALSE(HelpCommand(HELP_CONTEXT, 101));
    EXPECT_FALSE(HelpCommand(HELP_CONTENTS, 0));
    ASSERT_EQ(opened.Urls.size(), 1u);
    EXPECT_EQ(opened.Urls[0], QUrl::fromLocalFile(QString::fromStdString((dir.Path() / "help" / "100.html").string())));

    TForm form;
    EXPECT_FALSE(form.ShowHelp());  // no context
    form.SetHelpContext(100);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(&form, Qt::Key_F1);
    EXPECT_EQ(opened.Urls.size(), 2u);
    testing_support::TempDir other;
    form.SetHelpFile(other.Path().string() + "/OTHER.hlp");  // a form's own file, whose folder has no pages
    EXPECT_FALSE(form.ShowHelp());
    form.SetHelpFile("OTHER.hlp");  // beside the application's: its pages
    EXPECT_TRUE(form.ShowHelp());
    SetApplicationHelpFile(previousFile);
}

TEST(Help, AFailingOpenerReportsThePage) {
    testing_support::TempDir dir;
    const std::filesystem::path page = dir.Path() / "help" / "contents.html";
    testing_support::WriteFile(page, "<html></html>");
    const auto previousFile = ApplicationHelpFile();
    SetApplicationHelpFile(dir.Path() / "VALDORINE.hlp");
    std::vector<std::filesystem::path> failed;
    auto previousHandler = SetHelpFailureHandler([&](const std::filesystem::path& p) { failed.push_back(p); });
    const QString url = QUrl::fromLocalFile(QString::fromStdString(page.string())).toString();

    const struct {
        const char* name;
        int exitCode;
        bool fails;
    } cases[] = {{"missing", testing_support::ScopedUrlOpener::kMissing, true},
                 {"exits with 3", 3, true},
                 {"exits with 0", 0, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        failed.clear();
        testing_support::ScopedUrlOpener opener(c.exitCode);
        EXPECT_TRUE(HelpCommand(HELP_CONTENTS, 0));
        // Started, not waited for: the outcome arrives through the event loop.
        QTRY_VERIFY(qApp->findChildren<QProcess*>().isEmpty());
        EXPECT_EQ(failed, c.fails ? std::vector<std::filesystem::path>{page} : std::vector<std::filesystem::path>{});
        if (c.exitCode != testing_support::ScopedUrlOpener::kMissing) {
            EXPECT_EQ(QString::fromStdString(opener.Log()), url + QStringLiteral("\n"));
        }
    }
    SetHelpFailureHandler(std::move(previousHandler));
    SetApplicationHelpFile(previousFile);
}
