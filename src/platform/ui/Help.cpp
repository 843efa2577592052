#include "platform/ui/Help.h"

#include "platform/ui/Shell.h"

#include <QString>
#include <QUrl>

#include <string>
#include <system_error>
#include <utility>

namespace {

std::filesystem::path& HelpFile() {
    static std::filesystem::path file;
    return file;
}

HelpFailureHandler& FailureHandler() {
    static HelpFailureHandler handler;
    return handler;
}

}  // namespace

void SetApplicationHelpFile(const std::filesystem::path& helpFile) {
    HelpFile() = helpFile;
}

const std::filesystem::path& ApplicationHelpFile() {
    return HelpFile();
}

std::filesystem::path HelpPage(const std::filesystem::path& helpFile, unsigned command, long data) {
    const std::filesystem::path folder = helpFile.parent_path() / "help";
    switch (command) {
        case HELP_CONTEXT:
            if (data < 0) return {};
            return folder / (std::to_string(data) + ".html");
        case HELP_CONTENTS: return folder / "contents.html";
        case HELP_PARTIALKEY: return folder / "keywords.html";
        case HELP_HELPONHELP: return folder / "using-help.html";
        default: return {};
    }
}

bool WinHelp(const std::filesystem::path& helpFile, unsigned command, long data) {
    const std::filesystem::path page = HelpPage(helpFile, command, data);
    std::error_code ec;
    if (page.empty() || !std::filesystem::is_regular_file(page, ec)) return false;
    return OpenUrl(QUrl::fromLocalFile(QString::fromStdString(page.string())), [page] {
        if (FailureHandler()) FailureHandler()(page);
    });
}

bool HelpCommand(unsigned command, long data) {
    return WinHelp(ApplicationHelpFile(), command, data);
}

HelpFailureHandler SetHelpFailureHandler(HelpFailureHandler handler) {
    return std::exchange(FailureHandler(), std::move(handler));
}
