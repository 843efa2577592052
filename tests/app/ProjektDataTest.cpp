#include "app/ProjektData.h"

#include "app/AppFixture.h"
#include "app/Main.h"
#include "project/Project.h"

#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

namespace {

class ProjektDataTest : public AppFixture {
protected:
    template <class T = QPlainTextEdit>
    static T& Child(TForm& form, const char* name) {
        return *form.findChild<T*>(QString::fromLatin1(name));
    }
    static void Click(TForm& form, const char* name) { Child<QPushButton>(form, name).click(); }
};

}  // namespace

TEST_F(ProjektDataTest, MemoLinesComeBackExactlyAfterEachOk) {
    const std::vector<std::vector<std::string>> rows = {
        {"Budapest", "F\xF5 utca 1.", "II. emelet"}, {}, {"first", "", "after an empty line"}, {"", "x"}};
    TMainForm& main = Start();
    TProject& project = main.Project();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.size());
        project.Address.Lines() = row;
        for (int ok = 0; ok < 2; ++ok) {
            TProjektDataForm form(&main, project);
            EXPECT_EQ(static_cast<std::size_t>(Child(form, "Address").document()->blockCount()),
                      std::max<std::size_t>(1, row.size()));
            Click(form, "OK");
            EXPECT_EQ(form.ModalResult(), mrOk);
            EXPECT_EQ(project.Address.Lines(), row);
        }
    }
}

TEST_F(ProjektDataTest, OkTakesEveryFieldAndAlwaysMarksTheProjectModified) {
    TMainForm& main = Start();
    TProject& project = main.Project();
    {
        TProjektDataForm form(&main, project);
        Child(form, "Address").setPlainText(QStringLiteral("Pécs"));
        Child(form, "Customer").setPlainText(QStringLiteral("Nyírő Kft.\nGyőr"));
        Child(form, "Planer").setPlainText(QStringLiteral("Kovács Éva\n"));  // no empty last line
        Child(form, "Comment").setPlainText(QStringLiteral("-"));
        Child<QLineEdit>(form, "Date").setText(QStringLiteral("2004. 03. 01."));
        Click(form, "OK");
    }
    EXPECT_EQ(project.Address.Lines(), std::vector<std::string>{Cp1250("Pécs")});
    EXPECT_EQ(project.Customer.Lines(), (std::vector<std::string>{Cp1250("Nyírő Kft."), Cp1250("Győr")}));
    EXPECT_EQ(project.Planer.Lines(), std::vector<std::string>{Cp1250("Kovács Éva")});
    EXPECT_EQ(project.Comment.Lines(), std::vector<std::string>{"-"});
    EXPECT_EQ(project.Date, "2004. 03. 01.");
    {
        // Each back in its own control.
        TProjektDataForm form(&main, project);
        const QStringList shown{Child(form, "Address").toPlainText(), Child(form, "Customer").toPlainText(),
                                Child(form, "Planer").toPlainText(), Child(form, "Comment").toPlainText(),
                                Child<QLineEdit>(form, "Date").text()};
        EXPECT_EQ(shown, (QStringList{QStringLiteral("Pécs"), QStringLiteral("Nyírő Kft.\nGyőr"),
                                      QStringLiteral("Kovács Éva"), QStringLiteral("-"),
                                      QStringLiteral("2004. 03. 01.")}));
    }

    // Through the command, OK without a change: modified, Save enabled.
    project.Modified = false;
    main.UpdateActionStates();
    const ModalRunner previous = SetModalRunner([](TForm& form) {
        Click(form, "OK");
        return form.ModalResult();
    });
    main.FindComponentAs<QAction>(QStringLiteral("ProjectDataAction"))->trigger();
    SetModalRunner(previous);
    EXPECT_TRUE(project.Modified);
    EXPECT_TRUE(main.FindComponentAs<QAction>(QStringLiteral("FileSave"))->isEnabled());
}

TEST_F(ProjektDataTest, CancelLeavesTheProject) {
    SelectLanguage("English");
    TMainForm& main = Start();
    TProject& project = main.Project();
    const TProject before = project;
    TProjektDataForm form(&main, project);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Project data"));
    Child(form, "Address").setPlainText(QStringLiteral("new"));
    Child<QLineEdit>(form, "Date").setText(QStringLiteral("never"));
    Click(form, "Cancel");
    EXPECT_EQ(form.ModalResult(), mrCancel);
    EXPECT_EQ(project.Address, before.Address);
    EXPECT_EQ(project.Date, before.Date);
    EXPECT_FALSE(project.Modified);
}
