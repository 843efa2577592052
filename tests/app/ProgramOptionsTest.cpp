#include "app/ProgramOptions.h"

#include "app/AppFixture.h"
#include "app/Main.h"
#include "platform/base/Registry.h"
#include "platform/ui/FontDialog.h"
#include "platform/win/MachineRoot.h"
#include "project/ProgramOptions.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

// Every registry file's bytes, by name.
std::map<std::filesystem::path, std::string> RegistryFiles() {
    std::map<std::filesystem::path, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(win::MachineRoot() / "registry")) {
        files[entry.path()] = testing_support::ReadFile(entry.path());
    }
    return files;
}

// A stored value's text ("" when absent), integers in decimal.
std::string Stored(const char* key, const char* name, bool integer = true) {
    TRegistry registry;
    if (!OpenProgramKey(registry) || !registry.OpenKey(key, false) || !registry.ValueExists(name)) return "";
    return integer ? std::to_string(registry.ReadInteger(name)) : registry.ReadString(name);
}

class ProgramOptionsTest : public AppFixture {
protected:
    template <class T = QLineEdit>
    static T& Child(TForm& form, const char* name) {
        return *form.findChild<T*>(QString::fromLatin1(name));
    }
    static void Click(TForm& form, const char* name) { Child<QPushButton>(form, name).click(); }
};

}  // namespace

TEST_F(ProgramOptionsTest, AMarginThatIsNoIntegerKeepsTheDialogOpenAndStoresNothing) {
    TMainForm& main = Start();
    TProgramOptionsForm form(&main, *AppOptions);
    EXPECT_EQ(Child(form, "RightMargin").text(), QStringLiteral("15"));
    const auto before = RegistryFiles();
    Child<QPlainTextEdit>(form, "Planer").setPlainText(QStringLiteral("Új tervező"));
    Child<QCheckBox>(form, "InitDate").setChecked(false);
    Child(form, "LeftMargin").setText(QStringLiteral("25"));
    Child(form, "TopMargin").setText(QStringLiteral("abc"));
    Child(form, "RightMargin").setText(QStringLiteral("-5"));
    Click(form, "OK");
    EXPECT_EQ(Child<QStatusBar>(form, "StatusBar").currentMessage(), QStringLiteral("'abc' is not a valid integer value"));
    EXPECT_EQ(form.ModalResult(), mrNone);
    EXPECT_TRUE(Boxes.empty());
    EXPECT_EQ(RegistryFiles(), before);
    // Taken before the failing margin, and kept.
    EXPECT_EQ(AppOptions->Planer.Lines(), std::vector<std::string>{Cp1250("Új tervező")});
    EXPECT_FALSE(AppOptions->InitDate);
    EXPECT_EQ(AppOptions->LeftMargin, 25);
    EXPECT_EQ(AppOptions->RightMargin, 15);

    // Corrected: stored, negative margin included, and closed.
    Child(form, "TopMargin").setText(QStringLiteral("7"));
    Click(form, "OK");
    EXPECT_EQ(form.ModalResult(), mrOk);
    EXPECT_EQ(Child<QStatusBar>(form, "StatusBar").currentMessage(), QString());
    EXPECT_EQ(Stored("ProgramOptions", "TopMargin"), "7");
    EXPECT_EQ(Stored("ProgramOptions", "RightMargin"), "-5");
    EXPECT_EQ(Stored("ProgramOptions", "Planer", false), Cp1250("Új tervező\r\n"));
}

TEST_F(ProgramOptionsTest, EveryFieldComesBackInItsOwnControlAndValue) {
    for (const bool on : {true, false}) {
        SCOPED_TRACE(on);
        const QString planer = on ? QStringLiteral("Kovács\nÉva") : QStringLiteral("x");
        TMainForm& main = Start();
        {
            TProgramOptionsForm form(&main, *AppOptions);
            Child<QPlainTextEdit>(form, "Planer").setPlainText(planer);
            Child<QCheckBox>(form, "InitDate").setChecked(!on);
            Child(form, "LeftMargin").setText(QStringLiteral("11"));
            Child(form, "TopMargin").setText(QStringLiteral("12"));
            Child(form, "RightMargin").setText(QStringLiteral("13"));
            Child(form, "BottomMargin").setText(QStringLiteral("14"));
            auto& list = Child<QListWidget>(form, "OptionsList");
            list.item(0)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
            list.item(1)->setCheckState(on ? Qt::Unchecked : Qt::Checked);
            Click(form, "OK");
            ASSERT_EQ(form.ModalResult(), mrOk);
        }
        const char* const stored[][2] = {{"LeftMargin", "11"},
                                         {"TopMargin", "12"},
                                         {"RightMargin", "13"},
                                         {"BottomMargin", "14"},
                                         {"InitDate", on ? "0" : "1"},
                                         {"ViewMediumData", on ? "1" : "0"},
                                         {"CalcPrecision", on ? "0" : "1"}};
        for (const auto& value : stored) EXPECT_EQ(Stored("ProgramOptions", value[0]), value[1]) << value[0];
        // A new start reads them back into their own controls.
        Stop();
        TMainForm& again = Start();
        TProgramOptionsForm form(&again, *AppOptions);
        EXPECT_EQ(Child<QPlainTextEdit>(form, "Planer").toPlainText(), planer);
        EXPECT_EQ(Child<QCheckBox>(form, "InitDate").isChecked(), !on);
        const QStringList margins{Child(form, "LeftMargin").text(), Child(form, "TopMargin").text(),
                                  Child(form, "RightMargin").text(), Child(form, "BottomMargin").text()};
        EXPECT_EQ(margins, (QStringList{"11", "12", "13", "14"}));
        auto& list = Child<QListWidget>(form, "OptionsList");
        EXPECT_EQ(list.item(0)->checkState() == Qt::Checked, on);
        EXPECT_EQ(list.item(1)->checkState() == Qt::Checked, !on);
    }
}

TEST_F(ProgramOptionsTest, TheChosenReportFontIsStoredOnlyOnOk) {
    TMainForm& main = Start();
    const FontDialogHook previous = SetFontDialogHook([](const TFontDialog& dialog) -> std::optional<QFont> {
        EXPECT_EQ(dialog.Font().family(), QStringLiteral("Arial"));  // the stored report font
        return QFont(QStringLiteral("Times New Roman"), 12);
    });
    for (const bool ok : {false, true}) {
        SCOPED_TRACE(ok);
        TProgramOptionsForm form(&main, *AppOptions);
        EXPECT_EQ(Child<QLabel>(form, "ReportFontName").text(), QStringLiteral("Arial, 9 pont"));
        Click(form, "ChangeReportFont");
        EXPECT_EQ(Child<QLabel>(form, "ReportFontName").text(), QStringLiteral("Times New Roman, 12 pont"));
        EXPECT_EQ(Child<QLabel>(form, "ReportFontName").font().pointSize(), 12);
        Click(form, ok ? "OK" : "Cancel");
        EXPECT_EQ(Stored("Fonts", "ReportName", false), ok ? "Times New Roman" : "");
        EXPECT_EQ(Stored("Fonts", "ReportSize"), ok ? "12" : "");
    }
    SetFontDialogHook(previous);
}

TEST_F(ProgramOptionsTest, TheCommandOpensTheDialogTranslated) {
    SelectLanguage("English");
    TMainForm& main = Start();
    QString entry;
    const ModalRunner previous = SetModalRunner([&](TForm& form) {
        entry = form.windowTitle() + " / " + Child<QListWidget>(form, "OptionsList").item(1)->text();
        return mrCancel;
    });
    main.FindComponentAs<QAction>(QStringLiteral("ProgramOptionsAction"))->trigger();
    SetModalRunner(previous);
    EXPECT_EQ(entry, QStringLiteral("Program options / Calculate insulation thicknesses to a tenth of a millimetre"));
}
