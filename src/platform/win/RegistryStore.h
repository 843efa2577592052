#pragma once
// The registry both programs share: typed values under keys of four roots.
// Key paths and names are Windows-1250 bytes; a path is key names joined by
// "\" relative to the root ("" is the root key itself). Names keep their case
// and compare without it. Every function returns a Windows error code
// (ERROR_SUCCESS, ERROR_FILE_NOT_FOUND, ERROR_ACCESS_DENIED, ...) and never
// throws.
//
// Each root lives in <MachineRoot>/registry/<ROOT NAME>.reg, a text file in the
// Windows .reg export syntax (UTF-8). A change rewrites the file atomically
// (temporary file, then rename) under an exclusive lock on <ROOT NAME>.lock,
// and every call first reloads the file when another process changed it, so
// several processes may use the store at once without losing updates. A file
// that can't be read as .reg text is never overwritten: every call on that
// root fails with ERROR_BADDB until it is repaired.
// Safe to call from several threads.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace win {

enum class HKey { ClassesRoot, CurrentUser, LocalMachine, Users };

// Value types, with their Windows numbers.
constexpr std::uint32_t REG_NONE = 0;
constexpr std::uint32_t REG_SZ = 1;
constexpr std::uint32_t REG_EXPAND_SZ = 2;
constexpr std::uint32_t REG_BINARY = 3;
constexpr std::uint32_t REG_DWORD = 4;
constexpr std::uint32_t REG_MULTI_SZ = 7;

// What an opened key may be used for.
enum class RegAccess { Read, Write };

// Restrictions tests put on a key (and everything below it) to provoke ERROR_ACCESS_DENIED.
enum class RegTestAccess {
    Full,      // no restriction
    ReadOnly,  // opening for writing, setting or deleting values, creating or deleting keys fail
    Denied,    // every use fails; the key still counts as existing
};

// "HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE", "HKEY_USERS".
std::string_view RootName(HKey root);

// Data are stored as given. String types hold Windows-1250 bytes with their
// terminating NUL (REG_MULTI_SZ: each string's NUL plus a final one); a
// REG_DWORD holds 4 little-endian bytes.

// Creates the key and any missing keys above it; success when it exists already.
// Creating below a read-only or denied key gives ERROR_ACCESS_DENIED.
[[nodiscard]] long RegCreateKey(HKey root, std::string_view path);
bool RegKeyExists(HKey root, std::string_view path);
// Checks that the key exists and may be used as asked.
[[nodiscard]] long RegOpenKey(HKey root, std::string_view path, RegAccess access);
[[nodiscard]] long RegQueryValue(HKey root, std::string_view path, std::string_view name, std::uint32_t& type,
                                 std::vector<std::uint8_t>& data);
// The key must exist. "" names the key's default value.
[[nodiscard]] long RegSetValue(HKey root, std::string_view path, std::string_view name, std::uint32_t type,
                               std::span<const std::uint8_t> data);
[[nodiscard]] long RegDeleteValue(HKey root, std::string_view path, std::string_view name);
// Refused with ERROR_ACCESS_DENIED while the key has subkeys (as on Windows) and for the root.
[[nodiscard]] long RegDeleteKey(HKey root, std::string_view path);
// Subkey names sorted ignoring case; value names in the order they were created.
[[nodiscard]] long RegEnumKeys(HKey root, std::string_view path, std::vector<std::string>& names);
[[nodiscard]] long RegEnumValues(HKey root, std::string_view path, std::vector<std::string>& names);

// Tests only: restricts a key path of the current machine root, in this
// process. Full removes the restriction. The key need not exist.
void RegSetKeyAccessForTesting(HKey root, std::string_view path, RegTestAccess access);

}  // namespace win
