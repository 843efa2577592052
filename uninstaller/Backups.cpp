// Backups of replaced system files: restored when the user wants it and the
// installed file is still the one the installer put there.
#include "uninstaller/UninstallRun.h"

#include "uninstaller/UninstallDialogs.h"

#include "platform/win/FileOps.h"
#include "platform/win/FileVersion.h"
#include "platform/win/MessageBox.h"
#include "platform/win/WinError.h"

#include <cstdint>
#include <string_view>

namespace {

constexpr char kBackupQuestion[] =
    "Orbelo Installer has taken backup copies of DLL, VxD, drv and other system files during installation. Do you "
    "want to restore these backups? (This is recommended if the program has caused malicious functionality.)";

// A decimal field as a 32-bit value: the digits it starts with, wrapped to 32
// bits; a leading "-" gives the two's complement (a signed writer's high bit).
std::uint32_t number32(std::string_view field) {
    const bool negative = !field.empty() && field.front() == '-';
    if (negative) field.remove_prefix(1);
    std::uint32_t value = 0;
    for (const char c : field) {
        if (c < '0' || c > '9') break;
        value = value * 10u + static_cast<std::uint32_t>(c - '0');
    }
    return negative ? 0u - value : value;
}

struct BackupLine {
    ByteString backup;
    ByteString target;
    std::uint32_t versionHigh = 0;
    std::uint32_t versionLow = 0;
    std::uint64_t time = 0;
};

// Missing fields stay empty or 0.
BackupLine splitBackupLine(const ByteString& line) {
    std::string_view fields[6];
    std::string_view rest = line.view();
    for (int i = 0; i < 6; ++i) {
        const std::size_t tab = rest.find('\t');
        fields[i] = rest.substr(0, tab);
        if (tab == std::string_view::npos) break;
        rest.remove_prefix(tab + 1);
    }
    BackupLine out;
    out.backup.assign(fields[0]);
    out.target.assign(fields[1]);
    out.versionHigh = number32(fields[2]);
    out.versionLow = number32(fields[3]);
    out.time = (std::uint64_t{number32(fields[4])} << 32) | number32(fields[5]);
    return out;
}

}  // namespace

int getFileVersion(const ByteString& path, std::uint32_t& high, std::uint32_t& low) {
    switch (win::GetFileVersion(path.view(), high, low)) {
        case win::ERROR_SUCCESS: return 1;
        case win::ERROR_RESOURCE_TYPE_NOT_FOUND: return -1;
        case win::ERROR_NOT_ENOUGH_MEMORY: return -2;
        case win::ERROR_RESOURCE_DATA_NOT_FOUND: return -4;
        default: return -3;
    }
}

int compareVersions(std::uint32_t aHigh, std::uint32_t aLow, std::uint32_t bHigh, std::uint32_t bLow) {
    const std::uint32_t a[4] = {aHigh >> 16, aHigh & 0xFFFF, aLow >> 16, aLow & 0xFFFF};
    const std::uint32_t b[4] = {bHigh >> 16, bHigh & 0xFFFF, bLow >> 16, bLow & 0xFFFF};
    for (int i = 0; i < 4; ++i) {
        if (b[i] > a[i]) return 1;
        if (b[i] < a[i]) return -1;
    }
    return 0;
}

// The backup copy goes only when it is no longer needed: restored, or the
// target turned out newer. When copying it back fails, or the target's version
// can't be read, it stays: it may be the only copy of the original file.
void UninstallRun::restoreBackup(const ByteString& line) {
    const BackupLine b = splitBackupLine(line);
    std::uint64_t time = 0;
    bool restore = true;  // when the target can't be opened
    if (win::GetFileTime(b.target.view(), time) == win::ERROR_SUCCESS) {
        if (time != b.time) {
            restore = false;
        } else {
            std::uint32_t high = 0, low = 0;
            if (getFileVersion(b.target, high, low) != 1) return;
            restore = compareVersions(b.versionHigh, b.versionLow, high, low) == 0;
        }
    }
    if (restore && win::CopyFile(b.backup.view(), b.target.view(), false) != win::ERROR_SUCCESS) return;
    (void)win::DeleteFile(b.backup.view());
}

void UninstallRun::restoreBackups(const ByteString& section) {
    stepMark(kMarkBackups);
    if (section.length() <= 2) {
        stepMark(kMarkFiles);
        return;
    }
    const bool restore = !silent_ && dialogs_.messageBox(kBackupQuestion, win::MB_YESNO, true) == win::IDYES;
    int position = 0;
    ByteString line;
    while (section.isValidPos(position)) {
        section.readLine(&position, line, false);
        if (line.length() < 3) continue;
        if (restore) {
            restoreBackup(line);
        } else {
            const std::string_view text = line.view();
            ByteString backup;
            backup.assign(text.substr(0, text.find('\t')));
            (void)win::DeleteFile(backup.view());
        }
    }
    stepMark(kMarkFiles);
    if (restore) (void)dialogs_.pumpMessages();
}
