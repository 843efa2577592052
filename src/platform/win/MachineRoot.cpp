#include "platform/win/MachineRoot.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <system_error>

namespace win {
namespace {

std::filesystem::path HomeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    // No HOME (a service, a stripped environment): the password database.
    struct passwd entry {};
    struct passwd* found = nullptr;
    std::string buffer(16384, '\0');
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_dir && *found->pw_dir)
        return found->pw_dir;
    return std::filesystem::temp_directory_path();
}

}  // namespace

std::filesystem::path MachineRoot() {
    if (const char* root = std::getenv("VALDORINE_MACHINE_ROOT"); root && *root) {
        std::error_code ec;
        const std::filesystem::path absolute = std::filesystem::absolute(root, ec);
        return ec ? std::filesystem::path(root) : absolute;
    }
    // XDG says a relative XDG_DATA_HOME is invalid and must be ignored.
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data == '/')
        return std::filesystem::path(data) / "valdorine" / "machine";
    return HomeFolder() / ".local" / "share" / "valdorine" / "machine";
}

}  // namespace win
