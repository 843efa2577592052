#include "uninstaller/UninstallEncoder.h"

namespace encoder {

std::string BigEndian32(std::uint32_t value) {
    std::string out;
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>(value >> shift));
    return out;
}

std::string EncodeNode(const std::vector<RegValue>& values, const std::vector<RegSubkey>& subkeys) {
    std::string out = BigEndian32(static_cast<std::uint32_t>(values.size()));
    for (const RegValue& v : values) {
        out += v.name;
        out.push_back('\0');
        out += BigEndian32(v.flag);
    }
    out += BigEndian32(static_cast<std::uint32_t>(subkeys.size()));
    for (const RegSubkey& k : subkeys) {
        out += BigEndian32(k.flag);
        out += k.name;
        out.push_back('\0');
        out += EncodeNode(k.values, k.subkeys);
    }
    return out;
}

std::string EncodeRegistry(const Description& d) {
    if (d.noRegistry) return {};
    std::string out;
    for (const RegTree& root : d.roots) out += EncodeNode(root.values, root.subkeys);
    return out;
}

std::string EncodeContent(const Description& d) {
    std::string out = d.name;
    out.push_back('\0');
    out += d.code;
    out.push_back('\0');
    out += d.command;
    out += "\r\nShared:\r\n";
    for (const std::string& line : d.shared) out += line + "\r\n";
    out += "Backups:\r\n";
    for (const Backup& b : d.backups)
        out += b.backupPath + '\t' + b.targetPath + '\t' + std::to_string(b.versionHigh) + '\t' +
               std::to_string(b.versionLow) + '\t' + std::to_string(b.timeHigh) + '\t' + std::to_string(b.timeLow) +
               "\r\n";
    out += "Files:\r\n";
    for (const std::string& line : d.files) out += line + "\r\n";
    out += "Directories:\r\n";
    for (const std::string& line : d.directories) out += line + "\r\n";
    out += "Registry:\r\n";
    out += EncodeRegistry(d);
    return out;
}

std::string WrapLayer(std::string_view payload, std::uint8_t k1, std::uint8_t k2) {
    std::string out;
    std::uint8_t add = static_cast<std::uint8_t>(k1 + k2);
    for (const char c : payload) {
        out.push_back(static_cast<char>(static_cast<std::uint8_t>(c) + add));
        add = static_cast<std::uint8_t>(add + k1);
    }
    out.push_back(static_cast<char>(k1));
    out.push_back(static_cast<char>(k2));
    std::uint8_t lanes[8] = {};
    for (std::size_t i = 0; i < out.size(); ++i)
        lanes[i % 8] = static_cast<std::uint8_t>(lanes[i % 8] + static_cast<std::uint8_t>(out[i]));
    out.append(reinterpret_cast<const char*>(lanes), 8);
    return out;
}

std::string WrapContent(std::string_view content, std::uint8_t innerK1, std::uint8_t innerK2, std::uint8_t outerK1,
                        std::uint8_t outerK2) {
    return WrapLayer(WrapLayer(content, innerK1, innerK2), outerK1, outerK2);
}

std::string EncodeData(const Description& d, std::uint8_t innerK1, std::uint8_t innerK2, std::uint8_t outerK1,
                       std::uint8_t outerK2) {
    return WrapContent(EncodeContent(d), innerK1, innerK2, outerK1, outerK2);
}

std::string AppendToExecutable(std::string executable, std::string_view outerLayer) {
    const auto offset = static_cast<std::uint32_t>(executable.size());
    executable += outerLayer;
    for (int shift = 0; shift < 32; shift += 8) executable.push_back(static_cast<char>(offset >> shift));
    return executable;
}

}  // namespace encoder
