#pragma once
// The registry's tree and its text form, the Windows .reg export syntax:
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_CURRENT_USER\Software\Lumivar]
//   @="default value"
//   "Name"="text with \\ and \" escaped"
//   "Count"=dword:00000014
//   "Bytes"=hex:01,ff
//   "Lines"=hex(7):41,00,00,00,00,00
//
// The file is UTF-8; names and texts in the tree are Windows-1250 bytes.
// REG_SZ values are written as quoted text when they are one NUL-terminated
// line, otherwise as hex(1). hex(1), hex(2) and hex(7) hold UTF-16LE as on
// Windows; every other hex(N) holds the bytes as stored. Long hex lists are
// wrapped with ",\" and continued on the next line. Every key is written, so
// keys without values survive.

#include "platform/win/RegistryStore.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace win {

struct TRegValue {
    std::string Name;  // "" is the key's default value
    std::uint32_t Type = REG_NONE;
    std::vector<std::uint8_t> Data;
    bool operator==(const TRegValue&) const = default;
};

struct TRegKeyNode {
    std::string Name;
    std::vector<TRegValue> Values;     // in the order they were created
    std::vector<TRegKeyNode> Subkeys;  // sorted by name ignoring case

    // Null when missing. The pointer lasts until this key's subkeys change.
    TRegKeyNode* FindSubkey(std::string_view name);
    const TRegKeyNode* FindSubkey(std::string_view name) const;
    // The subkey of that name, created at its sorted place when missing.
    TRegKeyNode& AddSubkey(std::string_view name);
    TRegValue* FindValue(std::string_view name);
    const TRegValue* FindValue(std::string_view name) const;

    bool operator==(const TRegKeyNode&) const = default;
};

// Registry names compare ignoring case, by the letters of Windows-1250.
bool SameRegName(std::string_view a, std::string_view b);
bool RegNameLess(std::string_view a, std::string_view b);
// A name the text form can hold: no NUL, CR or LF.
bool ValidRegName(std::string_view name);

struct TRegParseResult {
    bool Ok = false;
    std::size_t Line = 0;  // 1-based line of the first error
};

// Reads the text of one root's file. On failure `tree` is left unchanged.
TRegParseResult ParseRegFile(std::string_view text, HKey root, TRegKeyNode& tree);
// The text of one root's file (CR LF line ends).
std::string FormatRegFile(const TRegKeyNode& tree, HKey root);

}  // namespace win
