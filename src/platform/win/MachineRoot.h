#pragma once
// The folder that holds the emulated Windows machine: the registry files,
// the drive folders that Windows paths map to, the restart list.

#include <filesystem>

namespace win {

// $VALDORINE_MACHINE_ROOT when set and not empty (a relative one is taken
// from the current directory), else
// $XDG_DATA_HOME/valdorine/machine (an absolute XDG_DATA_HOME only), else
// ~/.local/share/valdorine/machine. Read on every call, so tests can move it.
std::filesystem::path MachineRoot();

}  // namespace win
