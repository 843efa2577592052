#pragma once
// The main window: the whole start-up of the program, the current project in
// a list view, and every user command through one set of actions that feeds
// the main menu, the list's popup menu and the toolbar.

#include "platform/ui/Form.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

class IItemEditor;
class QAction;
class QCloseEvent;
class QMenu;
class QString;
class TImageList;
class TListView;
class TOpenDialog;
class TProject;
class TSaveDialog;

namespace Ui {
class MainForm;
}

class TMainForm : public TMainWindowForm {
    Q_OBJECT

public:
    // Shows the start-up picture, loads the languages, the options (which pick
    // the languages), translates the window, sets the help file, loads the
    // data bases and the price list, creates an empty project, and sets the
    // caption and the command states, in this order.
    explicit TMainForm(QWidget* parent = nullptr);
    // Frees the data bases (all but the standard tubes), the price list and the options.
    ~TMainForm() override;

    // The enable rules: Save when modified, Print when there are items, the
    // item and cut/copy commands when an item is selected, Paste when the
    // clipboard holds the project's own format.
    void UpdateActionStates();
    // Title + " - " + the project's file name.
    void UpdateCaption();
    // True when the current project may be discarded: it is unmodified, or the
    // user answers no, or yes and the save succeeds.
    bool QuerySaveChanges();
    // Saves the project, asking for a name when `saveAs` is set or it has none.
    // A failure is shown; the project then keeps its new name and stays modified.
    void SaveProject(bool saveAs);
    void LoadDatabases();

    void FileNewExecute();
    void FileOpenExecute();
    void SaveExecute();
    void FileSaveAsExecute();
    void FileExitExecute();
    void NewItemActionExecute();
    void ModifyItemActionExecute();
    void RenameItemActionExecute();
    void DeleteItemActionExecute();
    void EditCutExecute();
    void EditCopyExecute();
    void EditPasteExecute();
    void ProjectDataActionExecute();
    void ProgramOptionsActionExecute();
    void HelpAboutExecute();
    // The print dialog for the current project.
    void PrintActionExecute();
    void ViewActionExecute();
    void HelpContentExecute();
    void HelpIndexExecute();
    void HelpOnHelpExecute();
    void PopupMenuPopup();
    void ItemsListClick();
    // The user renamed list entry `index` in place.
    void ItemsListEdited(int index, const QString& text);

    TProject& Project() const { return *project_; }
    // The project's file: as chosen in the dialog while the project's
    // FileName is still that path's text, else the path FileName names;
    // empty for a new project.
    std::filesystem::path ProjectFilePath() const;
    TListView& ItemsList() const;
    // Replaces the calculation dialog behind New and Modify (for tests); null
    // restores it.
    void SetItemEditor(std::unique_ptr<IItemEditor> editor);

protected:
    // FormClose: the window closes only when QuerySaveChanges allows.
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateComponents();
    void CreateActions();
    void CreateMenus();
    void FillItemsList();
    IItemEditor& ItemEditor();
    void ReplaceProject(std::unique_ptr<TProject> project, const std::filesystem::path& path);
    QAction& Action(const char* name) const;

    std::unique_ptr<Ui::MainForm> ui_;
    std::unique_ptr<TProject> project_;
    std::filesystem::path projectPath_;
    std::unique_ptr<IItemEditor> itemEditor_;
    TImageList* imageList1_ = nullptr;
    TOpenDialog* openDialog_ = nullptr;
    TSaveDialog* saveDialog_ = nullptr;
    QMenu* popupMenu_ = nullptr;
};

// The main window once the program has created it; null before and after.
extern TMainForm* MainForm;

// Reports each start-up step by name as it begins: "picture", "languages",
// "options", "translation", "help", "databases", "prices", "project",
// "states". For tests; returns the previous observer.
using StartupObserver = std::function<void(std::string_view step)>;
StartupObserver SetStartupObserver(StartupObserver observer);
