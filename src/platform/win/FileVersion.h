#pragma once
// A file's fixed version, as a Windows version resource carries it. The
// stand-in finds the fixed-file-info structure where Windows keeps it, inside
// the file's bytes: the first 4-byte-aligned signature 0xFEEF04BD, followed by
// the structure version and the file version's two 32-bit halves, all
// little-endian. Real Windows executables carry it that way; tests give any
// file a version by writing FileVersionBlock into it.

#include <cstdint>
#include <string>
#include <string_view>

namespace win {

constexpr std::uint32_t VS_FFI_SIGNATURE = 0xFEEF04BDu;
constexpr std::uint32_t VS_FFI_STRUCVERSION = 0x00010000u;

// ERROR_RESOURCE_TYPE_NOT_FOUND when the file has no version information,
// ERROR_RESOURCE_DATA_NOT_FOUND when the structure is cut short (no root block),
// the open error when the file can't be read (ERROR_SHARING_VIOLATION when locked).
// high: major << 16 | minor; low: build << 16 | revision.
[[nodiscard]] long GetFileVersion(std::string_view windowsPath, std::uint32_t& high, std::uint32_t& low);

// The 52-byte fixed-file-info structure with this file version (product version the same).
std::string FileVersionBlock(std::uint32_t high, std::uint32_t low);

}  // namespace win
