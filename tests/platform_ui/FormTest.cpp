#include "platform/ui/Form.h"

#include "platform/ui/FileDialogs.h"
#include "platform/ui/QtText.h"
#include "ui_TestForm.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A dialog as the program builds them: setupUi, then components made in code.
class TTestForm : public TForm {
public:
    explicit TTestForm(QWidget* owner = nullptr) : TForm(owner) {
        ui.setupUi(this);
        BindModalResult(*ui.OKButton, mrOk);
        BindModalResult(*ui.CancelButton, mrCancel);
        Named(new QAction(this), "CodeAction");
        Named(new QTimer(this), "Timer1");
        Named(new TOpenDialog(this), "OpenDialog");
        Named(new QMenu(this), "PopupMenu");
    }
    Ui::TestForm ui;

private:
    static void Named(QObject* object, const char* name) { object->setObjectName(QString::fromLatin1(name)); }
};

std::vector<std::string> NamesOf(IForm& form) {
    std::vector<std::string> names;
    for (int i = 0, n = form.ComponentCount(); i < n; ++i) names.push_back(form.Component(i).Name());
    return names;
}

class RunnerScope {
public:
    explicit RunnerScope(ModalRunner runner) : previous_(SetModalRunner(std::move(runner))) {}
    ~RunnerScope() { SetModalRunner(std::move(previous_)); }

private:
    ModalRunner previous_;
};

}  // namespace

TEST(Form, ComponentsInOrderFromSetupUiThenCode) {
    TTestForm form;
    EXPECT_EQ(form.Name(), "TestForm");
    EXPECT_EQ(form.Caption(), "Pr\xF3" "ba ablak");
    // setupUi creates a form's actions before its widgets.
    EXPECT_EQ(NamesOf(form), (std::vector<std::string>{"HelpAction", "NameLabel", "NameEdit", "MediumType", "GroupBox1",
                                                       "WindCheck", "OKButton", "CancelButton", "CodeAction", "Timer1",
                                                       "OpenDialog", "PopupMenu"}));
    EXPECT_EQ(form.FindComponentObject("WindCheck"), form.ui.WindCheck);
    EXPECT_EQ(form.FindComponentObject("HelpAction"), form.ui.HelpAction);
    EXPECT_NE(form.FindComponentAs<TOpenDialog>("OpenDialog"), nullptr);
    EXPECT_EQ(form.FindComponentAs<QAction>("OpenDialog"), nullptr);  // the class must fit
}

TEST(Form, FindComponentThroughTheEnginesInterface) {
    TTestForm form;
    IForm& engineView = form;
    IComponent* edit = engineView.FindComponent("NameEdit");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->Name(), "NameEdit");
    EXPECT_EQ(edit->ClassName(), "QLineEdit");
    EXPECT_EQ(engineView.FindComponent("CodeAction")->ClassName(), "QAction");
    EXPECT_EQ(engineView.FindComponent("OpenDialog")->ClassName(), "TOpenDialog");
    EXPECT_EQ(engineView.FindComponent("nameedit"), nullptr);  // names compare exactly
    EXPECT_EQ(engineView.FindComponent("Missing"), nullptr);
    EXPECT_EQ(engineView.FindComponent(""), nullptr);
    EXPECT_EQ(engineView.FindComponent("NameEdit"), edit);  // one adapter per object
}

TEST(Form, AddedComponentsComeLastAndGoWithTheirObject) {
    TTestForm form;
    auto series = std::make_unique<QObject>();
    series->setObjectName("Series1");
    form.AddComponent(*series);
    EXPECT_EQ(NamesOf(form).back(), "Series1");
    IComponent* adapter = form.FindComponent("Series1");
    ASSERT_NE(adapter, nullptr);
    series.reset();
    EXPECT_EQ(adapter->Name(), "");
    EXPECT_EQ(form.FindComponent("Series1"), nullptr);
    EXPECT_EQ(NamesOf(form).back(), "PopupMenu");

    delete form.ui.WindCheck;
    EXPECT_EQ(form.FindComponentObject("WindCheck"), nullptr);
}

TEST(Form, AnOwnedFormIsAComponentButNotItsControls) {
    TMainWindowForm main;
    main.setObjectName("MainForm");
    auto* dialog = new TTestForm(&main);
    EXPECT_EQ(main.FindComponentObject("TestForm"), dialog);
    EXPECT_EQ(main.FindComponentObject("NameEdit"), nullptr);
    EXPECT_EQ(main.Name(), "MainForm");
}

TEST(Form, HintSplitsIntoTooltipAndStatusText) {
    TTestForm form;
    form.SetHint("R\xF6vid|Hossz\xFA le\xEDr\xE1s");
    EXPECT_EQ(form.toolTip(), QString::fromUtf8("Rövid"));
    EXPECT_EQ(form.statusTip(), QString::fromUtf8("Hosszú leírás"));
    EXPECT_EQ(form.Hint(), "R\xF6vid|Hossz\xFA le\xEDr\xE1s");

    SetComponentHint(*form.ui.HelpAction, QString::fromUtf8("Névjegy"));  // no bar: both parts
    EXPECT_EQ(form.ui.HelpAction->toolTip(), QString::fromUtf8("Névjegy"));
    EXPECT_EQ(form.ui.HelpAction->statusTip(), QString::fromUtf8("Névjegy"));

    SetComponentHint(*form.ui.NameEdit, ToQString("Projekt adatok| Projekt adminisztrat\xEDv adatok|x"));
    EXPECT_EQ(form.ui.NameEdit->toolTip(), "Projekt adatok");
    EXPECT_EQ(form.ui.NameEdit->statusTip(), QString::fromUtf8(" Projekt adminisztratív adatok|x"));

    auto* menu = form.FindComponentAs<QMenu>("PopupMenu");
    SetComponentHint(*menu, ToQString("F\xE1jl|F\xE1jl m\xFBveletek"));
    EXPECT_EQ(menu->menuAction()->statusTip(), QString::fromUtf8("Fájl műveletek"));
    EXPECT_EQ(ComponentHint(*menu), QString::fromUtf8("Fájl|Fájl műveletek"));
    EXPECT_EQ(ComponentHint(*form.ui.OKButton), QString());
}

TEST(Form, ColourAndElevenPixelArialForEveryWindow) {
    TTestForm dialog;
    TMainWindowForm main;
    for (QWidget* window : {static_cast<QWidget*>(&dialog), static_cast<QWidget*>(&main)}) {
        EXPECT_EQ(window->palette().color(QPalette::Window), QColor(208, 224, 192));
        EXPECT_EQ(window->font().family(), "Arial");
        EXPECT_EQ(window->font().pixelSize(), 11);  // a height of 11 pixels, not 11 points
    }
    EXPECT_EQ(dialog.ui.NameEdit->font().pixelSize(), 11);
    EXPECT_EQ(dialog.ui.WindCheck->palette().color(QPalette::Window), QColor(208, 224, 192));
}

TEST(Form, HelpFileAndContext) {
    TTestForm form;
    form.SetHelpFile("VALDORINE.hlp");
    form.SetHelpContext(100);
    EXPECT_EQ(form.HelpFile(), "VALDORINE.hlp");
    EXPECT_EQ(form.HelpContext(), 100);
}

TEST(Form, ShowModalThroughTheRunner) {
    TTestForm form;
    {
        const RunnerScope scope([](TForm& f) {
            EXPECT_EQ(f.Name(), "TestForm");
            static_cast<TTestForm&>(f).ui.OKButton->click();
            return f.ModalResult();
        });
        EXPECT_EQ(form.ShowModal(), mrOk);
        EXPECT_EQ(form.ModalResult(), mrOk);
    }
    {
        const RunnerScope scope([](TForm&) { return mrYes; });
        EXPECT_EQ(form.ShowModal(), 6);
        EXPECT_EQ(form.ModalResult(), mrYes);
    }
    {
        const RunnerScope scope([](TForm& f) {
            f.reject();
            return f.ModalResult();
        });
        EXPECT_EQ(form.ShowModal(), mrCancel);
    }
    {
        const RunnerScope scope([](TForm&) { return mrNone; });  // went away without a result
        EXPECT_EQ(form.ShowModal(), mrCancel);
    }
}

TEST(Form, ShowModalRunsAModalLoopEndedByButtonsOrClosing) {
    TTestForm form;
    QTimer::singleShot(0, &form, [&] {
        EXPECT_EQ(QApplication::activeModalWidget(), &form);
        form.ui.OKButton->click();
    });
    EXPECT_EQ(form.ShowModal(), mrOk);
    QTimer::singleShot(0, &form, [&] { form.close(); });
    EXPECT_EQ(form.ShowModal(), mrCancel);
    QTimer::singleShot(0, &form, [&] { form.SetModalResult(mrNo); });
    EXPECT_EQ(form.ShowModal(), mrNo);
    EXPECT_FALSE(form.isVisible());
}
