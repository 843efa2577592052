#pragma once
// The component library's registry object over the shared store. It keeps a
// root and a current key; key names are Windows-1250 text, relative to the
// current key unless they start with "\" (then relative to the root). With no
// key open, the root itself is the current key.
//
// Opening, existence checks, deletes and name lists report failure by their
// result. Reading a missing integer or boolean, reading a value stored with
// another type, and any failed write raise ERegistryException.

#include "platform/win/RegistryStore.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TStringList;

class TRegistry {
public:
    TRegistry() = default;  // root HKEY_CURRENT_USER, no key open

    win::HKey RootKey() const { return root_; }
    // Closes the current key.
    void SetRootKey(win::HKey root);
    // The current key's path below the root, "" when none is open.
    const std::string& CurrentPath() const { return path_; }

    // Opens the key for reading and writing, creating it (and the keys above
    // it) when `canCreate` is set. False, with the current key unchanged, when
    // it is missing or may not be opened so.
    bool OpenKey(std::string_view key, bool canCreate);
    // Opens an existing key for reading only; writes then raise.
    bool OpenKeyReadOnly(std::string_view key);
    void CloseKey();

    bool KeyExists(std::string_view key) const;
    bool ValueExists(std::string_view name) const;

    // A missing value reads as "". REG_SZ and REG_EXPAND_SZ are strings (not expanded).
    std::string ReadString(std::string_view name) const;
    void WriteString(std::string_view name, std::string_view value);
    // A REG_DWORD, as a signed 32-bit number.
    int ReadInteger(std::string_view name) const;
    void WriteInteger(std::string_view name, int value);
    // Written as the REG_DWORD 1 or 0; any non-zero number reads as true.
    bool ReadBool(std::string_view name) const;
    void WriteBool(std::string_view name, bool value);

    // Deletes the key with everything below it; false when it can't.
    bool DeleteKey(std::string_view key);
    bool DeleteValue(std::string_view name);
    // The current key's subkey names (sorted ignoring case) and value names;
    // empty when they can't be read.
    void GetKeyNames(std::vector<std::string>& names) const;
    void GetValueNames(std::vector<std::string>& names) const;
    void GetKeyNames(TStringList& names) const;
    void GetValueNames(TStringList& names) const;

private:
    std::string FullPath(std::string_view key) const;
    void Write(std::string_view name, std::uint32_t type, const std::vector<std::uint8_t>& data);
    // The 4 bytes of a REG_DWORD value; raises when it is missing or of another type.
    std::vector<std::uint8_t> ReadDword(std::string_view name) const;

    win::HKey root_ = win::HKey::CurrentUser;
    std::string path_;
    bool readOnly_ = false;
};
