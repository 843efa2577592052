// The main window's item and clipboard commands, with an editor standing in
// for the calculation dialog.

#include "app/AppFixture.h"

#include "app/Main.h"
#include "lang/Languages.h"
#include "platform/base/Controls.h"
#include "platform/ui/ListView.h"
#include "platform/ui/QtText.h"
#include "project/Project.h"

#include <QAbstractItemView>
#include <QAction>
#include <QLineEdit>
#include <QTest>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// Answers every edit with `Answer`, after `Change`; notes the names it saw.
class TScriptedEditor : public IItemEditor {
public:
    bool Edit(TItem& item) override {
        Seen.push_back(item.Name);
        if (Change) Change(item);
        return Answer;
    }
    bool Answer = true;
    std::function<void(TItem&)> Change;
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

    // The window with items "item 0" .. "item n-1", added through New.
    TMainForm& StartWith(int count) {
        TMainForm& form = Start();
        auto owned = std::make_unique<TScriptedEditor>();
        editor = owned.get();
        form.SetItemEditor(std::move(owned));
        for (int i = 0; i < count; ++i) {
            editor->Change = [i](TItem& item) { item.Name = "item " + std::to_string(i); };
            Trigger(form, "NewItemAction");
        }
        editor->Change = nullptr;
        editor->Seen.clear();
        return form;
    }
    void Select(TMainForm& form, std::initializer_list<int> indexes) {
        for (const int index : indexes) form.ItemsList().SetSelected(index, true);
        emit form.ItemsList().Click();
    }
    static QAction& ActionOf(TMainForm& form, const char* name) {
        return *form.FindComponentAs<QAction>(QString::fromLatin1(name));
    }
    static void Trigger(TMainForm& form, const char* name) { ActionOf(form, name).trigger(); }
    static std::vector<std::string> Names(const TMainForm& form) {
        std::vector<std::string> names;
        for (const TItem& item : form.Project().Items) names.push_back(item.Name);
        return names;
    }
    // The list shows the project, entry for item.
    static void ExpectListShowsProject(TMainForm& form) {
        ASSERT_EQ(form.ItemsList().Count(), form.Project().ItemCount());
        for (int i = 0; i < form.ItemsList().Count(); ++i) {
            EXPECT_EQ(form.ItemsList().Caption(i), ToQString(form.Project().Items[static_cast<std::size_t>(i)].Name));
        }
    }

    TMemoryClipboard clipboard;
    TScriptedEditor* editor = nullptr;

private:
    IClipboard* previousClipboard_ = nullptr;
};

}  // namespace

TEST_F(MainCommandsTest, NewItemStaysWithItsTranslatedNameWhenCancelled) {
    TMainForm& form = StartWith(2);
    form.Project().Modified = false;
    editor->Answer = false;
    editor->Change = [](TItem& item) { item.Name = "typed, then cancelled"; };
    Trigger(form, "NewItemAction");
    const std::string caption = LanguageList->GetString("IDS_NEWITEMCAPTION");
    EXPECT_EQ(caption, Cp1250("Új tétel"));
    EXPECT_EQ(editor->Seen, std::vector<std::string>{caption});
    EXPECT_EQ(Names(form), (std::vector<std::string>{"item 0", "item 1", caption}));
    EXPECT_TRUE(form.Project().Modified);
    EXPECT_TRUE(ActionOf(form, "FileSave").isEnabled());
    ExpectListShowsProject(form);
}

TEST_F(MainCommandsTest, ModifyEditsTheFirstSelectedItem) {
    for (const bool ok : {false, true}) {
        SCOPED_TRACE(ok ? "OK" : "Cancel");
        TMainForm& form = StartWith(4);
        form.Project().Modified = false;
        Select(form, {3, 1});
        editor->Answer = ok;
        editor->Change = [](TItem& item) { item.Name = "modified"; };
        Trigger(form, "ModifyItemAction");
        EXPECT_EQ(editor->Seen, std::vector<std::string>{"item 1"});
        EXPECT_EQ(form.Project().Items[1].Name, ok ? "modified" : "item 1");
        EXPECT_EQ(form.Project().Modified, ok);
        ExpectListShowsProject(form);
    }
}

TEST_F(MainCommandsTest, ModifyWithoutSelectionOpensNothing) {
    TMainForm& form = StartWith(2);
    EXPECT_FALSE(ActionOf(form, "ModifyItemAction").isEnabled());
    form.ModifyItemActionExecute();  // the command states may be out of date
    EXPECT_TRUE(editor->Seen.empty());
    EXPECT_TRUE(ModalForms.empty());
}

TEST_F(MainCommandsTest, DeleteAsksOnceAndDeletesOnlyOnYes) {
    struct Row {
        int answer;
        std::vector<std::string> names;
    };
    const Row rows[] = {{win::IDNO, {"item 0", "item 1", "item 2", "item 3", "item 4"}},
                        {win::IDYES, {"item 1", "item 3", "item 4"}}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.answer);
        TMainForm& form = StartWith(5);
        form.Project().Modified = false;
        Boxes.clear();
        Select(form, {0, 2});
        BoxAnswers = {row.answer};
        Trigger(form, "DeleteItemAction");
        ASSERT_EQ(Boxes.size(), 1u);
        EXPECT_EQ(Boxes[0].Text, LanguageList->GetString("IDS_DELETEQUESTION"));
        EXPECT_EQ(Boxes[0].Caption, "Valdorine");
        EXPECT_EQ(Boxes[0].Flags, 0x24u);
        EXPECT_EQ(Names(form), row.names);
        EXPECT_EQ(form.Project().Modified, row.answer == win::IDYES);
        ExpectListShowsProject(form);
    }
}

TEST_F(MainCommandsTest, CutCopiesAndDeletesWithoutAQuestion) {
    TMainForm& form = StartWith(5);
    Select(form, {4, 1, 2});
    Trigger(form, "EditCut");
    EXPECT_TRUE(Boxes.empty());
    EXPECT_EQ(Names(form), (std::vector<std::string>{"item 0", "item 3"}));
    ExpectListShowsProject(form);
    EXPECT_FALSE(ActionOf(form, "EditCut").isEnabled());  // the refill drops the selection
    EXPECT_TRUE(ActionOf(form, "EditPaste").isEnabled());

    Trigger(form, "EditPaste");
    EXPECT_EQ(Names(form), (std::vector<std::string>{"item 0", "item 3", "item 1", "item 2", "item 4"}));
}

TEST_F(MainCommandsTest, CopiedItemsArePastedInListOrderIntoAnotherProject) {
    TMainForm& form = StartWith(5);
    Select(form, {3, 1});
    Trigger(form, "EditCopy");
    EXPECT_EQ(form.Project().ItemCount(), 5);

    BoxAnswers = {win::IDNO};  // discard the changes
    Trigger(form, "FileNew");
    EXPECT_FALSE(ActionOf(form, "PrintAction").isEnabled());
    EXPECT_TRUE(ActionOf(form, "EditPaste").isEnabled());
    Trigger(form, "EditPaste");
    EXPECT_EQ(Names(form), (std::vector<std::string>{"item 1", "item 3"}));
    EXPECT_TRUE(form.Project().Modified);
    EXPECT_TRUE(ActionOf(form, "PrintAction").isEnabled());
    ExpectListShowsProject(form);
}

TEST_F(MainCommandsTest, PasteWithOnlyRtfOnTheClipboardChangesNothing) {
    TMainForm& form = StartWith(2);
    form.Project().Modified = false;
    clipboard.SetBlocks({{RegisterClipboardFormat("Rich Text Format"), "{\\rtf1 x}"}});
    form.UpdateActionStates();
    EXPECT_FALSE(ActionOf(form, "EditPaste").isEnabled());
    form.EditPasteExecute();  // the command states may be out of date
    EXPECT_EQ(form.Project().ItemCount(), 2);
    EXPECT_FALSE(form.Project().Modified);
}

TEST_F(MainCommandsTest, RenameEditsInPlaceAndTheProjectTakesTheName) {
    TMainForm& form = StartWith(3);
    form.Project().Modified = false;
    form.UpdateActionStates();
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    Select(form, {1});
    Trigger(form, "RenameItemAction");
    TListView& list = form.ItemsList();
    ASSERT_TRUE(list.IsEditing());
    EXPECT_EQ(form.Project().Items[1].Name, "item 1");  // nothing yet
    auto* editorWidget = list.CurrentView().viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editorWidget, nullptr);
    editorWidget->selectAll();
    QTest::keyClicks(editorWidget, QStringLiteral("Main pipe"));
    QTest::keyClick(editorWidget, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form.Project().Items[1].Name == "Main pipe"; }, 2000));
    EXPECT_TRUE(form.Project().Modified);
    EXPECT_TRUE(ActionOf(form, "FileSave").isEnabled());
    EXPECT_TRUE(list.IsSelected(1));  // no refill
    EXPECT_TRUE(ActionOf(form, "RenameItemAction").isEnabled());
}

TEST_F(MainCommandsTest, RenameStoresWindows1250AndShowsWhatItStored) {
    struct Row {
        const char* typed;
        std::string stored;
        const char* shown;
    };
    const Row rows[] = {
        {"Fő cső", Cp1250("Fő cső"), "Fő cső"},
        {"10 €", Cp1250("10 €"), "10 €"},
        {"Peñón", "Pe?\xF3n", "Pe?ón"},
        {"item 0", "item 0", "item 0"},  // unchanged still counts as a change
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
        TMainForm& form = StartWith(1);
        form.Project().Modified = false;
        emit form.ItemsList().Edited(0, QString::fromUtf8(row.typed));
        EXPECT_EQ(form.Project().Items[0].Name, row.stored);
        EXPECT_EQ(form.ItemsList().Caption(0), QString::fromUtf8(row.shown));
        EXPECT_TRUE(form.Project().Modified);
    }
}
