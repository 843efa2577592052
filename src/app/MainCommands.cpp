// The main window's state rules, its item, clipboard and options commands,
// and its view, help, about and print commands.

#include "app/About.h"
#include "app/ItemEditor.h"
#include "app/ListViewItems.h"
#include "app/Main.h"
#include "app/ProgramOptions.h"
#include "lang/Languages.h"
#include "platform/base/Controls.h"
#include "platform/ui/Help.h"
#include "platform/ui/ListView.h"
#include "platform/ui/QtText.h"
#include "platform/win/MessageBox.h"
#include "project/ProgramOptions.h"
#include "project/Project.h"
#include "report/Printing.h"

#include <QAction>

#include <cstddef>
#include <utility>

void TMainForm::UpdateActionStates() {
    const bool selected = ItemsList().SelectedIndex() >= 0;
    Action("FileSave").setEnabled(project_->Modified);
    Action("PrintAction").setEnabled(project_->ItemCount() > 0);
    for (const char* name : {"ModifyItemAction", "DeleteItemAction", "RenameItemAction", "EditCut", "EditCopy"}) {
        Action(name).setEnabled(selected);
    }
    Action("EditPaste").setEnabled(Clipboard().HasFormat(project_->ClipboardFormat));
}

void TMainForm::UpdateCaption() {
    const std::string title = LanguageList->GetString("IDS_PROGRAMTITLE");
    const QString fileName = QString::fromStdString(ProjectFilePath().string());
    setWindowTitle(ToQString(title) + QStringLiteral(" - ") + fileName);
}

void TMainForm::FillItemsList() {
    TListViewItems items(ItemsList());
    project_->FillListView(items);
}

void TMainForm::SetItemEditor(std::unique_ptr<IItemEditor> editor) {
    itemEditor_ = std::move(editor);
}

IItemEditor& TMainForm::ItemEditor() {
    if (!itemEditor_) itemEditor_ = std::make_unique<TItemEditor>(this);
    return *itemEditor_;
}

void TMainForm::NewItemActionExecute() {
    TItem item;
    item.Name = LanguageList->GetString("IDS_NEWITEMCAPTION");
    project_->AddItem(ItemEditor(), item);
    FillItemsList();
    UpdateActionStates();
}

void TMainForm::ModifyItemActionExecute() {
    // The action's state may be out of date; the selection decides.
    const int index = ItemsList().SelectedIndex();
    if (index < 0) return;
    project_->EditItem(ItemEditor(), index);
    FillItemsList();
    UpdateActionStates();
}

void TMainForm::RenameItemActionExecute() {
    const int index = ItemsList().SelectedIndex();
    if (index < 0) return;
    // The project learns the name when the edit ends (ItemsListEdited).
    ItemsList().EditCaption(index);
}

void TMainForm::ItemsListEdited(int index, const QString& text) {
    project_->SetItemName(index, FromQString(text));
    // Show the name as stored, with '?' for what Windows-1250 lacks; only this
    // entry, so the selection stays.
    if (index >= 0 && index < project_->ItemCount()) {
        ItemsList().SetCaption(index, ToQString(project_->Items[static_cast<std::size_t>(index)].Name));
    }
    UpdateActionStates();
}

void TMainForm::DeleteItemActionExecute() {
    if (ItemsList().SelectedIndex() < 0) return;
    const int answer = win::MessageBox(LanguageList->GetString("IDS_DELETEQUESTION"),
                                       LanguageList->GetString("IDS_PROGRAMTITLE"), win::MB_YESNO | win::MB_ICONQUESTION);
    if (answer != win::IDYES) return;
    project_->DeleteSelectedItems(TListViewItems(ItemsList()));
    FillItemsList();
    UpdateActionStates();
}

void TMainForm::EditCutExecute() {
    if (ItemsList().SelectedIndex() < 0) return;
    const TListViewItems selection(ItemsList());
    project_->CopyToClipboard(selection);
    project_->DeleteSelectedItems(selection);
    FillItemsList();
    UpdateActionStates();
}

void TMainForm::EditCopyExecute() {
    if (ItemsList().SelectedIndex() < 0) return;
    project_->CopyToClipboard(TListViewItems(ItemsList()));
    UpdateActionStates();
}

void TMainForm::EditPasteExecute() {
    if (!Clipboard().HasFormat(project_->ClipboardFormat)) return;
    project_->PasteFromClipboard();
    FillItemsList();
    UpdateActionStates();
}

void TMainForm::ProgramOptionsActionExecute() {
    TProgramOptionsForm form(this, *AppOptions);
    form.ShowModal();
}

void TMainForm::ViewActionExecute() {
    TListView& list = ItemsList();
    list.SetViewStyle(static_cast<TViewStyle>((static_cast<int>(list.ViewStyle()) + 1) % 4));
}

void TMainForm::HelpAboutExecute() {
    // Owned by the application, like the main window.
    TAboutBox about(nullptr);
    about.ShowModal();
}

void TMainForm::HelpContentExecute() {
    HelpCommand(HELP_CONTENTS, 0);
}

void TMainForm::HelpIndexExecute() {
    HelpCommand(HELP_PARTIALKEY, 0);
}

void TMainForm::HelpOnHelpExecute() {
    HelpCommand(HELP_HELPONHELP, 0);
}

void TMainForm::PopupMenuPopup() {
    UpdateActionStates();
}

void TMainForm::ItemsListClick() {
    UpdateActionStates();
}

void TMainForm::PrintActionExecute() {
    TPrintingForm form(this, *project_);
    form.ShowModal();
}
