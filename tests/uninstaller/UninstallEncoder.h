#pragma once
// Test-only writer of uninstallation data: the installer's side of the format,
// built from a readable description, so tests and fuzz seeds can make any data
// (well-formed or deliberately broken) without hand-made bytes.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace encoder {

struct RegValue {
    std::string name;
    std::uint32_t flag = 1;  // 1: delete the value
};

struct RegSubkey {
    std::uint32_t flag = 1;  // non-zero: delete the key once walked, if empty
    std::string name;
    std::vector<RegValue> values;
    std::vector<RegSubkey> subkeys;
};

// One root's tree: the root's own values and its subkeys.
struct RegTree {
    std::vector<RegValue> values;
    std::vector<RegSubkey> subkeys;
};

struct Backup {
    std::string backupPath;
    std::string targetPath;
    std::uint32_t versionHigh = 0;
    std::uint32_t versionLow = 0;
    std::uint32_t timeHigh = 0;
    std::uint32_t timeLow = 0;
};

struct Description {
    std::string name = "Example";
    std::string code;
    std::string command;
    std::vector<std::string> shared;
    std::vector<Backup> backups;
    std::vector<std::string> files;
    std::vector<std::string> directories;
    // HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS.
    RegTree roots[4];
    // Leave the registry section empty instead of writing four (possibly empty) trees.
    bool noRegistry = false;
};

// One binary registry node.
std::string EncodeNode(const std::vector<RegValue>& values, const std::vector<RegSubkey>& subkeys);
// The registry section: the four root nodes back to back.
std::string EncodeRegistry(const Description& d);
// The content inside both layers: header line, markers, sections.
std::string EncodeContent(const Description& d);
// One protected layer around payload.
std::string WrapLayer(std::string_view payload, std::uint8_t k1, std::uint8_t k2);
// Content wrapped twice (inner keys first, outer second).
std::string EncodeData(const Description& d, std::uint8_t innerK1 = 0x3B, std::uint8_t innerK2 = 0xA7,
                       std::uint8_t outerK1 = 0x11, std::uint8_t outerK2 = 0xE2);
std::string WrapContent(std::string_view content, std::uint8_t innerK1 = 0x3B, std::uint8_t innerK2 = 0xA7,
                        std::uint8_t outerK1 = 0x11, std::uint8_t outerK2 = 0xE2);
// An executable image with the outer layer and the trailer appended.
std::string AppendToExecutable(std::string executable, std::string_view outerLayer);

// Big-endian 32-bit number as four bytes.
std::string BigEndian32(std::uint32_t value);

}  // namespace encoder
