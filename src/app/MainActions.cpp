// The main window's non-visual components: the actions with their captions,
// shortcuts, images and hints, the menus, the toolbar's buttons, the file
// dialogs and the image lists. Built-in texts are Hungarian; translation
// replaces them by name.

#include "app/Icons.h"
#include "app/Main.h"
#include "platform/ui/ComponentEvents.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/ListView.h"
#include "platform/ui/ShortCut.h"
#include "project/StreamPrimitives.h"
#include "ui_Main.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include <stdexcept>

namespace {

constexpr int kNoImage = -1;

struct TActionSpec {
    const char* Name;
    const char* Category;
    const char* Caption;
    int ShortCut;  // the component library's value; 0: none
    int Image;     // index into ImageList1
    const char* Hint;
};

// Captions, shortcuts, images and hints of the form resource.
constexpr TActionSpec kActions[] = {
    {"FileNew", "File", "Új dok&umentum...", 16462, 6, "Új dokumentum|Új dokumentum létrehozása"},
    {"FileOpen", "File", "&Megnyitás...", 16463, 7, "Megnyitás|Meglévő dokumentum megnyitása"},
    {"FileSave", "File", "&Mentés", 16467, 8, "Mentés|Dokumentum mentése"},
    {"FileSaveAs", "File", "Menté&s másként...", 0, kNoImage, "Mentés másként|Mentés más név alatt"},
    {"FileExit", "File", "&Kilépés", 0, kNoImage, "Kilépés|Kilépés a programból"},
    {"EditCut", "Edit", "&Kivágás", 16472, 0, "Kivágás|Kiválasztott tétel kivágása és vágólapra helyezése"},
    {"EditCopy", "Edit", "&Másolás", 16451, 1, "Másolás|Kiválasztott tétel vágólapra másolása"},
    {"EditPaste", "Edit", "&Beillesztés", 16470, 2, "Beillesztés|A vágólapon lévő elem beillesztése"},
    {"HelpAbout", "Help", "&Névjegy...", 0, kNoImage, "Névjegy"},
    {"NewItemAction", "", "Ú&j számítás...", 16458, kNoImage, "Új számítás|Új számítás létrehozása"},
    {"ModifyItemAction", "", "&Módosítás...", 16461, kNoImage, "Módosítás|Számítás módosítása"},
    {"DeleteItemAction", "", "Tö&rlés", 16430, kNoImage, "Törlés|Számítás(ok) törlése"},
    {"RenameItemAction", "", "Á&tnevezés", 16468, kNoImage, "Átnevezés|Számítás átnevezése"},
    {"PrintAction", "File", "&Nyomtatás...", 16464, 14, "Nyomtatás|Számítások nyomtatása"},
    {"ViewAction", "", "&Nézet", 0, 15, "Nézet|Elemek nézetmód váltás"},
    {"ProjectDataAction", "File", "Projekt adatok...", 0, kNoImage, "Projekt adatok| Projekt adminisztratív adatok"},
    {"ProgramOptionsAction", "", "Beállítások", 0, kNoImage, "Beállítások|Program beállítások módosítása"},
    {"HelpContent", "Help", "Tartalom", 0, kNoImage, ""},
    {"HelpIndex", "Help", "Témakör keresése...", 0, kNoImage, ""},
    {"HelpOnHelp", "Help", "Használat", 0, kNoImage, ""},
};

constexpr char kFileFilter[] = "VALDORINE projektek (*.kvr)|*.kvr|Minden fájl (*.*)|*.*";

QMenu* AddMenu(QMenuBar& bar, const char* name, const char* caption, const char* hint) {
    QMenu* menu = bar.addMenu(QString::fromUtf8(caption));
    menu->setObjectName(QString::fromLatin1(name));
    SetComponentHint(*menu, QString::fromUtf8(hint));
    return menu;
}

}  // namespace

QAction& TMainForm::Action(const char* name) const {
    auto* action = FindComponentAs<QAction>(QString::fromLatin1(name));
    if (!action) throw std::logic_error(std::string("No action ") + name);
    return *action;
}

void TMainForm::CreateComponents() {
    imageList1_ = new TImageList(QSize(16, 16), this);
    imageList1_->setObjectName(QStringLiteral("ImageList1"));
    for (const int index : ActionImageIndexes()) imageList1_->SetImage(index, ActionImage(index));

    CreateActions();
    CreateMenus();

    for (const char* name : {"FileNew", "FileOpen", "FileSave", "", "EditCut", "EditCopy", "EditPaste", "",
                             "ViewAction", "PrintAction"}) {
        if (*name == '\0') {
            ui_->ToolBar1->addSeparator();
        } else {
            ui_->ToolBar1->addAction(&Action(name));
        }
    }

    TListView& list = *ui_->ItemsList;
    list.AddColumn(QStringLiteral("Elnevezés"), 150);
    list.AddColumn(QStringLiteral("Megjegyzés"), 150);
    list.SetMultiSelect(true);
    // An item's name no longer than the project file keeps it.
    list.SetMaxEditLength(static_cast<int>(kMaxStoredText));
    ShowItemImages(*this, list);
    list.SetPopupMenu(popupMenu_);
    list.SetViewStyle(TViewStyle::Icon);
    OnClick(list, this, [this] { ItemsListClick(); });
    // The keyboard selects too (Ctrl+A, Shift+arrows), without a click.
    ConnectCommand(&list, &TListView::SelectionChanged, this, [this] { UpdateActionStates(); });
    // A double click means Modify.
    OnDblClick(list, this, [this] { Action("ModifyItemAction").trigger(); });
    OnEdited(list, this, [this](int index, const QString& text) { ItemsListEdited(index, text); });

    openDialog_ = new TOpenDialog(this);
    openDialog_->setObjectName(QStringLiteral("OpenDialog"));
    openDialog_->SetDefaultExt(QStringLiteral("kvr"));
    openDialog_->SetFilter(QString::fromUtf8(kFileFilter));
    openDialog_->SetFileMustExist(true);
    saveDialog_ = new TSaveDialog(this);
    saveDialog_->setObjectName(QStringLiteral("SaveDialog"));
    saveDialog_->SetDefaultExt(QStringLiteral("kvr"));
    saveDialog_->SetFilter(QString::fromUtf8(kFileFilter));
    saveDialog_->SetOverwritePrompt(true);
}

void TMainForm::CreateActions() {
    auto* actionList = new QObject(this);
    actionList->setObjectName(QStringLiteral("ActionList1"));
    for (const TActionSpec& entry : kActions) {
        auto* action = new QAction(QString::fromUtf8(entry.Caption), actionList);
        action->setObjectName(QString::fromLatin1(entry.Name));
        action->setProperty("category", QString::fromLatin1(entry.Category));
        if (entry.ShortCut != 0) action->setShortcut(KeySequenceOfShortCut(entry.ShortCut));
        if (entry.Image != kNoImage) action->setIcon(imageList1_->Image(entry.Image));
        if (*entry.Hint != '\0') SetComponentHint(*action, QString::fromUtf8(entry.Hint));
        // Shortcuts work wherever the focus is in the window.
        addAction(action);
        // A name still being typed belongs to the item it was started on:
        // commit it before any command moves, reads or replaces the items.
        ConnectCommand(action, &QAction::triggered, this, [this] { ItemsList().EndEditing(); });
    }
    OnExecute(Action("FileNew"), this, [this] { FileNewExecute(); });
    OnExecute(Action("FileOpen"), this, [this] { FileOpenExecute(); });
    OnExecute(Action("FileSave"), this, [this] { SaveExecute(); });
    OnExecute(Action("FileSaveAs"), this, [this] { FileSaveAsExecute(); });
    OnExecute(Action("FileExit"), this, [this] { FileExitExecute(); });
    OnExecute(Action("EditCut"), this, [this] { EditCutExecute(); });
    OnExecute(Action("EditCopy"), this, [this] { EditCopyExecute(); });
    OnExecute(Action("EditPaste"), this, [this] { EditPasteExecute(); });
    OnExecute(Action("HelpAbout"), this, [this] { HelpAboutExecute(); });
    OnExecute(Action("NewItemAction"), this, [this] { NewItemActionExecute(); });
    OnExecute(Action("ModifyItemAction"), this, [this] { ModifyItemActionExecute(); });
    OnExecute(Action("DeleteItemAction"), this, [this] { DeleteItemActionExecute(); });
    OnExecute(Action("RenameItemAction"), this, [this] { RenameItemActionExecute(); });
    OnExecute(Action("PrintAction"), this, [this] { PrintActionExecute(); });
    OnExecute(Action("ViewAction"), this, [this] { ViewActionExecute(); });
    OnExecute(Action("ProjectDataAction"), this, [this] { ProjectDataActionExecute(); });
    OnExecute(Action("ProgramOptionsAction"), this, [this] { ProgramOptionsActionExecute(); });
    OnExecute(Action("HelpContent"), this, [this] { HelpContentExecute(); });
    OnExecute(Action("HelpIndex"), this, [this] { HelpIndexExecute(); });
    OnExecute(Action("HelpOnHelp"), this, [this] { HelpOnHelpExecute(); });
}

void TMainForm::CreateMenus() {
    QMenuBar& bar = *menuBar();
    bar.setObjectName(QStringLiteral("MainMenu1"));
    const auto fill = [this](QMenu& menu, std::initializer_list<const char*> names) {
        for (const char* name : names) {
            if (*name == '\0') {
                menu.addSeparator();
            } else {
                menu.addAction(&Action(name));
            }
        }
    };

    QMenu* file = AddMenu(bar, "File1", "&Fájl", "Fájl műveletek");
    fill(*file, {"FileNew", "FileOpen", "FileSave", "FileSaveAs", "", "ProjectDataAction", "PrintAction", "", "FileExit"});
    QMenu* edit = AddMenu(bar, "Edit1", "&Szerkesztés", "Vágólap műveletek");
    fill(*edit, {"EditCut", "EditCopy", "EditPaste"});
    QMenu* calculate = AddMenu(bar, "Calculate1", "Számítás", "Számítási műveletek");
    fill(*calculate, {"NewItemAction", "ModifyItemAction", "RenameItemAction", "DeleteItemAction"});

    // A top-level entry of its own, bound to the options action: it shows the
    // action's caption, hint and state, and runs it.
    QAction& options = Action("ProgramOptionsAction");
    auto* settings = new QAction(options.text(), &bar);
    settings->setObjectName(QStringLiteral("Belltsok1"));
    const auto follow = [settings, &options] {
        settings->setText(options.text());
        settings->setToolTip(options.toolTip());
        settings->setStatusTip(options.statusTip());
        settings->setEnabled(options.isEnabled());
    };
    follow();
    connect(&options, &QAction::changed, settings, follow);
    connect(settings, &QAction::triggered, &options, &QAction::trigger);
    bar.addAction(settings);

    QMenu* help = AddMenu(bar, "Help1", "&Súgó", "Súgó elemek");
    fill(*help, {"HelpContent", "HelpIndex", "", "HelpOnHelp", "", "HelpAbout"});

    popupMenu_ = new QMenu(this);
    popupMenu_->setObjectName(QStringLiteral("PopupMenu"));
    fill(*popupMenu_, {"NewItemAction", "ModifyItemAction", "", "EditCut", "EditCopy", "EditPaste", "",
                       "DeleteItemAction", "RenameItemAction"});

    OnPopup(*popupMenu_, this, [this] { PopupMenuPopup(); });
    for (QMenu* menu : {file, edit, calculate}) OnClick(*menu, this, [this] { PopupMenuPopup(); });
}
