#include "app/Programoptions.h"

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
#include <QTabWidget>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

// Every registry file's bytes, by name.
std::map<std::string, std::string> RegistryFiles() {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(win::MachineRoot() / "registry")) {
        files[entry.path().filename().string()] = testing_support::ReadFile(entry.path());
    }
    return files;
}

std::optional<std::string> StoredString(const char* key, const char* name) {
    TRegistry registry;
    if (!OpenProgramKey(registry) || !registry.OpenKey(key, false) || !registry.ValueExists(name)) return std::nullopt;
    return registry.ReadString(name);
}

std::optional<int> StoredInteger(const char* key, const char* name) {
    TRegistry registry;
    if (!OpenProgramKey(registry) || !registry.OpenKey(key, false) || !registry.ValueExists(name)) return std::nullopt;
    return registry.ReadInteger(name);
}

// Answers the font dialog, which must open on the stored report font.
class ScopedFontAnswer {
public:
    ScopedFontAnswer(const QString& opensOn, std::optional<QFont> answer)
        : previous_(SetFontDialogHook([opensOn, answer](const TFontDialog& dialog) {
              EXPECT_EQ(dialog.Font().family(), opensOn);
              return answer;
          })) {}
    ~ScopedFontAnswer() { SetFontDialogHook(std::move(previous_)); }

private:
    FontDialogHook previous_;
};

class ProgramoptionsTest : public AppFixture {
protected:
    template <class T>
    static T& Child(TForm& form, const char* name) {
        auto* child = form.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return *child;
    }
    static void Click(TForm& form, const char* name) { Child<QPushButton>(form, name).click(); }
    static QString StatusText(TForm& form) { return Child<QStatusBar>(form, "StatusBar").currentMessage(); }
};

}  // namespace

TEST_F(ProgramoptionsTest, ShowsTheOptionsAndTheReportFont) {
    TMainForm& main = Start();
    AppOptions->Planer.SetText("Kov\xE1\x63s \xC9va\r\nTervez\xF5 Kft.\r\n");
    AppOptions->RightMargin = -3;
    AppOptions->CalcPrecision = true;
    TProgramOptionsForm form(&main, *AppOptions);
    EXPECT_EQ(Child<QPlainTextEdit>(form, "Planer").toPlainText(), QStringLiteral("Kovács Éva\nTervező Kft."));
    EXPECT_TRUE(Child<QCheckBox>(form, "InitDate").isChecked());
    EXPECT_EQ(Child<QLineEdit>(form, "LeftMargin").text(), QStringLiteral("20"));
    EXPECT_EQ(Child<QLineEdit>(form, "RightMargin").text(), QStringLiteral("-3"));
    EXPECT_EQ(Child<QLabel>(form, "ReportFontName").text(), QStringLiteral("Arial, 9 pont"));
    EXPECT_EQ(Child<QLabel>(form, "ReportFontName").font().family(), QStringLiteral("Arial"));
    auto& list = Child<QListWidget>(form, "OptionsList");
    EXPECT_EQ(list.item(0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(list.item(1)->checkState(), Qt::Checked);
    EXPECT_EQ(Child<QTabWidget>(form, "PageControl").currentIndex(), 0);
}

TEST_F(ProgramoptionsTest, AMarginThatIsNoIntegerKeepsTheDialogOpenAndStoresNothing) {
    TMainForm& main = Start();
    TProgramOptionsForm form(&main, *AppOptions);
    const auto before = RegistryFiles();
    Child<QPlainTextEdit>(form, "Planer").setPlainText(QStringLiteral("Új tervező"));
    Child<QCheckBox>(form, "InitDate").setChecked(false);
    Child<QLineEdit>(form, "LeftMargin").setText(QStringLiteral("25"));
    Child<QLineEdit>(form, "TopMargin").setText(QStringLiteral("abc"));
    Child<QLineEdit>(form, "RightMargin").setText(QStringLiteral("30"));
    Click(form, "OK");
    EXPECT_EQ(StatusText(form), QStringLiteral("'abc' is not a valid integer value"));
    EXPECT_EQ(form.ModalResult(), mrNone);
    EXPECT_TRUE(Boxes.empty());
    EXPECT_EQ(RegistryFiles(), before);
    // Taken before the failing margin, and kept.
    EXPECT_EQ(AppOptions->Planer.Lines(), std::vector<std::string>{Cp1250("Új tervező")});
    EXPECT_FALSE(AppOptions->InitDate);
    EXPECT_EQ(AppOptions->LeftMargin, 25);
    EXPECT_EQ(AppOptions->TopMargin, 20);
    EXPECT_EQ(AppOptions->RightMargin, 15);

    // Corrected: stored and closed.
    Child<QLineEdit>(form, "TopMargin").setText(QStringLiteral("-5"));
    Click(form, "OK");
    EXPECT_EQ(form.ModalResult(), mrOk);
    EXPECT_EQ(StoredInteger("ProgramOptions", "TopMargin"), -5);
    EXPECT_EQ(StoredInteger("ProgramOptions", "RightMargin"), 30);
    EXPECT_EQ(StoredString("ProgramOptions", "Planer"), Cp1250("Új tervező\r\n"));
}

TEST_F(ProgramoptionsTest, MarginTexts) {
    struct Row {
        const char* text;
        std::optional<int> stored;
    };
    const Row rows[] = {{"-5", -5}, {"0", 0}, {" 7", 7}, {"", std::nullopt}, {"12.5", std::nullopt},
                        {"2147483648", std::nullopt}, {"7 ", std::nullopt}};
    TMainForm& main = Start();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        TProgramOptionsForm form(&main, *AppOptions);
        Child<QLineEdit>(form, "BottomMargin").setText(QString::fromLatin1(row.text));
        Click(form, "OK");
        EXPECT_EQ(form.ModalResult(), row.stored ? mrOk : mrNone);
        EXPECT_EQ(StatusText(form).isEmpty(), row.stored.has_value());
        if (row.stored) {
            EXPECT_EQ(StoredInteger("ProgramOptions", "BottomMargin"), row.stored);
        }
    }
}

TEST_F(ProgramoptionsTest, TheChosenReportFontIsStoredOnlyOnOk) {
    TMainForm& main = Start();
    for (const bool ok : {false, true}) {
        SCOPED_TRACE(ok ? "OK" : "Cancel");
        TProgramOptionsForm form(&main, *AppOptions);
        {
            const ScopedFontAnswer answer(QStringLiteral("Arial"), QFont(QStringLiteral("Times New Roman"), 12));
            Click(form, "ChangeReportFont");
        }
        EXPECT_EQ(Child<QLabel>(form, "ReportFontName").text(), QStringLiteral("Times New Roman, 12 pont"));
        EXPECT_EQ(Child<QLabel>(form, "ReportFontName").font().pointSize(), 12);
        Click(form, ok ? "OK" : "Cancel");
        EXPECT_EQ(StoredString("Fonts", "ReportName"), ok ? std::optional<std::string>("Times New Roman") : std::nullopt);
        EXPECT_EQ(StoredInteger("Fonts", "ReportSize"), ok ? std::optional<int>(12) : std::nullopt);
    }
    // A cancelled font dialog changes nothing.
    TProgramOptionsForm form(&main, *AppOptions);
    const ScopedFontAnswer answer(QStringLiteral("Times New Roman"), std::nullopt);
    Click(form, "ChangeReportFont");
    EXPECT_EQ(Child<QLabel>(form, "ReportFontName").text(), QStringLiteral("Times New Roman, 12 pont"));
}

TEST_F(ProgramoptionsTest, OptionsListTicksSetTheSwitches) {
    TMainForm& main = Start();
    for (const auto& [viewMediumData, calcPrecision] : {std::pair{true, false}, {false, true}, {true, true}, {false, false}}) {
        SCOPED_TRACE(std::to_string(viewMediumData) + std::to_string(calcPrecision));
        TProgramOptionsForm form(&main, *AppOptions);
        auto& list = Child<QListWidget>(form, "OptionsList");
        list.item(0)->setCheckState(viewMediumData ? Qt::Checked : Qt::Unchecked);
        list.item(1)->setCheckState(calcPrecision ? Qt::Checked : Qt::Unchecked);
        Click(form, "OK");
        EXPECT_EQ(AppOptions->ViewMediumData, viewMediumData);
        EXPECT_EQ(AppOptions->CalcPrecision, calcPrecision);
        EXPECT_EQ(StoredInteger("ProgramOptions", "ViewMediumData"), viewMediumData ? 1 : 0);
        EXPECT_EQ(StoredInteger("ProgramOptions", "CalcPrecision"), calcPrecision ? 1 : 0);
    }
}

TEST_F(ProgramoptionsTest, TheCommandOpensTheDialogTranslated) {
    SelectLanguage("English");
    TMainForm& main = Start();
    QString title;
    QString entry;
    const ModalRunner previous = SetModalRunner([&](TForm& form) {
        title = form.windowTitle();
        entry = Child<QListWidget>(form, "OptionsList").item(1)->text();
        return mrCancel;
    });
    main.FindComponentAs<QAction>(QStringLiteral("ProgramOptionsAction"))->trigger();
    SetModalRunner(previous);
    EXPECT_EQ(title, QStringLiteral("Program options"));
    EXPECT_EQ(entry, QStringLiteral("Calculate insulation thicknesses to a tenth of a millimetre"));
}
