// The main window's start-up and end.

#include "app/Main.h"

#include "app/AppFiles.h"
#include "app/LogoPicture.h"
#include "data/DatabaseLoader.h"
#include "data/Isolation.h"
#include "data/Mediumdbitem.h"
#include "data/Price.h"
#include "lang/Languages.h"
#include "platform/base/Format.h"
#include "platform/ui/CommandGuard.h"
#include "platform/ui/Help.h"
#include "platform/ui/ListView.h"
#include "platform/win/Files.h"
#include "platform/win/MessageBox.h"
#include "project/ProgramOptions.h"
#include "project/Project.h"
#include "ui_Main.h"

#include <QCloseEvent>

#include <utility>

TMainForm* MainForm = nullptr;

namespace {

StartupObserver& Observer() {
    static StartupObserver observer;
    return observer;
}

void Step(std::string_view name) {
    if (Observer()) Observer()(name);
}

// The browser could not show a help page: name it, so the user can open it by hand.
void ShowHelpFailure(const std::filesystem::path& page) {
    win::MessageBox(Format(LanguageList->GetString("IDS_HELPNOTSHOWN"), {win::TextFromPath(page)}),
                    LanguageList->GetString("IDS_PROGRAMTITLE"), win::MB_OK | win::MB_ICONWARNING);
}

}  // namespace

StartupObserver SetStartupObserver(StartupObserver observer) {
    return std::exchange(Observer(), std::move(observer));
}

TMainForm::TMainForm(QWidget* parent) : TMainWindowForm(parent), ui_(std::make_unique<Ui::MainForm>()) {
    // The global names the window from the start, as the other units expect.
    MainForm = this;
    ui_->setupUi(this);
    // The designed place; the generated code only sizes a window.
    move(178, 211);
    SetHelpContext(100);
    SetHelpFile("VALDORINE.hlp");
    CreateComponents();

    Step("picture");
    {
        TLogoPictureForm logo(this);
        if (logo.HasPicture()) logo.ShowModal();
    }

    Step("languages");
    // A plain ".xml" file may be the user-interface language too.
    LanguageList->CompressedOnly = false;
    LanguageList->Load(AppFolder() / "languages" / "*.xm?");

    Step("options");
    AppOptions = std::make_unique<TProgramOptions>();
    AppOptions->Load();

    Step("translation");
    LanguageList->TranslateForm(*this);
    SetProgramTitle(LanguageList->GetString("IDS_PROGRAMTITLE"));

    Step("help");
    SetApplicationHelpFile(AppFolder() / win::PathFromText(HelpFile()));
    SetHelpFailureHandler(ShowHelpFailure);

    Step("databases");
    LoadDatabases();

    Step("prices");
    // A missing list leaves PriceList empty; a broken one is reported once.
    LoadPriceList(AppFolder() / "PRICE.TXT");

    Step("project");
    project_ = std::make_unique<TProject>();

    Step("states");
    UpdateCaption();
    UpdateActionStates();
}

TMainForm::~TMainForm() {
    // The list outlives the project: an editor it closes must not reach us.
    disconnect(ui_->ItemsList, nullptr, this, nullptr);
    MediumTypes.reset();
    IsolationTypes.reset();
    PriceList.reset();
    AppOptions.reset();
    if (MainForm == this) MainForm = nullptr;
}

void TMainForm::LoadDatabases() {
    ::LoadDatabases("data");
}

void TMainForm::closeEvent(QCloseEvent* event) {
    // The question must know of a rename still being typed.
    ItemsList().EndEditing();
    bool allowed = false;
    RunCommand([&] { allowed = QuerySaveChanges(); });
    if (allowed) {
        event->accept();
    } else {
        event->ignore();
    }
}

TListView& TMainForm::ItemsList() const {
    return *ui_->ItemsList;
}
