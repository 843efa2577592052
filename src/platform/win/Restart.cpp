#include "platform/win/Restart.h"

#include "platform/win/Files.h"
#include "platform/win/MachineRoot.h"
#include "platform/win/RegistryStore.h"
#include "platform/win/System.h"
#include "platform/win/WinError.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace win {
namespace {

std::filesystem::path RestartFile() { return MachineRoot() / "system" / "restart-request"; }

}  // namespace

long MoveFileEx(std::string_view existing, const char* newName, unsigned flags) {
    if (newName || !(flags & MOVEFILE_DELAY_UNTIL_REBOOT)) return ERROR_INVALID_PARAMETER;
    if (EmulatedPlatform() == Platform::Windows9x) return ERROR_CALL_NOT_IMPLEMENTED;
    // A native absolute path names a file of this machine outside the emulated
    // drives (the uninstaller may run from anywhere); it is recorded as it stands.
    std::filesystem::path native;
    if (existing.empty() || existing.front() != '/')
        if (const long e = MapWindowsPath(existing, native)) return e;

    if (const long e = RegCreateKey(HKey::LocalMachine, kSessionManagerKey)) return e;
    std::uint32_t type = REG_NONE;
    std::vector<std::uint8_t> data;
    if (RegQueryValue(HKey::LocalMachine, kSessionManagerKey, kPendingFileRenameOperations, type, data) !=
            ERROR_SUCCESS ||
        type != REG_MULTI_SZ)
        data.clear();
    // Drop the list's final NUL; each pair's strings keep theirs.
    if (!data.empty() && data.back() == 0) data.pop_back();
    if (!data.empty() && data.back() != 0) data.push_back(0);
    const std::string source = std::string("\\??\\") + std::string(existing);
    data.insert(data.end(), source.begin(), source.end());
    data.push_back(0);  // end of the source
    data.push_back(0);  // the empty target: delete
    data.push_back(0);  // end of the list
    return RegSetValue(HKey::LocalMachine, kSessionManagerKey, kPendingFileRenameOperations, REG_MULTI_SZ, data);
}

std::vector<std::string> PendingDeletions() {
    std::vector<std::string> paths;
    std::uint32_t type = REG_NONE;
    std::vector<std::uint8_t> data;
    if (RegQueryValue(HKey::LocalMachine, kSessionManagerKey, kPendingFileRenameOperations, type, data) !=
            ERROR_SUCCESS ||
        type != REG_MULTI_SZ)
        return paths;
    const std::string_view all(reinterpret_cast<const char*>(data.data()), data.size());
    std::size_t pos = 0;
    auto next = [&](std::string_view& out) {
        if (pos >= all.size()) return false;
        const std::size_t end = std::min(all.find('\0', pos), all.size());
        out = all.substr(pos, end - pos);
        pos = end + 1;
        return true;
    };
    std::string_view source, target;
    while (next(source) && !source.empty()) {
        if (!next(target)) target = {};
        if (!target.empty()) continue;  // a rename, not a deletion
        if (source.substr(0, 4) == "\\??\\") source.remove_prefix(4);
        paths.emplace_back(source);
    }
    return paths;
}

long EnableShutdownPrivilege() { return ERROR_SUCCESS; }

long ExitWindowsEx(unsigned flags) {
    std::error_code ec;
    std::filesystem::create_directories(RestartFile().parent_path(), ec);
    std::ofstream out(RestartFile(), std::ios::binary | std::ios::app);
    out << flags << '\n';
    out.close();
    return out ? ERROR_SUCCESS : ERROR_CANTWRITE;
}

bool RestartRequested() {
    std::error_code ec;
    return std::filesystem::exists(RestartFile(), ec);
}

}  // namespace win
