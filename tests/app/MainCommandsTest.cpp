// The main window's item and clipboard commands, with an editor standing in
// for the calculation dialog.

#include "app/AppFixture.h"

#include "app/ItemModify.h"
#include "app/Main.h"
#include "app/ProgramOptions.h"
#include "app/ProjektData.h"
#include "lang/Languages.h"
#include "platform/base/Controls.h"
#include "platform/base/StringList.h"
#include "platform/ui/ListView.h"
#include "platform/ui/MemoLines.h"
#include "platform/ui/QtText.h"
#include "project/ProgramOptions.h"
#include "project/Project.h"
#include "project/StreamPrimitives.h"

#include <QAbstractItemView>
#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <cstddef>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

// Renames what it edits to `NewName` and answers `Answer`.
class TScriptedEditor : public IItemEditor {
public:
    bool Edit(TItem& item) override {
        Seen.push_back(item.Name);
        item.Name = NewName;
        return Answer;
    }
    bool Answer = true;
    std::string NewName;
    std::vector<std::string> Seen;
};

class MainCommandsTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        previousClipboard_ = SetClipboard(&clipboard);
    }
    void TearDown() override {
        AppFixture::TearDown();
        SetClipboard(previousClipboard_);
    }

    // The window with items "0" .. "n-1", added through New; not modified.
    TMainForm& StartWith(int count) {
        TMainForm& form = Start();
        auto owned = std::make_unique<TScriptedEditor>();
        editor = owned.get();
        form.SetItemEditor(std::move(owned));
        for (int i = 0; i < count; ++i) {
            editor->NewName = std::to_string(i);
            Trigger(form, "NewItemAction");
        }
        editor->Seen.clear();
        form.Project().Modified = false;
        form.UpdateActionStates();
        return form;
    }
    static void Select(TMainForm& form, std::initializer_list<int> indexes) {
        for (const int index : indexes) form.ItemsList().SetSelected(index, true);
        emit form.ItemsList().Click();
    }
    static QAction& ActionOf(TMainForm& form, const char* name) {
        return *form.FindComponentAs<QAction>(QString::fromLatin1(name));
    }
    static void Trigger(TMainForm& form, const char* name) { ActionOf(form, name).trigger(); }
    // Shows the window, starts renaming item `index` in place and types `text` over its name.
    static QLineEdit& TypeRename(TMainForm& form, int index, const QString& text) {
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
        Select(form, {index});
        Trigger(form, "RenameItemAction");
        auto* edit = form.ItemsList().CurrentView().viewport()->findChild<QLineEdit*>();
        if (!edit) throw std::logic_error("No rename editor");
        edit->selectAll();
        QTest::keyClicks(edit, text);
        return *edit;
    }
    // The project's item names; the list must show the same.
    static std::vector<std::string> Names(TMainForm& form) {
        std::vector<std::string> names;
        std::vector<std::string> shown;
        for (const TItem& item : form.Project().Items) names.push_back(item.Name);
        for (int i = 0; i < form.ItemsList().Count(); ++i) shown.push_back(FromQString(form.ItemsList().Caption(i)));
        EXPECT_EQ(shown, names);
        return names;
    }

    TMemoryClipboard clipboard;
    TScriptedEditor* editor = nullptr;

private:
    IClipboard* previousClipboard_ = nullptr;
};

}  // namespace

TEST_F(MainCommandsTest, ACancelledNewItemStaysWithItsTranslatedName) {
    TMainForm& form = StartWith(2);
    editor->Answer = false;
    editor->NewName = "typed, then cancelled";
    Trigger(form, "NewItemAction");
    const std::string caption = Cp1250("Új tétel");
    EXPECT_EQ(editor->Seen, std::vector<std::string>{caption});
    EXPECT_EQ(Names(form), (std::vector<std::string>{"0", "1", caption}));
    EXPECT_TRUE(ActionOf(form, "FileSave").isEnabled());
}

TEST_F(MainCommandsTest, ModifyEditsTheFirstSelectedItemOnly) {
    for (const bool ok : {false, true}) {
        SCOPED_TRACE(ok);
        TMainForm& form = StartWith(4);
        form.ModifyItemActionExecute();  // nothing selected: no dialog
        EXPECT_TRUE(editor->Seen.empty());
        Select(form, {3, 1});
        editor->Answer = ok;
        editor->NewName = "modified";
        Trigger(form, "ModifyItemAction");
        EXPECT_EQ(editor->Seen, std::vector<std::string>{"1"});
        EXPECT_EQ(Names(form), (std::vector<std::string>{"0", ok ? "modified" : "1", "2", "3"}));
        EXPECT_EQ(form.Project().Modified, ok);
    }
}

TEST_F(MainCommandsTest, DeleteAsksOnceAndDeletesOnlyOnYes) {
    for (const int answer : {win::IDNO, win::IDYES}) {
        SCOPED_TRACE(answer);
        TMainForm& form = StartWith(5);
        Boxes.clear();
        Select(form, {0, 2});
        BoxAnswers = {answer};
        Trigger(form, "DeleteItemAction");
        ASSERT_EQ(Boxes.size(), 1u);
        EXPECT_EQ(Boxes[0].Text, LanguageList->GetString("IDS_DELETEQUESTION"));
        EXPECT_EQ(Boxes[0].Caption, "Valdorine");
        EXPECT_EQ(Boxes[0].Flags, 0x24u);
        const bool yes = answer == win::IDYES;
        const std::vector<std::string> left = yes ? std::vector<std::string>{"1", "3", "4"}
                                                  : std::vector<std::string>{"0", "1", "2", "3", "4"};
        EXPECT_EQ(Names(form), left);
        EXPECT_EQ(form.Project().Modified, yes);
    }
}

TEST_F(MainCommandsTest, CutCopiesAndDeletesWithoutAQuestion) {
    TMainForm& form = StartWith(5);
    Select(form, {4, 1, 2});
    Trigger(form, "EditCut");
    EXPECT_TRUE(Boxes.empty());
    EXPECT_EQ(Names(form), (std::vector<std::string>{"0", "3"}));
    EXPECT_FALSE(ActionOf(form, "EditCut").isEnabled());  // the refill drops the selection
    Trigger(form, "EditPaste");
    EXPECT_EQ(Names(form), (std::vector<std::string>{"0", "3", "1", "2", "4"}));
}

TEST_F(MainCommandsTest, CopiedItemsArePastedInListOrderIntoAnotherProject) {
    TMainForm& form = StartWith(5);
    Select(form, {3, 1});
    Trigger(form, "EditCopy");
    Trigger(form, "FileNew");
    EXPECT_FALSE(ActionOf(form, "PrintAction").isEnabled());
    Trigger(form, "EditPaste");
    EXPECT_EQ(Names(form), (std::vector<std::string>{"1", "3"}));
    EXPECT_TRUE(form.Project().Modified);
    EXPECT_TRUE(ActionOf(form, "PrintAction").isEnabled());

    // Only RTF on the clipboard: Paste is off, and a stale call changes nothing.
    clipboard.SetBlocks({{RegisterClipboardFormat("Rich Text Format"), "{\\rtf1 x}"}});
    form.Project().Modified = false;
    form.UpdateActionStates();
    EXPECT_FALSE(ActionOf(form, "EditPaste").isEnabled());
    form.EditPasteExecute();
    EXPECT_EQ(form.Project().ItemCount(), 2);
    EXPECT_FALSE(form.Project().Modified);
}

TEST_F(MainCommandsTest, RenameEditsInPlaceAndTheProjectTakesTheName) {
    TMainForm& form = StartWith(3);
    QLineEdit& edit = TypeRename(form, 1, QStringLiteral("Main pipe"));
    ASSERT_TRUE(form.ItemsList().IsEditing());
    QTest::keyClick(&edit, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form.Project().Items[1].Name == "Main pipe"; }, 2000));
    EXPECT_TRUE(ActionOf(form, "FileSave").isEnabled());
    EXPECT_TRUE(ActionOf(form, "RenameItemAction").isEnabled());  // no refill: still selected
}

TEST_F(MainCommandsTest, EveryCommandFirstCommitsARenameStillBeingTyped) {
    struct Row {
        const char* action;
        int answer;
        std::vector<std::string> names;   // then pasted, when the clipboard has items
        std::vector<std::string> edited;  // what the calculation dialog was given
    };
    const std::string renamed = "RENAMED";
    const Row rows[] = {
        {"EditCut", 0, {"1", "2", renamed}, {}},
        {"EditCopy", 0, {renamed, "1", "2", renamed}, {}},
        {"DeleteItemAction", win::IDYES, {"1", "2"}, {}},
        {"ModifyItemAction", 0, {"edited", "1", "2"}, {renamed}},
        {"PrintAction", 0, {renamed, "1", "2"}, {}},
        {"FileSaveAs", 0, {renamed, "1", "2"}, {}},
        // The rename modifies the project: these ask first.
        {"FileNew", win::IDCANCEL, {renamed, "1", "2"}, {}},
        {"FileOpen", win::IDCANCEL, {renamed, "1", "2"}, {}},
        {"", win::IDCANCEL, {renamed, "1", "2"}, {}},  // the window's close box
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.action);
        TMainForm& form = StartWith(3);
        clipboard.SetBlocks({});
        Boxes.clear();
        TypeRename(form, 0, QString::fromStdString(renamed));  // no Return
        editor->NewName = "edited";
        DialogAnswers = {WorkFile("renamed.kvr")};
        BoxAnswers = {row.answer};
        *row.action ? Trigger(form, row.action) : void(form.close());
        Trigger(form, "EditPaste");
        EXPECT_EQ(Names(form), row.names);
        EXPECT_EQ(editor->Seen, row.edited);
        EXPECT_EQ(Boxes.size(), row.answer ? 1u : 0u);
    }
}

TEST_F(MainCommandsTest, TextsStopAtWhatAProjectFileKeeps) {
    // L: the list's rename; I, P, O: the calculation, project-data and options dialogs.
    const std::pair<char, const char*> rows[] = {{'L', ""},       {'I', "Name"},    {'I', "Comment"},
                                                 {'P', "Address"}, {'P', "Customer"}, {'P', "Planer"},
                                                 {'P', "Comment"}, {'P', "Date"},     {'O', "Planer"}};
    for (const auto& [kind, name] : rows) {
        SCOPED_TRACE(std::string(1, kind) + name);
        TMainForm& form = StartWith(1);
        TItem item;
        std::unique_ptr<TForm> dialog;
        if (kind == 'I') dialog = std::make_unique<TItemModifyForm>(&form, &item);
        if (kind == 'P') dialog = std::make_unique<TProjektDataForm>(&form, form.Project());
        if (kind == 'O') dialog = std::make_unique<TProgramOptionsForm>(&form, *AppOptions);
        QWidget* control = dialog ? dialog->findChild<QWidget*>(QString::fromLatin1(name)) : &TypeRename(form, 0, {});
        if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            edit->insert(QString(40000, QLatin1Char('x')));
            QTest::keyClick(edit, Qt::Key_Y);
            EXPECT_EQ(static_cast<std::size_t>(edit->text().size()), kMaxStoredText);
            continue;
        }
        auto* memo = qobject_cast<QPlainTextEdit*>(control);
        ASSERT_NE(memo, nullptr);
        memo->insertPlainText(QStringLiteral("ab\n").repeated(15000));  // each line end stored as CR LF
        QTest::keyClick(memo, Qt::Key_Y);
        TStringList stored;
        ReadMemoLines(*memo, stored);
        EXPECT_LE(stored.Text().size(), kMaxStoredText);
        EXPECT_GE(stored.Text().size(), kMaxStoredText - 2);
    }
}

TEST_F(MainCommandsTest, RenameStoresWindows1250AndShowsWhatItStored) {
    struct Row {
        const char* typed;
        std::string stored;
    };
    const Row rows[] = {{"Fő cső", Cp1250("Fő cső")}, {"10 €", Cp1250("10 €")}, {"Peñón", Cp1250("Pe?ón")},
                        {"0", "0"}};  // unchanged still counts as a change
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
        TMainForm& form = StartWith(1);
        emit form.ItemsList().Edited(0, QString::fromUtf8(row.typed));
        EXPECT_EQ(Names(form), std::vector<std::string>{row.stored});
        EXPECT_TRUE(form.Project().Modified);
    }
}

TEST_F(MainCommandsTest, NewAndModifyRunTheCalculationDialogOnACopy) {
    TMainForm& form = Start();
    ModalResult = mrCancel;
    Trigger(form, "NewItemAction");
    EXPECT_EQ(ModalForms, std::vector<QString>{QStringLiteral("ItemModifyForm")});
    EXPECT_EQ(Names(form), std::vector<std::string>{Cp1250("Új tétel")});
    EXPECT_TRUE(form.Project().Modified);

    for (const int result : {mrCancel, mrOk}) {
        SCOPED_TRACE(result);
        form.Project().Modified = false;
        QString shown;
        const ModalRunner previous = SetModalRunner([&](TForm& dialog) {
            shown = dialog.findChild<QLineEdit*>(QStringLiteral("Name"))->text();
            return result;
        });
        Select(form, {0});
        Trigger(form, "ModifyItemAction");
        SetModalRunner(previous);
        EXPECT_EQ(shown, QStringLiteral("Új tétel"));
        EXPECT_EQ(form.Project().Modified, result == mrOk);
    }
}

TEST_F(MainCommandsTest, EveryCommandAppliesTheEnableRules) {
    TMainForm& form = StartWith(3);
    TListView& list = form.ItemsList();
    std::string own;  // the own format's bytes of the first copy
    // The clipboard changes behind the window's back: only the command's own
    // update brings Paste in line.
    const auto flip = [&] {
        if (clipboard.HasFormat(form.Project().ClipboardFormat)) {
            clipboard.SetBlocks({{RegisterClipboardFormat("Rich Text Format"), "{\\rtf1 x}"}});
        } else {
            clipboard.SetBlocks({{form.Project().ClipboardFormat, own}});
        }
    };
    const auto path = WorkFile("rules.kvr");
    const struct {
        const char* command;
        std::function<void()> before;
        std::function<void()> run;
        const char* states;  // see RuledStates
    } rows[] = {
        {"EditCopy",
         [&] {
             clipboard.SetBlocks({});
             Select(form, {0});
         },
         [&] { Trigger(form, "EditCopy"); }, "01111111"},
        {"EditPaste", [&] { ASSERT_TRUE(clipboard.GetBlock(form.Project().ClipboardFormat, own)); },
         [&] { Trigger(form, "EditPaste"); }, "11000001"},
        {"NewItemAction", flip, [&] { Trigger(form, "NewItemAction"); }, "11000000"},
        {"ModifyItemAction",
         [&] {
             Select(form, {1});
             flip();
         },
         [&] { Trigger(form, "ModifyItemAction"); }, "11000001"},
        {"DeleteItemAction",
         [&] {
             Select(form, {0});
             flip();
             BoxAnswers = {win::IDYES};
         },
         [&] { Trigger(form, "DeleteItemAction"); }, "11000000"},
        {"EditCut", [&] { Select(form, {0}); }, [&] { Trigger(form, "EditCut"); }, "11000001"},
        {"ProjectDataAction", flip, [&] { Trigger(form, "ProjectDataAction"); }, "11000000"},
        {"rename",
         [&] {
             Select(form, {0});
             flip();
         },
         [&] { emit list.Edited(0, QStringLiteral("x")); }, "11111111"},
        {"FileSave",
         [&] {
             flip();
             DialogAnswers = {path};
         },
         [&] { Trigger(form, "FileSave"); }, "01111110"},
        {"FileSaveAs",
         [&] {
             form.Project().Modified = true;
             flip();
             DialogAnswers = {WorkFile("other.kvr")};
         },
         [&] { Trigger(form, "FileSaveAs"); }, "01111111"},
        {"FileOpen",
         [&] {
             flip();
             DialogAnswers = {path};
         },
         [&] { Trigger(form, "FileOpen"); }, "01000000"},
        {"FileNew", flip, [&] { Trigger(form, "FileNew"); }, "00000001"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.command);
        row.before();
        row.run();
        EXPECT_EQ(RuledStates(form), row.states);
    }
}
