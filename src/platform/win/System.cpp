#include "platform/win/System.h"

#include "platform/win/MachineRoot.h"
#include "platform/win/WinError.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

namespace win {
namespace {

constexpr char kWindows9x[] = "Windows9x";

std::filesystem::path PlatformFile() { return MachineRoot() / "system" / "platform"; }

}  // namespace

Platform EmulatedPlatform() {
    std::ifstream in(PlatformFile(), std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return text.rfind(kWindows9x, 0) == 0 ? Platform::Windows9x : Platform::WindowsNT;
}

long SetEmulatedPlatform(Platform platform) {
    std::error_code ec;
    std::filesystem::create_directories(PlatformFile().parent_path(), ec);
    std::ofstream out(PlatformFile(), std::ios::binary | std::ios::trunc);
    out << (platform == Platform::Windows9x ? kWindows9x : "WindowsNT") << '\n';
    out.close();
    return out ? ERROR_SUCCESS : ERROR_CANTWRITE;
}

const char* GetWindowsDirectory() { return "C:\\WINDOWS"; }

}  // namespace win
