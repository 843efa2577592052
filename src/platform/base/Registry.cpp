#include "platform/base/Registry.h"

#include "platform/base/Exception.h"
#include "platform/base/StringList.h"
#include "platform/win/WinError.h"

#include <cstdint>

namespace {

std::string Quoted(std::string_view text, std::string_view name) {
    std::string message(text);
    message += " '";
    message += name;
    message += "'";
    return message;
}

// Deepest keys first: the store deletes only keys without subkeys.
bool DeleteTree(win::HKey root, const std::string& path) {
    std::vector<std::string> subkeys;
    if (win::RegEnumKeys(root, path, subkeys) != win::ERROR_SUCCESS) return false;
    for (const std::string& sub : subkeys)
        if (!DeleteTree(root, path + "\\" + sub)) return false;
    return win::RegDeleteKey(root, path) == win::ERROR_SUCCESS;
}

}  // namespace

void TRegistry::SetRootKey(win::HKey root) {
    CloseKey();
    root_ = root;
}

std::string TRegistry::FullPath(std::string_view key) const {
    const bool absolute = key.starts_with('\\');
    if (absolute) key.remove_prefix(1);
    while (key.ends_with('\\')) key.remove_suffix(1);
    std::string path = absolute ? std::string() : path_;
    if (!path.empty() && !key.empty()) path += '\\';
    path += key;
    return path;
}

bool TRegistry::OpenKey(std::string_view key, bool canCreate) {
    const std::string path = FullPath(key);
    if (canCreate && win::RegCreateKey(root_, path) != win::ERROR_SUCCESS) return false;
    if (win::RegOpenKey(root_, path, win::RegAccess::Write) != win::ERROR_SUCCESS) return false;
    path_ = path;
    readOnly_ = false;
    return true;
}

bool TRegistry::OpenKeyReadOnly(std::string_view key) {
    const std::string path = FullPath(key);
    if (win::RegOpenKey(root_, path, win::RegAccess::Read) != win::ERROR_SUCCESS) return false;
    path_ = path;
    readOnly_ = true;
    return true;
}

void TRegistry::CloseKey() {
    path_.clear();
    readOnly_ = false;
}

bool TRegistry::KeyExists(std::string_view key) const {
    return win::RegKeyExists(root_, FullPath(key));
}

bool TRegistry::ValueExists(std::string_view name) const {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    return win::RegQueryValue(root_, path_, name, type, data) == win::ERROR_SUCCESS;
}

std::vector<std::uint8_t> TRegistry::ReadDword(std::string_view name) const {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    if (win::RegQueryValue(root_, path_, name, type, data) != win::ERROR_SUCCESS)
        throw ERegistryException(Quoted("Failed to get data for", name));
    if (type != win::REG_DWORD || data.size() != 4) throw ERegistryException(Quoted("Invalid data type for", name));
    return data;
}

std::string TRegistry::ReadString(std::string_view name) const {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    if (win::RegQueryValue(root_, path_, name, type, data) != win::ERROR_SUCCESS) return {};
    if (type != win::REG_SZ && type != win::REG_EXPAND_SZ) throw ERegistryException(Quoted("Invalid data type for", name));
    std::string text(data.begin(), data.end());
    return text.substr(0, text.find('\0'));  // up to the terminating NUL
}

int TRegistry::ReadInteger(std::string_view name) const {
    const std::vector<std::uint8_t> data = ReadDword(name);
    const std::uint32_t value = data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<std::uint32_t>(data[3]) << 24);
    return static_cast<int>(value);
}

bool TRegistry::ReadBool(std::string_view name) const {
    return ReadInteger(name) != 0;
}

void TRegistry::Write(std::string_view name, std::uint32_t type, const std::vector<std::uint8_t>& data) {
    if (readOnly_ || win::RegSetValue(root_, path_, name, type, data) != win::ERROR_SUCCESS)
        throw ERegistryException(Quoted("Failed to set data for", name));
}

void TRegistry::WriteString(std::string_view name, std::string_view value) {
    value = value.substr(0, value.find('\0'));  // a C string ends at its first NUL
    std::vector<std::uint8_t> data(value.begin(), value.end());
    data.push_back(0);
    Write(name, win::REG_SZ, data);
}

void TRegistry::WriteInteger(std::string_view name, int value) {
    const auto bits = static_cast<std::uint32_t>(value);
    Write(name, win::REG_DWORD,
          {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8), static_cast<std::uint8_t>(bits >> 16),
           static_cast<std::uint8_t>(bits >> 24)});
}

void TRegistry::WriteBool(std::string_view name, bool value) {
    WriteInteger(name, value ? 1 : 0);
}

bool TRegistry::DeleteKey(std::string_view key) {
    const std::string path = FullPath(key);
    if (readOnly_ || path.empty()) return false;
    return DeleteTree(root_, path);
}

bool TRegistry::DeleteValue(std::string_view name) {
    return !readOnly_ && win::RegDeleteValue(root_, path_, name) == win::ERROR_SUCCESS;
}

void TRegistry::GetKeyNames(std::vector<std::string>& names) const {
    if (win::RegEnumKeys(root_, path_, names) != win::ERROR_SUCCESS) names.clear();
}

void TRegistry::GetValueNames(std::vector<std::string>& names) const {
    if (win::RegEnumValues(root_, path_, names) != win::ERROR_SUCCESS) names.clear();
}

void TRegistry::GetKeyNames(TStringList& names) const {
    GetKeyNames(names.Lines());
}

void TRegistry::GetValueNames(TStringList& names) const {
    GetValueNames(names.Lines());
}
