#include "uninstaller/UninstallDialogs.h"

#include "platform/win/MessageBox.h"

ByteString detailsText(const ByteString& failedFiles, const ByteString& failedDirectories,
                       const ByteString& failedRegistryKeys) {
    ByteString text;
    const struct {
        const char* heading;
        const ByteString& list;
    } groups[] = {
        {"Couldn't delete following files:\r\n", failedFiles},
        {"Couldn't remove following directories:\r\n", failedDirectories},
        {"Couldn't delete following registry keys:\r\n", failedRegistryKeys},
    };
    for (const auto& group : groups) {
        if (group.list.empty()) continue;
        text.append(group.heading);
        text.append(group.list);
        text.append("\r\n");
    }
    // Drop the final CR LF.
    if (text.length() >= 2) text.erase(text.length() - 2, 2);
    return text;
}

ByteString sharedFileQuestion(const ByteString& path) {
    ByteString text("Shared file ");
    text.append(path);
    text.append(" doesn't seem to be used by any programs. Do you want to remove this file?");
    return text;
}

int NoDialogs::messageBox(const ByteString&, unsigned flags, bool) {
    // Never asked in silent mode; should it happen, take the harmless answer.
    return (flags & win::MB_TYPEMASK) == win::MB_YESNO ? win::IDNO : win::IDOK;
}

int NoDialogs::runMessageLoop(const std::function<void()>& onClose) {
    if (onClose) onClose();
    return 1;
}
