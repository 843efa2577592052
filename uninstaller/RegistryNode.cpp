#include "uninstaller/RegistryNode.h"

bool readRegistryNumber(const ByteString& section, std::uint32_t& position, std::uint32_t& value) {
    if (std::uint64_t{position} + 4 > section.length()) return false;
    value = section.readBigEndian32(position);
    position += 4;
    return true;
}

bool readRegistryName(const ByteString& section, std::uint32_t& position, ByteString& name) {
    if (position >= section.length()) return false;
    const int nul = section.findChar('\0', static_cast<int>(position));
    if (nul < 0) return false;
    name.assign(section.view().substr(position, static_cast<std::uint32_t>(nul) - position));
    position = static_cast<std::uint32_t>(nul) + 1;
    return true;
}

bool registryCountFits(const ByteString& section, std::uint32_t position, std::uint32_t count, std::uint32_t minBytes) {
    if (position > section.length()) return false;
    return std::uint64_t{count} * minBytes <= section.length() - position;
}

bool skipRegistryNode(const ByteString& section, std::uint32_t& position, int depth) {
    if (depth > kMaxRegistryDepth) return false;
    std::uint32_t p = position;
    std::uint32_t count = 0;
    if (!readRegistryNumber(section, p, count) || !registryCountFits(section, p, count, kMinValueEntryBytes))
        return false;
    ByteString name;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t flag = 0;
        if (!readRegistryName(section, p, name) || !readRegistryNumber(section, p, flag)) return false;
    }
    if (!readRegistryNumber(section, p, count) || !registryCountFits(section, p, count, kMinSubkeyEntryBytes))
        return false;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t flag = 0;
        if (!readRegistryNumber(section, p, flag) || !readRegistryName(section, p, name) ||
            !skipRegistryNode(section, p, depth + 1))
            return false;
    }
    position = p;
    return true;
}

bool checkRegistrySection(const ByteString& section) {
    if (section.empty()) return true;
    std::uint32_t position = 0;
    for (int root = 0; root < 4; ++root)
        if (!skipRegistryNode(section, position)) return false;
    return position == section.length();
}
