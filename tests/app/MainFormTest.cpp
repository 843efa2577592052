#include "app/AppFixture.h"

#include "app/Main.h"
#include "data/Mediumdbitem.h"
#include "data/Price.h"
#include "lang/Languages.h"
#include "platform/base/Controls.h"
#include "platform/base/MemoryStream.h"
#include "platform/ui/CommandGuard.h"
#include "platform/ui/ComponentProperties.h"
#include "platform/ui/Form.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/ListView.h"
#include "platform/ui/QtText.h"
#include "platform/ui/SaveFile.h"
#include "platform/win/Files.h"
#include "project/ProgramOptions.h"
#include "project/Project.h"
#include "support/StreamBytes.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include <functional>
#include <string>
#include <vector>

namespace {

using testing_support::ReadFile;
using testing_support::WriteFile;

// A project file holding items with these names.
std::string ProjectFile(const std::vector<std::string>& names) {
    TProject project;
    for (const std::string& name : names) {
        TItem item;
        item.Name = name;
        item.Comment = "comment of " + name;
        project.Items.push_back(item);
    }
    MyMemoryStream stream;
    project.SaveToStream(stream);
    return testing_support::StreamBytes(stream);
}

class FailingWrites {
public:
    FailingWrites() : previous_(SetWriteFailureHook([](std::int64_t) { return true; })) {}
    ~FailingWrites() { SetWriteFailureHook(std::move(previous_)); }

private:
    WriteFailureHook previous_;
};

class MainFormTest : public AppFixture {
protected:
    QAction& ActionOf(TMainForm& form, const char* name) {
        auto* action = form.FindComponentAs<QAction>(QString::fromLatin1(name));
        EXPECT_NE(action, nullptr) << name;
        return *action;
    }
    bool Enabled(TMainForm& form, const char* name) { return ActionOf(form, name).isEnabled(); }
    void Trigger(TMainForm& form, const char* name) { ActionOf(form, name).trigger(); }

    // Opens a file through the open command; the dialog answers `path`.
    void Open(TMainForm& form, const std::filesystem::path& path) {
        DialogAnswers.push_back(path);
        Trigger(form, "FileOpen");
    }
};

}  // namespace

TEST_F(MainFormTest, StartUpRunsInItsOrderWithAPriceList) {
    ShipPicture();
    WriteFile(ProgramFolder() / "PRICE.TXT", "2031 12 31\n\"Ft\"\n\"mwshell_15_20\" 1000\n\"END\" 0\n");
    std::vector<std::string> steps;
    std::vector<std::string> facts;
    const auto previous = SetStartupObserver([&](std::string_view step) {
        steps.emplace_back(step);
        // What the earlier steps must have done when this one begins.
        if (step == "options") facts.push_back("languages " + std::to_string(LanguageList->Languages.size()));
        if (step == "translation") facts.push_back("language " + LanguageList->GetLanguageID());
        if (step == "prices") facts.push_back(MediumTypes ? "databases loaded" : "no databases");
        if (step == "project") facts.push_back(PriceList ? "price list" : "no price list");
    });
    TMainForm& form = Start();
    SetStartupObserver(previous);
    EXPECT_EQ(steps, (std::vector<std::string>{"picture", "languages", "options", "translation", "help", "databases",
                                               "prices", "project", "states"}));
    EXPECT_EQ(facts, (std::vector<std::string>{"languages 2", "language Magyar", "databases loaded", "price list"}));
    EXPECT_EQ(ModalForms, (std::vector<QString>{QStringLiteral("LogoPictureForm")}));
    ASSERT_NE(PriceList, nullptr);
    EXPECT_EQ(PriceList->Currency, "Ft");
    EXPECT_NE(AppOptions, nullptr);
    EXPECT_EQ(MainForm, &form);
    EXPECT_TRUE(Boxes.empty());
    Stop();
    // The window frees what it created, except the standard tubes.
    EXPECT_EQ(PriceList, nullptr);
    EXPECT_EQ(AppOptions, nullptr);
    EXPECT_EQ(MediumTypes, nullptr);
    EXPECT_EQ(MainForm, nullptr);
}

TEST_F(MainFormTest, StartUpWithoutPriceListOrPicture) {
    TMainForm& form = Start();
    EXPECT_EQ(PriceList, nullptr);
    EXPECT_TRUE(ModalForms.empty());  // no picture: no start-up window
    EXPECT_TRUE(Boxes.empty());
    EXPECT_EQ(form.Project().ItemCount(), 0);
    EXPECT_FALSE(form.Project().Modified);
}

TEST_F(MainFormTest, ABrokenPriceListIsReportedOnceAndLeftOut) {
    WriteFile(ProgramFolder() / "PRICE.TXT", "2031 12 31\n\"Ft\"\n\"mwshell_15_20\" 1e\n");
    TMainForm& form = Start();
    EXPECT_EQ(PriceList, nullptr);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Flags, 0x30u);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Valdorine - "));
}

TEST_F(MainFormTest, CaptionIsTitleDashFileName) {
    TMainForm& form = Start();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Valdorine - "));
    const auto path = WorkFile("Két cső.kvr");
    WriteFile(path, ProjectFile({"a"}));
    Open(form, path);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Valdorine - ") + QString::fromStdString(path.string()));
    EXPECT_EQ(form.Project().FileName, win::TextFromPath(path));
}

TEST_F(MainFormTest, EnableRulesApplyWhenAMenuOpensOrTheListIsClicked) {
    TMemoryClipboard clipboard;
    IClipboard* previous = SetClipboard(&clipboard);
    TMainForm& form = Start();
    TListView& list = form.ItemsList();
    const auto menu = [&](const char* name) {
        emit form.FindComponentAs<QMenu>(QString::fromLatin1(name))->aboutToShow();
    };
    EXPECT_EQ(RuledStates(form), "00000000");
    // Each row changes what a rule depends on behind the window's back; only
    // the event brings the actions up to date.
    const struct {
        const char* event;
        std::function<void()> change;
        std::function<void()> fire;
        const char* states;  // see RuledStates
    } rows[] = {
        {"File1: modified without items", [&] { form.Project().Modified = true; }, [&] { menu("File1"); }, "10000000"},
        {"open: items, not modified", [&] { BoxAnswers = {win::IDNO}; },
         [&] {
             const auto path = WorkFile("two.kvr");
             WriteFile(path, ProjectFile({"first", "second"}));
             Open(form, path);
         },
         "01000000"},
        // A selection however made (keys, the program) needs no click.
        {"selection alone", [&] { list.SetSelected(1, true); }, [] {}, "01111110"},
        {"Edit1: modified", [&] { form.Project().Modified = true; }, [&] { menu("Edit1"); }, "11111110"},
        {"Calculate1: the own format",
         [&] { clipboard.SetBlocks({{form.Project().ClipboardFormat, std::string(2, '\0')}}); },
         [&] { menu("Calculate1"); }, "11111111"},
        {"PopupMenu: RTF alone",
         [&] { clipboard.SetBlocks({{RegisterClipboardFormat("Rich Text Format"), "{\\rtf1 x}"}}); },
         [&] { menu("PopupMenu"); }, "11111110"},
        {"list click: no selection",
         [&] {
             list.SetSelected(1, false);
             form.Project().Modified = true;
         },
         [&] { emit list.Click(); }, "11000000"},
        {"File1: no items", [&] { form.Project().Items.clear(); }, [&] { menu("File1"); }, "10000000"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.event);
        row.change();
        row.fire();
        EXPECT_EQ(RuledStates(form), row.states);
    }
    for (const char* name : {"FileNew", "FileOpen", "FileSaveAs", "FileExit", "NewItemAction", "ViewAction",
                             "ProjectDataAction", "ProgramOptionsAction", "HelpAbout", "HelpContent"}) {
        EXPECT_TRUE(Enabled(form, name)) << name;
    }
    SetClipboard(previous);
}

TEST_F(MainFormTest, OpeningANonProjectFileKeepsTheProject) {
    TMainForm& form = Start();
    const auto good = WorkFile("good.kvr");
    WriteFile(good, ProjectFile({"one", "two", "three"}));
    Open(form, good);
    TProject* before = &form.Project();
    const QString caption = form.windowTitle();

    const auto bad = WorkFile("notes.txt");
    WriteFile(bad, "KELVARIN? no, just a text file\n");
    Open(form, bad);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, LanguageList->GetString("IDS_INVALIDFILE"));
    EXPECT_FALSE(Boxes[0].Text.empty());
    EXPECT_EQ(Boxes[0].Caption, "Valdorine");
    EXPECT_EQ(Boxes[0].Flags, 48u);
    EXPECT_EQ(&form.Project(), before);
    EXPECT_EQ(form.Project().ItemCount(), 3);
    EXPECT_EQ(form.ItemsList().Count(), 3);
    EXPECT_EQ(form.ItemsList().Caption(2), QStringLiteral("three"));
    EXPECT_EQ(form.ItemsList().SubItem(2, 0), QStringLiteral("comment of three"));
    EXPECT_EQ(form.windowTitle(), caption);

    // A file that can't be read at all: the same.
    Open(form, WorkFile("missing.kvr"));
    EXPECT_EQ(Boxes.size(), 2u);
    EXPECT_EQ(&form.Project(), before);
}

TEST_F(MainFormTest, CloseQueryPaths) {
    TMainForm& form = Start();
    form.Project().Modified = true;

    BoxAnswers = {win::IDCANCEL};
    EXPECT_FALSE(form.close());
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, LanguageList->GetString("IDS_SAVEQUESTION"));
    EXPECT_EQ(Boxes[0].Flags, 0x23u);

    // Yes, then the save dialog is cancelled: the window stays, still modified.
    BoxAnswers = {win::IDYES};
    DialogAnswers = {std::nullopt};
    EXPECT_FALSE(form.close());
    EXPECT_TRUE(form.Project().Modified);
    EXPECT_EQ(Dialogs.back(), TFileDialog::TKind::Save);

    // Yes, then the save fails: the window stays.
    {
        FailingWrites failing;
        BoxAnswers = {win::IDYES};
        DialogAnswers = {WorkFile("x.kvr")};
        EXPECT_FALSE(form.close());
        EXPECT_TRUE(form.Project().Modified);
        EXPECT_EQ(Boxes.back().Flags, 48u);
        EXPECT_FALSE(std::filesystem::exists(WorkFile("x.kvr")));
    }

    // Yes with a save that works (the name is known now): closes.
    BoxAnswers = {win::IDYES};
    EXPECT_TRUE(form.close());
    EXPECT_FALSE(form.Project().Modified);
    EXPECT_TRUE(std::filesystem::exists(WorkFile("x.kvr")));
}

TEST_F(MainFormTest, CloseQueryNoDiscards) {
    TMainForm& form = Start();
    form.Project().Modified = true;
    BoxAnswers = {win::IDNO};
    EXPECT_TRUE(form.close());
    EXPECT_TRUE(Dialogs.empty());

    // An unmodified project closes without a question.
    TMainForm& again = Start();
    Boxes.clear();
    EXPECT_TRUE(again.close());
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(MainFormTest, NewAndOpenKeepTheProjectWhenTheQuestionRefuses) {
    TMainForm& form = Start();
    form.Project().Modified = true;
    TProject* before = &form.Project();
    BoxAnswers = {win::IDYES};
    DialogAnswers = {std::nullopt};  // the save dialog is cancelled
    Trigger(form, "FileNew");
    EXPECT_EQ(&form.Project(), before);
    BoxAnswers = {win::IDCANCEL};
    Trigger(form, "FileOpen");
    EXPECT_EQ(&form.Project(), before);
    EXPECT_EQ(Dialogs.size(), 1u);  // no open dialog after the refusal

    BoxAnswers = {win::IDNO};
    Trigger(form, "FileNew");
    EXPECT_NE(&form.Project(), before);
    EXPECT_FALSE(form.Project().Modified);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Valdorine - "));
}

TEST_F(MainFormTest, SaveAndReopen) {
    TMainForm& form = Start();
    // Without a name, cancelling the dialog changes nothing.
    form.Project().Modified = true;
    form.UpdateActionStates();
    DialogAnswers = {std::nullopt};
    Trigger(form, "FileSave");
    EXPECT_TRUE(form.Project().Modified);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Valdorine - "));

    form.Project().Address.Add("Budapest, F\xF5 utca 1.");
    const auto path = WorkFile("saved.kvr");
    DialogAnswers = {path};
    Trigger(form, "FileSave");
    EXPECT_FALSE(form.Project().Modified);
    EXPECT_FALSE(Enabled(form, "FileSave"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Valdorine - ") + QString::fromStdString(path.string()));
    const std::string saved = ReadFile(path);
    EXPECT_EQ(saved.substr(0, 24), std::string("\x16\0KELVARIN_PROJECT_FILE\0", 24));

    Trigger(form, "FileNew");
    EXPECT_TRUE(form.Project().Address.Count() == 0);
    Open(form, path);
    ASSERT_EQ(form.Project().Address.Count(), 1);
    EXPECT_EQ(form.Project().Address[0], "Budapest, F\xF5 utca 1.");
    EXPECT_EQ(form.Project().Date, ShortDateText(win::TDate{2004, 2, 3}));
    EXPECT_FALSE(form.Project().Modified);

    // Save as asks again, preset with the current name.
    const auto other = WorkFile("copy.kvr");
    DialogAnswers = {other};
    Trigger(form, "FileSaveAs");
    EXPECT_EQ(ReadFile(other), saved);
    EXPECT_EQ(form.Project().FileName, win::TextFromPath(other));
}

TEST_F(MainFormTest, AFailedSaveLeavesTheOldFileAndTheProjectModified) {
    TMainForm& form = Start();
    const auto path = WorkFile("project.kvr");
    const std::string old = ProjectFile({"old item"});
    WriteFile(path, old);
    Open(form, path);
    form.Project().Items.push_back(TItem{});
    form.Project().Modified = true;
    form.UpdateActionStates();
    {
        FailingWrites failing;
        Trigger(form, "FileSave");
    }
    EXPECT_EQ(ReadFile(path), old);
    EXPECT_TRUE(form.Project().Modified);
    EXPECT_TRUE(Enabled(form, "FileSave"));
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_NE(Boxes[0].Text.find("Cannot write file"), std::string::npos);
    EXPECT_EQ(Boxes[0].Caption, "Valdorine");
    EXPECT_EQ(Boxes[0].Flags, 48u);

    // Save as that fails: the new name stays, and so does Modified.
    const auto other = WorkFile("other.kvr");
    form.Project().Modified = false;
    DialogAnswers = {other};
    {
        FailingWrites failing;
        Trigger(form, "FileSaveAs");
    }
    EXPECT_EQ(form.Project().FileName, win::TextFromPath(other));
    EXPECT_TRUE(form.Project().Modified);
    EXPECT_FALSE(std::filesystem::exists(other));
    EXPECT_EQ(ReadFile(path), old);
}

TEST_F(MainFormTest, ViewCyclesThroughFourStyles) {
    TMainForm& form = Start();
    TListView& list = form.ItemsList();
    EXPECT_EQ(list.ViewStyle(), TViewStyle::Icon);
    const TViewStyle expected[] = {TViewStyle::SmallIcon, TViewStyle::List, TViewStyle::Report, TViewStyle::Icon};
    for (const TViewStyle style : expected) {
        Trigger(form, "ViewAction");
        EXPECT_EQ(list.ViewStyle(), style);
    }
}

TEST_F(MainFormTest, DoubleClickMeansModify) {
    TMainForm& form = Start();
    int modifies = 0;
    QObject::connect(&ActionOf(form, "ModifyItemAction"), &QAction::triggered, [&] { ++modifies; });
    const auto path = WorkFile("one.kvr");
    WriteFile(path, ProjectFile({"only"}));
    Open(form, path);
    TListView& list = form.ItemsList();
    list.SetSelected(0, true);
    emit list.Click();
    emit list.DblClick();
    EXPECT_EQ(modifies, 1);
}

TEST_F(MainFormTest, EveryActionAsBuilt) {
    TMainForm& form = Start();
    const TImageList& images = *form.FindComponentAs<TImageList>(QStringLiteral("ImageList1"));
    const struct {
        const char* name;
        const char* caption;
        const char* shortcut;
        int image;  // index into ImageList1, -1 for none
        const char* hint;
    } rows[] = {
        {"FileNew", "Új dok&umentum...", "Ctrl+N", 6, "Új dokumentum|Új dokumentum létrehozása"},
        {"FileOpen", "&Megnyitás...", "Ctrl+O", 7, "Megnyitás|Meglévő dokumentum megnyitása"},
        {"FileSave", "&Mentés", "Ctrl+S", 8, "Mentés|Dokumentum mentése"},
        {"FileSaveAs", "Menté&s másként...", "", -1, "Mentés másként|Mentés más név alatt"},
        {"FileExit", "&Kilépés", "", -1, "Kilépés|Kilépés a programból"},
        {"EditCut", "&Kivágás", "Ctrl+X", 0, "Kivágás|Kiválasztott tétel kivágása és vágólapra helyezése"},
        {"EditCopy", "&Másolás", "Ctrl+C", 1, "Másolás|Kiválasztott tétel vágólapra másolása"},
        {"EditPaste", "&Beillesztés", "Ctrl+V", 2, "Beillesztés|A vágólapon lévő elem beillesztése"},
        {"HelpAbout", "&Névjegy...", "", -1, "Névjegy"},
        {"NewItemAction", "Ú&j számítás...", "Ctrl+J", -1, "Új számítás|Új számítás létrehozása"},
        {"ModifyItemAction", "&Módosítás...", "Ctrl+M", -1, "Módosítás|Számítás módosítása"},
        {"DeleteItemAction", "Tö&rlés", "Ctrl+Del", -1, "Törlés|Számítás(ok) törlése"},
        {"RenameItemAction", "Á&tnevezés", "Ctrl+T", -1, "Átnevezés|Számítás átnevezése"},
        {"PrintAction", "&Nyomtatás...", "Ctrl+P", 14, "Nyomtatás|Számítások nyomtatása"},
        {"ViewAction", "&Nézet", "", 15, "Nézet|Elemek nézetmód váltás"},
        {"ProjectDataAction", "Projekt adatok...", "", -1, "Projekt adatok| Projekt adminisztratív adatok"},
        {"ProgramOptionsAction", "Beállítások", "", -1, "Beállítások|Program beállítások módosítása"},
        {"HelpContent", "Tartalom", "", -1, ""},
        {"HelpIndex", "Témakör keresése...", "", -1, ""},
        {"HelpOnHelp", "Használat", "", -1, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QAction& action = ActionOf(form, row.name);
        EXPECT_EQ(action.text(), QString::fromUtf8(row.caption));
        EXPECT_EQ(action.shortcut().toString(QKeySequence::PortableText), QString::fromLatin1(row.shortcut));
        if (row.image < 0) {
            EXPECT_TRUE(action.icon().isNull());
        } else {
            EXPECT_EQ(action.icon().cacheKey(), images.Image(row.image).cacheKey());
        }
        EXPECT_EQ(ComponentHint(action), QString::fromUtf8(row.hint));
    }
    EXPECT_EQ(form.ItemsList().ColumnCaption(0), QStringLiteral("Elnevezés"));
}

TEST_F(MainFormTest, EveryMenuEntryInOrder) {
    TMainForm& form = Start();
    // Action names, "-" for a separator.
    const auto entries = [](const QList<QAction*>& actions) {
        QStringList names;
        for (const QAction* action : actions) {
            if (action->isSeparator()) {
                names << QStringLiteral("-");
            } else {
                names << (action->menu() ? action->menu()->objectName() : action->objectName());
            }
        }
        return names;
    };
    EXPECT_EQ(entries(form.menuBar()->actions()), (QStringList{"File1", "Edit1", "Calculate1", "Belltsok1", "Help1"}));
    const struct {
        const char* menu;
        const char* title;
        const char* hint;
        QStringList entries;
    } rows[] = {
        {"File1", "&Fájl", "Fájl műveletek",
         {"FileNew", "FileOpen", "FileSave", "FileSaveAs", "-", "ProjectDataAction", "PrintAction", "-", "FileExit"}},
        {"Edit1", "&Szerkesztés", "Vágólap műveletek", {"EditCut", "EditCopy", "EditPaste"}},
        {"Calculate1", "Számítás", "Számítási műveletek",
         {"NewItemAction", "ModifyItemAction", "RenameItemAction", "DeleteItemAction"}},
        {"Help1", "&Súgó", "Súgó elemek", {"HelpContent", "HelpIndex", "-", "HelpOnHelp", "-", "HelpAbout"}},
        {"PopupMenu", "", "",
         {"NewItemAction", "ModifyItemAction", "-", "EditCut", "EditCopy", "EditPaste", "-", "DeleteItemAction",
          "RenameItemAction"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.menu);
        const QMenu& menu = *form.FindComponentAs<QMenu>(QString::fromLatin1(row.menu));
        EXPECT_EQ(menu.title(), QString::fromUtf8(row.title));
        EXPECT_EQ(ComponentHint(menu), QString::fromUtf8(row.hint));
        EXPECT_EQ(entries(menu.actions()), row.entries);
    }
    // The list's context menu is the popup; the options entry runs its action.
    EXPECT_EQ(form.ItemsList().PopupMenu(), form.FindComponentAs<QMenu>(QStringLiteral("PopupMenu")));
    int runs = 0;
    QObject::connect(&ActionOf(form, "ProgramOptionsAction"), &QAction::triggered, [&] { ++runs; });
    ModalResult = mrCancel;
    form.FindComponentAs<QAction>(QStringLiteral("Belltsok1"))->trigger();
    EXPECT_EQ(runs, 1);
}

TEST_F(MainFormTest, TranslatedIntoEnglish) {
    SelectLanguage("English");
    TMainForm& form = Start();
    EXPECT_EQ(LanguageList->GetLanguageID(), "English");
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Valdorine - "));
    QAction& fileNew = ActionOf(form, "FileNew");
    EXPECT_EQ(fileNew.text(), QStringLiteral("&New document..."));
    EXPECT_EQ(fileNew.toolTip(), QStringLiteral("New document"));
    EXPECT_EQ(fileNew.statusTip(), QStringLiteral("Create a new document"));
    EXPECT_EQ(ActionOf(form, "HelpAbout").statusTip(), QStringLiteral("About"));  // no long part
    EXPECT_EQ(ActionOf(form, "HelpOnHelp").text(), QStringLiteral("How to use help"));
    QMenu* file = form.FindComponentAs<QMenu>(QStringLiteral("File1"));
    EXPECT_EQ(file->title(), QStringLiteral("&File"));
    EXPECT_EQ(file->menuAction()->statusTip(), QStringLiteral("File operations"));
    EXPECT_EQ(form.FindComponentAs<QMenu>(QStringLiteral("Help1"))->title(), QStringLiteral("&Help"));
    // The options entry of the menu bar follows its action.
    EXPECT_EQ(form.FindComponentAs<QAction>(QStringLiteral("Belltsok1"))->text(), QStringLiteral("Options"));
    EXPECT_EQ(form.ItemsList().ColumnCaption(0), QStringLiteral("Name"));
    EXPECT_EQ(form.ItemsList().ColumnCaption(1), QStringLiteral("Comment"));
    auto* open = form.FindComponentAs<TOpenDialog>(QStringLiteral("OpenDialog"));
    EXPECT_EQ(open->Filter(), QStringLiteral("VALDORINE projects (*.kvr)|*.kvr|All files (*.*)|*.*"));
    // Charset 238 of the English file: the form and the list view take it.
    EXPECT_EQ(FontCharset(form), 238);
    EXPECT_EQ(FontCharset(form.ItemsList()), 238);
    EXPECT_EQ(ProgramTitle(), "Valdorine");
}

TEST_F(MainFormTest, StatusBarShowsTheLongHint) {
    SelectLanguage("English");
    TMainForm& form = Start();
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    ActionOf(form, "FileOpen").showStatusText(&form);
    EXPECT_EQ(form.statusBar()->currentMessage(), QStringLiteral("Open an existing document"));
    EXPECT_EQ(form.statusBar()->height(), 18);
    EXPECT_EQ(form.findChild<QToolBar*>(QStringLiteral("ToolBar1"))->height(), 30);
}

TEST_F(MainFormTest, AboutAndHelpCommands) {
    ShipHelp();
    TMainForm& form = Start();
    Trigger(form, "HelpAbout");
    EXPECT_EQ(ModalForms, (std::vector<QString>{QStringLiteral("AboutBox")}));

    Trigger(form, "HelpContent");
    Trigger(form, "HelpIndex");
    Trigger(form, "HelpOnHelp");
    EXPECT_TRUE(form.ShowHelp());  // F1
    const QString help = QString::fromStdString((ProgramFolder() / "help").string());
    ASSERT_EQ(OpenedUrls.size(), 4u);
    EXPECT_EQ(OpenedUrls[0], QUrl::fromLocalFile(help + QStringLiteral("/contents.html")));
    EXPECT_EQ(OpenedUrls[1], QUrl::fromLocalFile(help + QStringLiteral("/keywords.html")));
    EXPECT_EQ(OpenedUrls[2], QUrl::fromLocalFile(help + QStringLiteral("/using-help.html")));
    EXPECT_EQ(OpenedUrls[3], QUrl::fromLocalFile(help + QStringLiteral("/100.html")));
}

TEST_F(MainFormTest, HelpThatCantBeShownNamesThePage) {
    ShipHelp();
    SelectLanguage("English");
    TMainForm& form = Start();
    SetOpenUrlHook({});  // the real opener, a stand-in on PATH
    const std::string page = (ProgramFolder() / "help" / "contents.html").string();
    for (const int exitCode : {3, 0}) {
        SCOPED_TRACE(exitCode);
        Boxes.clear();
        testing_support::ScopedUrlOpener opener(exitCode);
        Trigger(form, "HelpContent");
        QTRY_VERIFY(qApp->findChildren<QProcess*>().isEmpty());
        EXPECT_FALSE(opener.Log().empty());
        if (exitCode == 0) {
            EXPECT_TRUE(Boxes.empty());
            continue;
        }
        ASSERT_EQ(Boxes.size(), 1u);
        EXPECT_EQ(Boxes[0].Text, "The help page could not be shown. Open it in your browser: " + page);
        EXPECT_EQ(Boxes[0].Caption, "Valdorine");
        EXPECT_EQ(Boxes[0].Flags, win::MB_OK | win::MB_ICONWARNING);
    }
}

TEST_F(MainFormTest, ExitClosesTheWindow) {
    TMainForm& form = Start();
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    Trigger(form, "FileExit");
    EXPECT_FALSE(form.isVisible());
}

TEST_F(MainFormTest, ComponentsCarryTheFormsNames) {
    TMainForm& form = Start();
    EXPECT_EQ(form.Name(), "MainForm");
    EXPECT_EQ(form.HelpContext(), 100);
    EXPECT_EQ(form.HelpFile(), "VALDORINE.hlp");
    for (const char* name : {"MainMenu1", "File1", "Edit1", "Calculate1", "Belltsok1", "Help1", "PopupMenu",
                             "ToolBar1", "StatusBar", "ItemsList", "OpenDialog", "SaveDialog", "ImageList1",
                             "LargeImages", "SmallImages", "ActionList1"}) {
        EXPECT_NE(form.FindComponent(name), nullptr) << name;
    }
    EXPECT_EQ(form.geometry().size(), QSize(505, 389));
    EXPECT_EQ(form.palette().color(QPalette::Window), QColor(208, 224, 192));
    EXPECT_EQ(form.font().pixelSize(), 11);
    EXPECT_EQ(form.font().family(), QStringLiteral("Arial"));
    // The toolbar's buttons in order, with the separators.
    QStringList toolbar;
    for (QAction* action : form.findChild<QToolBar*>(QStringLiteral("ToolBar1"))->actions()) {
        toolbar << (action->isSeparator() ? QStringLiteral("-") : action->objectName());
    }
    EXPECT_EQ(toolbar, (QStringList{"FileNew", "FileOpen", "FileSave", "-", "EditCut", "EditCopy", "EditPaste", "-",
                                    "ViewAction", "PrintAction"}));
    for (const char* name : {"FileNew", "FileOpen", "FileSave", "EditCut", "EditCopy", "EditPaste", "PrintAction",
                             "ViewAction"}) {
        EXPECT_FALSE(ActionOf(form, name).icon().isNull()) << name;
    }
}
