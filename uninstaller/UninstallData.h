#pragma once
// The uninstallation data appended to the uninstaller's executable: located by
// the trailer, unwrapped from its two protected layers, split into the header
// fields and the five sections, and checked in full before anything acts on it.

#include "uninstaller/ByteString.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>

// Result codes of reading the data.
constexpr int kDataOk = 1;
constexpr int kDataUnreadable = -1;   // the executable can't be opened or read
constexpr int kDataOutOfMemory = -2;  // the trailer's offset lies past the end, or no memory for the layer
constexpr int kDataCorrupt = -3;      // a layer's checksum, a marker, or the registry trees are wrong

// The message box text for a failed read.
const char* dataErrorMessage(int code);

struct UninstallData {
    // Header line: the product's name, a short code and the pre-uninstall command.
    ByteString name;
    ByteString code;
    ByteString command;
    // The sections' contents, each without its marker.
    ByteString shared;
    ByteString backups;
    ByteString files;
    ByteString directories;
    ByteString registry;
};

// Unwraps one protected layer in place: true when its checksum lanes match,
// the payload then left in the string. Layers shorter than 10 bytes are corrupt.
[[nodiscard]] bool unwrapLayer(ByteString& layer);

// Splits the header line (read in binary mode, NULs kept) into its three fields.
void parseHeaderLine(const ByteString& line, ByteString& name, ByteString& code, ByteString& command);

// Header line and sections of the content left after both layers; kDataCorrupt
// for a missing or misplaced marker or a broken registry section.
[[nodiscard]] int splitContent(const ByteString& content, UninstallData& out);

// Reads and checks the data at the end of the executable file.
[[nodiscard]] int readUninstallData(const std::filesystem::path& executable, UninstallData& out);
// The same for an executable image already in memory.
[[nodiscard]] int readUninstallDataFromBytes(const unsigned char* bytes, std::size_t size, UninstallData& out);
