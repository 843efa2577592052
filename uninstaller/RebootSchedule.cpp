// Deletion at the next restart: the service Windows NT offers, else the
// "[Rename]" section of wininit.ini that the older Windows reads at start.
#include "uninstaller/UninstallRun.h"

#include "platform/win/FileOps.h"
#include "platform/win/Restart.h"
#include "platform/win/System.h"
#include "platform/win/WinError.h"

#include <filesystem>
#include <string>

namespace {

// Longest path the short-name buffer takes (MAX_PATH less its NUL).
constexpr std::size_t kMaxShortPath = 259;

bool endsWithLineEnd(const ByteString& s, std::uint32_t end) {
    return end >= 2 && s.at(end - 2) == '\r' && s.at(end - 1) == '\n';
}

}  // namespace

ByteString addRenameEntry(const ByteString& content, const ByteString& shortPath) {
    ByteString entry("NUL=");
    entry.append(shortPath);
    if (content.empty()) {
        ByteString fresh("[Rename]\r\n");
        fresh.append(entry);
        return fresh;
    }
    int insertion = -1;
    bool present = false;
    int position = 0;
    ByteString line;
    while (content.isValidPos(position)) {
        content.readLine(&position, line, false);
        if (line.equals("[Rename]", false))
            insertion = position;  // a later header moves the insertion point behind itself
        else if (insertion >= 0 && line.equals(entry, true))
            present = true;
    }
    if (present) return content;
    ByteString result(content);
    if (insertion < 0) {
        result.append("\r\n[Rename]\r\n");
        insertion = static_cast<int>(result.length());
    } else if (!endsWithLineEnd(result, static_cast<std::uint32_t>(insertion))) {
        // The header is the last line and has no line end: give it one first.
        result.insert("\r\n", static_cast<std::uint32_t>(insertion));
        insertion += 2;
    }
    entry.append("\r\n");
    result.insert(entry.data(), static_cast<std::uint32_t>(insertion), entry.length());
    return result;
}

void deleteAtReboot(const ByteString& path) {
    if (win::MoveFileEx(path.view(), nullptr, win::MOVEFILE_DELAY_UNTIL_REBOOT) == win::ERROR_SUCCESS) return;

    // No entry at all rather than an empty or cut one.
    std::string shortText;
    if (win::GetShortPathName(path.view(), shortText) != win::ERROR_SUCCESS || shortText.empty() ||
        shortText.size() > kMaxShortPath)
        return;
    ByteString shortPath;
    shortPath.assign(std::string_view(shortText));

    ByteString iniPath(win::GetWindowsDirectory());
    if (iniPath.at(iniPath.length() - 1) != '\\') iniPath.appendChar('\\');
    iniPath.append("wininit.ini");
    std::filesystem::path native;
    if (win::ResolveWindowsPath(iniPath.view(), native) != win::ERROR_SUCCESS) return;

    ByteString content;
    const int loaded = content.loadFile(native, 0, 0);
    // A file that is there but could not be read whole is left as it is.
    if (loaded == ByteString::kFileShort) return;
    if (loaded != ByteString::kFileOk) content.assign("");
    (void)addRenameEntry(content, shortPath).saveFile(native);
}
