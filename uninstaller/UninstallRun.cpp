#include "uninstaller/UninstallRun.h"

#include "uninstaller/UninstallData.h"
#include "uninstaller/UninstallDialogs.h"

#include "platform/win/FileOps.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Mutex.h"
#include "platform/win/Restart.h"
#include "platform/win/System.h"
#include "platform/win/WinError.h"

#include <string>

namespace {

constexpr char kPrivilegeMessage[] =
    "You don't have required privileges to uninstall this software. Please have your system administrator (or "
    "other user with higher privileges) uninstall this software.";
constexpr char kRebootQuestion[] =
    "To finalize the uninstallation your system needs to be restarted. Do you want to reboot now?";

// The own executable as Windows sees it; a path outside the machine root's
// drives stays native, which deletion at restart records as it stands.
ByteString windowsPathOfExecutable(const std::filesystem::path& executable) {
    std::string text;
    if (win::WindowsPathFromNative(executable, text) != win::ERROR_SUCCESS) text = executable.string();
    ByteString path;
    path.assign(std::string_view(text));
    return path;
}

}  // namespace

void parseOptions(const ByteString& commandLine, bool& silent, bool& noRemove) {
    ByteString upper(commandLine);
    upper.toUpper();
    silent = upper.find("/SILENT", 0, true) >= 0;
    noRemove = upper.find("/NOREMOVE", 0, true) >= 0;
}

UninstallRun::UninstallRun(UninstallDialogs& dialogs) : dialogs_(dialogs) {}

int UninstallRun::run(const ByteString& commandLine, const std::filesystem::path& executable,
                      const std::filesystem::path& dataSource) {
    parseOptions(commandLine, silent_, noRemove_);

    UninstallData data;
    const int read = readUninstallData(dataSource, data);
    if (read != kDataOk) {
        if (!silent_) (void)dialogs_.messageBox(dataErrorMessage(read), win::MB_OK | win::MB_ICONERROR, false);
        return kExitStopped;
    }

    ByteString mutexName("vrek_");
    mutexName.append(data.name);
    mutexName.append("_mutex");
    win::NamedMutex mutex;
    if (win::CreateMutex(mutexName.view(), mutex) == win::ERROR_ALREADY_EXISTS) return kExitStopped;

    if (!silent_) {
        ByteString question("This will remove ");
        question.append(data.name);
        question.append(" from your system, do you want to continue?");
        if (dialogs_.messageBox(question, win::MB_YESNO | win::MB_ICONQUESTION, false) == win::IDNO)
            return kExitStopped;
    }

    if (!data.code.empty() && !data.code.equals("100", true) && !data.code.equals("101", true) &&
        !data.command.empty() && runAndWait(data.command, dialogs_) == 0)
        return kExitStopped;

    if (!silent_) {
        ByteString title("Removing ");
        title.append(data.name);
        title.append(" from your system...");
        dialogs_.createProgress(title);
        (void)dialogs_.pumpMessages();
    }

    if (win::EmulatedPlatform() == win::Platform::WindowsNT && !data.registry.empty() &&
        !checkPrivileges(data.registry)) {
        if (!silent_) (void)dialogs_.messageBox(kPrivilegeMessage, win::MB_OK, true);
        return kExitStopped;
    }

    removeSharedFiles(data.shared);
    restoreBackups(data.backups);
    removeFiles(data.files);
    removeDirectories(data.directories);
    removeRegistryEntries(data.registry);

    if (!noRemove_) deleteAtReboot(windowsPathOfExecutable(executable));
    scheduleRebootList();
    rebootNeeded_ = !rebootList_.empty();

    if (silent_) return kExitRemoved;
    dialogs_.showEndState(statusText(),
                          anyFailure() ? detailsText(failedFiles_, failedDirectories_, failedRegistryKeys_) : ByteString());
    return dialogs_.runMessageLoop([this] { offerReboot(); });
}

bool UninstallRun::checkPrivileges(const ByteString& registry) {
    std::uint32_t position = 0;
    for (const win::HKey root : {win::HKey::ClassesRoot, win::HKey::CurrentUser, win::HKey::LocalMachine,
                                 win::HKey::Users}) {
        const RegistryKey key{root, ByteString()};
        if (!walkRegistryTree(&key, registry, position, true, nullptr)) return false;
    }
    return true;
}

void UninstallRun::stepMark(int id) {
    if (silent_) return;
    dialogs_.showStepMark(id);
    (void)dialogs_.pumpMessages();
}

bool UninstallRun::anyFailure() const {
    return !failedFiles_.empty() || !failedDirectories_.empty() || !failedRegistryKeys_.empty();
}

void UninstallRun::listFailure(ByteString& list, const ByteString& path) {
    list.append(path);
    list.append("\r\n");
}

ByteString UninstallRun::statusText() const {
    ByteString status("Uninstallation complete.");
    if (anyFailure()) status.append("\nSome elements couldn't be removed.");
    return status;
}

void UninstallRun::scheduleRebootList() {
    int position = 0;
    ByteString line;
    while (rebootList_.isValidPos(position)) {
        rebootList_.readLine(&position, line, false);
        if (line.length() > 3) deleteAtReboot(line);
    }
}

void UninstallRun::offerReboot() {
    if (!rebootNeeded_) return;
    rebootNeeded_ = false;
    if (dialogs_.messageBox(kRebootQuestion, win::MB_YESNO, true) != win::IDYES) return;
    (void)win::EnableShutdownPrivilege();
    (void)win::ExitWindowsEx(win::EWX_REBOOT);
}
