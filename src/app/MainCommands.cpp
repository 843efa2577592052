// The main window's state rules and its view, help, about and print commands.

#include "app/About.h"
#include "app/ListViewItems.h"
#include "app/Main.h"
#include "lang/Languages.h"
#include "platform/base/Controls.h"
#include "platform/ui/Help.h"
#include "platform/ui/ListView.h"
#include "platform/ui/QtText.h"
#include "project/Project.h"
#include "report/Printing.h"

#include <QAction>

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
    const std::string title = LanguageList ? LanguageList->GetString("IDS_PROGRAMTITLE") : std::string();
    const QString fileName = QString::fromStdString(ProjectFilePath().string());
    setWindowTitle(ToQString(title) + QStringLiteral(" - ") + fileName);
}

void TMainForm::FillItemsList() {
    TListViewItems items(ItemsList());
    project_->FillListView(items);
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
