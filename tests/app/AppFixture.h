#pragma once
// A program of its own for each test: a program folder with the shipped
// language files, an empty registry, and hooks that stand in for the user at
// every message box, modal window, file dialog and browser.

#include "support/TestSupport.h"

#include "platform/ui/FileDialogs.h"
#include "platform/ui/Form.h"
#include "platform/ui/Shell.h"
#include "platform/win/Clock.h"
#include "platform/win/MessageBox.h"

#include <QString>
#include <QUrl>

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TMainForm;

struct TShownBox {
    std::string Text;
    std::string Caption;
    unsigned Flags;
};

class AppFixture : public ::testing::Test {
protected:
    AppFixture();
    ~AppFixture() override;
    void SetUp() override;
    void TearDown() override;

    // The main window, built through the whole start-up.
    TMainForm& Start();
    // Closes and frees the window.
    void Stop();

    // The program folder and the executable that stands for the program.
    const std::filesystem::path& ProgramFolder() const { return program_; }
    std::filesystem::path Executable() const { return program_ / "Valdorine"; }
    // A folder for the test's own files.
    std::filesystem::path WorkFile(const std::string& name) const { return work_ / name; }

    void ShipPicture();
    void ShipHelp();
    // The shipped data bases into "data" of the current directory, and the
    // shipped price list beside the program, for the next Start.
    void ShipData();
    void ShipPriceList();
    void SelectLanguage(const std::string& id);

    // Answers, used in order; an empty queue answers OK / the default.
    std::deque<int> BoxAnswers;
    std::deque<std::optional<std::filesystem::path>> DialogAnswers;
    // A form's modal run: returns its result (mrOk unless set).
    int ModalResult = 1;

    std::vector<TShownBox> Boxes;
    std::vector<QString> ModalForms;
    std::vector<TFileDialog::TKind> Dialogs;
    std::vector<QUrl> OpenedUrls;

private:
    testing_support::ScopedMachineRoot machine_;
    testing_support::TempDir dir_;
    std::filesystem::path program_;
    std::filesystem::path work_;
    std::filesystem::path previousCurrent_;
    std::unique_ptr<TMainForm> form_;
    win::MessageBoxHook previousBox_;
    ModalRunner previousRunner_;
    FileDialogHook previousDialogs_;
    OpenUrlHook previousUrls_;
    std::function<win::TDate()> previousToday_;
};

// The main window's ruled actions as the user finds them, one digit each
// (1 enabled): FileSave, PrintAction, ModifyItemAction, DeleteItemAction,
// RenameItemAction, EditCut, EditCopy, EditPaste.
std::string RuledStates(const TMainForm& form);

// Windows-1250 text of a UTF-8 literal, for the Hungarian built-in texts.
std::string Cp1250(const char* utf8);
