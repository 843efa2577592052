#pragma once
// The emulated Windows itself: which platform it is and where its folder lies.
// Both are part of the machine root, so every process on the root agrees.

namespace win {

// VER_PLATFORM_WIN32_WINDOWS (the older Windows 9x line) or VER_PLATFORM_WIN32_NT.
enum class Platform { Windows9x = 1, WindowsNT = 2 };

// <MachineRoot>/system/platform holding "Windows9x" selects the older line;
// anything else (or no file) is Windows NT.
Platform EmulatedPlatform();
// Writes that file; ERROR_SUCCESS or the error of writing it.
[[nodiscard]] long SetEmulatedPlatform(Platform platform);

// The Windows folder, "C:\WINDOWS".
const char* GetWindowsDirectory();

}  // namespace win
