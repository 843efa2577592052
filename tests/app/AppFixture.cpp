#include "app/AppFixture.h"

#include "app/AppFiles.h"
#include "app/Main.h"
#include "data/Isolation.h"
#include "data/Mediumdbitem.h"
#include "data/Price.h"
#include "data/StandardTubes.h"
#include "lang/Languages.h"
#include "platform/base/Registry.h"
#include "platform/ui/CommandGuard.h"
#include "platform/win/CodePage.h"
#include "project/ProgramOptions.h"

#include <QAction>

#include <utility>

AppFixture::AppFixture() = default;
AppFixture::~AppFixture() = default;

void AppFixture::SetUp() {
    program_ = dir_.Path() / "program";
    work_ = dir_.Path() / "work";
    std::filesystem::create_directories(program_ / "languages");
    std::filesystem::create_directories(work_);
    for (const char* name : {"English.xml", "Magyar.xml"}) {
        std::filesystem::copy_file(std::filesystem::path(SOURCE_ROOT) / "languages" / name, program_ / "languages" / name);
    }
    testing_support::WriteFile(Executable(), "");
    SetAppExecutableForTesting(Executable());
    // The data bases come from "data" of the current directory: none here.
    previousCurrent_ = std::filesystem::current_path();
    std::filesystem::current_path(work_);

    LanguageList = std::make_unique<TLanguages>();
    previousBox_ = win::SetMessageBoxHook([this](const std::string& text, const std::string& caption, unsigned flags) {
        Boxes.push_back({text, caption, flags});
        if (BoxAnswers.empty()) return (flags & win::MB_TYPEMASK) == win::MB_OK ? win::IDOK : win::IDCANCEL;
        const int answer = BoxAnswers.front();
        BoxAnswers.pop_front();
        return answer;
    });
    previousRunner_ = SetModalRunner([this](TForm& form) {
        ModalForms.push_back(form.objectName());
        return ModalResult;
    });
    previousDialogs_ = SetFileDialogHook([this](const TFileDialog& dialog) -> std::optional<QString> {
        Dialogs.push_back(dialog.Kind());
        if (DialogAnswers.empty()) return std::nullopt;
        auto answer = DialogAnswers.front();
        DialogAnswers.pop_front();
        if (!answer) return std::nullopt;
        return QString::fromStdString(answer->string());
    });
    previousUrls_ = SetOpenUrlHook([this](const QUrl& url) {
        OpenedUrls.push_back(url);
        return true;
    });
    previousToday_ = win::SetTodayHook([] { return win::TDate{2004, 2, 3}; });
}

void AppFixture::TearDown() {
    Stop();
    win::SetTodayHook(std::move(previousToday_));
    SetOpenUrlHook(std::move(previousUrls_));
    SetFileDialogHook(std::move(previousDialogs_));
    SetModalRunner(std::move(previousRunner_));
    win::SetMessageBoxHook(std::move(previousBox_));
    SetProgramTitle("");
    StandardTubeTypes.reset();
    // Tests without this fixture may follow in the same run.
    LanguageList = std::make_unique<TLanguages>();
    std::filesystem::current_path(previousCurrent_);
    SetAppExecutableForTesting({});
}

TMainForm& AppFixture::Start() {
    // One main window at a time: the old one frees the shared objects.
    form_.reset();
    form_ = std::make_unique<TMainForm>();
    return *form_;
}

void AppFixture::Stop() {
    form_.reset();
}

void AppFixture::ShipPicture() {
    std::filesystem::copy_file(std::filesystem::path(SOURCE_ROOT) / "src/app/pictures/Valdorine.jpg",
                               program_ / "Valdorine.jpg");
}

void AppFixture::ShipHelp() {
    std::filesystem::copy(std::filesystem::path(SOURCE_ROOT) / "help", program_ / "help",
                          std::filesystem::copy_options::recursive);
}

void AppFixture::ShipData() {
    std::filesystem::copy(std::filesystem::path(SOURCE_ROOT) / "data", work_ / "data",
                          std::filesystem::copy_options::recursive);
}

void AppFixture::ShipPriceList() {
    std::filesystem::copy_file(std::filesystem::path(SOURCE_ROOT) / "PRICE.TXT", program_ / "PRICE.TXT");
}

void AppFixture::SelectLanguage(const std::string& id) {
    TRegistry registry;
    ASSERT_TRUE(OpenProgramKey(registry));
    ASSERT_TRUE(registry.OpenKey("ProgramOptions", true));
    registry.WriteString("LanguageID", id);
}

std::string Cp1250(const char* utf8) {
    return win::FromUtf8(win::CodePage::Cp1250, utf8);
}

std::string RuledStates(const TMainForm& form) {
    std::string states;
    for (const char* name : {"FileSave", "PrintAction", "ModifyItemAction", "DeleteItemAction", "RenameItemAction",
                             "EditCut", "EditCopy", "EditPaste"}) {
        states += form.FindComponentAs<QAction>(QString::fromLatin1(name))->isEnabled() ? '1' : '0';
    }
    return states;
}
