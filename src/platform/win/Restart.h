#pragma once
// Deleting files at the next restart and asking for a restart, in the Win32
// stand-in. Nothing here restarts or changes this machine: deletions are
// recorded where Windows NT keeps them, and the restart request is a file in
// the machine root.

#include <string>
#include <string_view>
#include <vector>

namespace win {

constexpr unsigned MOVEFILE_REPLACE_EXISTING = 0x1;
constexpr unsigned MOVEFILE_DELAY_UNTIL_REBOOT = 0x4;

// The key and value of the pending deletions under HKEY_LOCAL_MACHINE.
constexpr char kSessionManagerKey[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
constexpr char kPendingFileRenameOperations[] = "PendingFileRenameOperations";

// Only deletion at the next restart is emulated (newName null, flags with
// MOVEFILE_DELAY_UNTIL_REBOOT; anything else gives ERROR_INVALID_PARAMETER):
// appends the pair "\??\" + existing, "" to the REG_MULTI_SZ value
// PendingFileRenameOperations. The file need not exist. `existing` is a Windows
// path, or a native absolute path ("/...") for a file outside the emulated
// drives, recorded as "\??\/..." (nothing here deletes it). On the Windows 9x
// platform the call is not implemented (ERROR_CALL_NOT_IMPLEMENTED), as there;
// a denied registry key gives its error.
[[nodiscard]] long MoveFileEx(std::string_view existing, const char* newName, unsigned flags);

// The paths recorded for deletion at restart, in order, without their "\??\".
std::vector<std::string> PendingDeletions();

constexpr unsigned EWX_REBOOT = 0x2;

// Enables "SeShutdownPrivilege" for this process: always granted here.
[[nodiscard]] long EnableShutdownPrivilege();
// Records the request (the flags, in decimal) in <MachineRoot>/system/restart-request.
[[nodiscard]] long ExitWindowsEx(unsigned flags);
// Whether a restart has been requested on this machine root.
bool RestartRequested();

}  // namespace win
