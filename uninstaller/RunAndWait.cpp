// The pre-uninstall command.
#include "uninstaller/UninstallRun.h"

#include "uninstaller/UninstallDialogs.h"

#include "platform/win/Process.h"
#include "platform/win/WinError.h"

#include <cstdint>

int runAndWait(const ByteString& commandLine, UninstallDialogs& dialogs) {
    win::ProcessHandle process;
    if (win::CreateProcess(commandLine.view(), process) != win::ERROR_SUCCESS) return -1;
    // Keep the windows alive while the command runs; a quit ends the wait.
    while (win::WaitForProcess(process, 20) == win::WAIT_TIMEOUT)
        if (dialogs.pumpMessages()) return 0;
    win::Sleep(50);
    std::uint32_t exitCode = 1;
    if (!win::GetExitCodeProcess(process, exitCode)) exitCode = 1;
    // Batch files report success with 0; for other programs the rule is the
    // other way round, and the installer's commands rely on both.
    if (commandLine.find(".BAT", 0, true) >= 0 || commandLine.find(".CMD", 0, true) >= 0) return exitCode == 0 ? 1 : 0;
    return exitCode != 0 ? 1 : 0;
}
