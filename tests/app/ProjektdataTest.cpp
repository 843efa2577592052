#include "app/Projektdata.h"

#include "app/AppFixture.h"
#include "app/Main.h"
#include "platform/base/Controls.h"
#include "platform/ui/Form.h"
#include "platform/ui/QtText.h"
#include "project/Project.h"

#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

class ProjektdataTest : public AppFixture {
protected:
    template <class T>
    static T& Child(TForm& form, const char* name) {
        auto* child = form.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return *child;
    }
    static void Click(TForm& form, const char* name) { Child<QPushButton>(form, name).click(); }
};

TStringList Lines(std::vector<std::string> lines) {
    TStringList list;
    for (std::string& line : lines) list.Add(std::move(line));
    return list;
}

}  // namespace

TEST_F(ProjektdataTest, MemoLinesComeBackExactlyAfterEachOk) {
    const std::vector<std::vector<std::string>> rows = {
        {"Budapest", "F\xF5 utca 1.", "II. emelet"},
        {},
        {"first", "", "after an empty line"},
        {"", "starts empty"},
    };
    TMainForm& main = Start();
    TProject& project = main.Project();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.size());
        project.Address = Lines(row);
        project.Comment = Lines({"a comment"});
        for (int ok = 0; ok < 2; ++ok) {
            TProjektDataForm form(&main, project);
            auto& memo = Child<QPlainTextEdit>(form, "Address");
            EXPECT_EQ(memo.document()->blockCount(), std::max<int>(1, static_cast<int>(row.size())));
            Click(form, "OK");
            EXPECT_EQ(form.ModalResult(), mrOk);
            EXPECT_EQ(project.Address.Lines(), row);
            EXPECT_EQ(project.Comment.Lines(), std::vector<std::string>{"a comment"});
        }
    }
}

TEST_F(ProjektdataTest, OkTakesEveryFieldAndAlwaysMarksTheProjectModified) {
    TMainForm& main = Start();
    TProject& project = main.Project();
    {
        TProjektDataForm form(&main, project);
        // A new project's date: today, as the options ask.
        EXPECT_EQ(Child<QLineEdit>(form, "Date").text(), ToQString(ShortDateText(win::TDate{2004, 2, 3})));
        Child<QPlainTextEdit>(form, "Customer").setPlainText(QStringLiteral("Nyírő Kft.\nGyőr"));
        Child<QPlainTextEdit>(form, "Planer").setPlainText(QStringLiteral("Kovács Éva\n"));
        Child<QLineEdit>(form, "Date").setText(QStringLiteral("2004. 03. 01."));
        Click(form, "OK");
    }
    EXPECT_EQ(project.Customer.Lines(), (std::vector<std::string>{Cp1250("Nyírő Kft."), Cp1250("Győr")}));
    EXPECT_EQ(project.Planer.Lines(), std::vector<std::string>{Cp1250("Kovács Éva")});  // no empty last line
    EXPECT_EQ(project.Date, "2004. 03. 01.");

    // Through the command, OK without a change: modified, Save enabled.
    project.Modified = false;
    main.UpdateActionStates();
    const ModalRunner previous = SetModalRunner([this](TForm& form) {
        ModalForms.push_back(form.objectName());
        Click(form, "OK");
        return form.ModalResult();
    });
    main.FindComponentAs<QAction>(QStringLiteral("ProjectDataAction"))->trigger();
    SetModalRunner(previous);
    EXPECT_EQ(ModalForms, std::vector<QString>{QStringLiteral("ProjektDataForm")});
    EXPECT_TRUE(project.Modified);
    EXPECT_TRUE(main.FindComponentAs<QAction>(QStringLiteral("FileSave"))->isEnabled());
}

TEST_F(ProjektdataTest, CancelLeavesTheProject) {
    TMainForm& main = Start();
    TProject& project = main.Project();
    project.Address = Lines({"old"});
    const TProject before = project;
    TProjektDataForm form(&main, project);
    Child<QPlainTextEdit>(form, "Address").setPlainText(QStringLiteral("new"));
    Child<QLineEdit>(form, "Date").setText(QStringLiteral("never"));
    Click(form, "Cancel");
    EXPECT_EQ(form.ModalResult(), mrCancel);
    EXPECT_EQ(project.Address, before.Address);
    EXPECT_EQ(project.Date, before.Date);
    EXPECT_FALSE(project.Modified);
}

TEST_F(ProjektdataTest, TranslatedIntoEnglish) {
    SelectLanguage("English");
    TMainForm& main = Start();
    TProjektDataForm form(&main, main.Project());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Project data"));
    EXPECT_EQ(Child<QPushButton>(form, "Cancel").text(), QStringLiteral("Cancel"));
    EXPECT_EQ(form.HelpContext(), 105);
    EXPECT_EQ(form.size(), QSize(391, 401));
}
