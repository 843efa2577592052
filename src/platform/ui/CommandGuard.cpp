#include "platform/ui/CommandGuard.h"

#include "platform/win/CodePage.h"
#include "platform/win/MessageBox.h"

namespace {

std::string& Title() {
    static std::string title;
    return title;
}

}  // namespace

void SetProgramTitle(std::string title) {
    Title() = std::move(title);
}

const std::string& ProgramTitle() {
    return Title();
}

void ShowCommandError(const std::string& message) {
    win::MessageBox(message, ProgramTitle(), win::MB_OK | win::MB_ICONEXCLAMATION);
}

void ShowLibraryError(const char* utf8Message) {
    ShowCommandError(win::FromUtf8(win::CodePage::Cp1250, utf8Message ? utf8Message : ""));
}
