#include "uninstaller/UninstallFixture.h"

#include "uninstaller/UninstallRun.h"

#include "platform/win/FileOps.h"
#include "platform/win/Files.h"
#include "platform/win/WinError.h"

#include <vector>

namespace fs = std::filesystem;

ByteString MakeByteString(std::string_view bytes) {
    ByteString out;
    out.assign(bytes);
    return out;
}

UninstallFixture::UninstallFixture() {
    savedDirectory_ = fs::current_path();
    // The drive the directory step changes to.
    fs::create_directories(root_.Path() / "drives" / "c");
}

UninstallFixture::~UninstallFixture() {
    std::error_code ec;
    fs::current_path(savedDirectory_, ec);
}

fs::path UninstallFixture::Native(const std::string& windowsPath) const {
    return testing_support::NativePath(windowsPath);
}

void UninstallFixture::MakeFile(const std::string& windowsPath, const std::string& bytes) const {
    testing_support::WriteFile(Native(windowsPath), bytes);
}

void UninstallFixture::MakeDir(const std::string& windowsPath) const { fs::create_directories(Native(windowsPath)); }

bool UninstallFixture::Exists(const std::string& windowsPath) const {
    std::error_code ec;
    return fs::exists(fs::symlink_status(Native(windowsPath), ec));
}

std::string UninstallFixture::Contents(const std::string& windowsPath) const {
    return testing_support::ReadFile(Native(windowsPath));
}

fs::path UninstallFixture::WriteUninstallerBytes(const std::string& outerLayer) const {
    const fs::path exe = Native(kUninstaller);
    testing_support::WriteFile(exe, encoder::AppendToExecutable("\x7F" "ELF uninstaller image", outerLayer));
    return exe;
}

fs::path UninstallFixture::WriteUninstaller(const encoder::Description& d) const {
    return WriteUninstallerBytes(encoder::EncodeData(d));
}

int UninstallFixture::Run(const std::string& commandLine) {
    UninstallRun run(dialogs_);
    const fs::path exe = Native(kUninstaller);
    return run.run(MakeByteString(commandLine), exe, exe);
}

void UninstallFixture::SetDword(win::HKey root, const std::string& key, const std::string& name, std::uint32_t value) {
    ASSERT_EQ(win::RegCreateKey(root, key), win::ERROR_SUCCESS);
    const std::uint8_t data[4] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                                  static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
    ASSERT_EQ(win::RegSetValue(root, key, name, win::REG_DWORD, data), win::ERROR_SUCCESS);
}

std::int64_t UninstallFixture::Dword(win::HKey root, const std::string& key, const std::string& name) {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    if (win::RegQueryValue(root, key, name, type, data) != win::ERROR_SUCCESS) return -1;
    EXPECT_EQ(type, win::REG_DWORD);
    if (data.size() != 4) return -2;
    return std::int64_t{data[0]} | (std::int64_t{data[1]} << 8) | (std::int64_t{data[2]} << 16) |
           (std::int64_t{data[3]} << 24);
}

void UninstallFixture::SetString(win::HKey root, const std::string& key, const std::string& name,
                                 const std::string& value) {
    ASSERT_EQ(win::RegCreateKey(root, key), win::ERROR_SUCCESS);
    std::vector<std::uint8_t> data(value.begin(), value.end());
    data.push_back(0);
    ASSERT_EQ(win::RegSetValue(root, key, name, win::REG_SZ, data), win::ERROR_SUCCESS);
}

bool UninstallFixture::HasValue(win::HKey root, const std::string& key, const std::string& name) {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    return win::RegQueryValue(root, key, name, type, data) == win::ERROR_SUCCESS;
}
