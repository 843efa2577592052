#pragma once
// Reading the binary registry trees of the uninstallation data. A tree node is
//
//   value count      BE32
//   value entry *    name NUL, flag BE32      (flag 1: delete the value)
//   subkey count     BE32
//   subkey entry *   flag BE32, name NUL, node (flag != 0: delete the key when empty)
//
// and the registry section holds four such nodes, one per root, read with one
// shared position. Every read stays inside the section.

#include "uninstaller/ByteString.h"

#include <cstdint>

// Keys nest at most this deep on Windows; deeper data is corrupt (and would
// otherwise recurse without bound).
constexpr int kMaxRegistryDepth = 512;

// The BE32 at position; false (position unchanged) when it runs past the end.
[[nodiscard]] bool readRegistryNumber(const ByteString& section, std::uint32_t& position, std::uint32_t& value);
// The NUL-terminated name at position; false (position unchanged) without a NUL before the end.
[[nodiscard]] bool readRegistryName(const ByteString& section, std::uint32_t& position, ByteString& name);
// Whether count entries of at least minBytes each can still fit after position.
bool registryCountFits(const ByteString& section, std::uint32_t position, std::uint32_t count, std::uint32_t minBytes);

constexpr std::uint32_t kMinValueEntryBytes = 1 + 4;          // empty name, flag
constexpr std::uint32_t kMinSubkeyEntryBytes = 4 + 1 + 4 + 4;  // flag, empty name, two zero counts

// Moves position past one node without acting on it; false when the node is
// cut short, its counts can't fit, or it nests deeper than kMaxRegistryDepth.
[[nodiscard]] bool skipRegistryNode(const ByteString& section, std::uint32_t& position, int depth = 0);

// True when the section is empty or holds exactly the four root nodes and nothing after them.
[[nodiscard]] bool checkRegistrySection(const ByteString& section);
