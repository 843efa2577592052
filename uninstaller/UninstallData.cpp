#include "uninstaller/UninstallData.h"

#include "uninstaller/RegistryNode.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

// Layout, from the end of the executable inwards:
//
//   0 .. D-1      the executable itself
//   D .. S-5      outer protected layer
//   S-4 .. S-1    D, unsigned 32-bit little-endian
//
// A protected layer of L >= 10 bytes is
//
//   0 .. L-11     payload, each byte i raised by (k2 + (i+1)*k1) mod 256
//   L-10, L-9     k1, k2
//   L-8 .. L-1    eight checksum lanes: lane j is the sum mod 256 of the stored
//                 bytes 0 .. L-9 whose index is j mod 8
//
// The outer payload is the inner layer; the inner payload is the content:
//
//   name NUL code NUL command CR LF
//   "Shared:" CR LF       shared-file lines
//   "Backups:" CR LF      backup lines (six TAB-separated fields)
//   "Files:" CR LF        file lines
//   "Directories:" CR LF  directory lines
//   "Registry:" CR LF     four registry trees (see RegistryNode.h)

namespace {

constexpr std::uint32_t kLayerTail = 10;  // k1, k2, eight lanes

const char* const kMarkers[] = {"Shared:\r\n", "Backups:\r\n", "Files:\r\n", "Directories:\r\n", "Registry:\r\n"};

// The first occurrence of marker at or after from that starts a line; a match
// inside a line is text, not a marker.
int findMarker(const ByteString& content, const char* marker, std::uint32_t from) {
    int p = content.find(marker, static_cast<int>(from), true);
    while (p >= 0 && static_cast<std::uint32_t>(p) != from &&
           !(content.at(static_cast<std::uint32_t>(p) - 2) == '\r' && content.at(static_cast<std::uint32_t>(p) - 1) == '\n'))
        p = content.find(marker, p + 1, true);
    return p;
}

int checkTrailer(std::uint64_t size, std::uint32_t offset, std::uint32_t& layerLength) {
    if (size < 4) return kDataCorrupt;
    if (offset > size - 4) return kDataOutOfMemory;
    if (size - 4 - offset > 0x7FFFFFFF) return kDataOutOfMemory;
    layerLength = static_cast<std::uint32_t>(size - 4 - offset);
    return kDataOk;
}

int decodeLayers(ByteString& layer, UninstallData& out) {
    if (!unwrapLayer(layer) || !unwrapLayer(layer)) return kDataCorrupt;
    return splitContent(layer, out);
}

std::uint32_t littleEndian32(const unsigned char* p) {
    return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[3]} << 24);
}

bool readAt(int fd, void* buffer, std::size_t count, std::uint64_t offset) {
    auto* out = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got = ::pread(fd, out + done, count - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        done += static_cast<std::size_t>(got);
    }
    return true;
}

}  // namespace

const char* dataErrorMessage(int code) {
    switch (code) {
        case kDataUnreadable: return "Couldn't read uninstallation information. Aborting.";
        case kDataOutOfMemory: return "Out of memory. Aborting.";
        default: return "Uninstallation information corrupt. Aborting.";
    }
}

bool unwrapLayer(ByteString& layer) {
    const std::uint32_t length = layer.length();
    if (length < kLayerTail) return false;
    const auto* bytes = reinterpret_cast<const unsigned char*>(layer.data());
    unsigned char lanes[8] = {};
    for (std::uint32_t i = 0; i + 8 < length; ++i) lanes[i % 8] = static_cast<unsigned char>(lanes[i % 8] + bytes[i]);
    const bool valid = std::memcmp(lanes, bytes + length - 8, 8) == 0;

    const unsigned char k1 = bytes[length - kLayerTail];
    const unsigned char k2 = bytes[length - kLayerTail + 1];
    ByteString payload;
    if (!payload.setLength(length - kLayerTail)) return false;
    auto* out = payload.writableData();
    unsigned char a = static_cast<unsigned char>(k1 + k2);
    for (std::uint32_t i = 0; i < length - kLayerTail; ++i) {
        out[i] = static_cast<char>(static_cast<unsigned char>(bytes[i] - a));
        a = static_cast<unsigned char>(a + k1);
    }
    layer = std::move(payload);
    return valid;
}

void parseHeaderLine(const ByteString& line, ByteString& name, ByteString& code, ByteString& command) {
    const std::string_view text = line.view();
    const std::size_t first = text.find('\0');
    name.assign(text.substr(0, first));
    code.assign("");
    command.assign("");
    if (first == std::string_view::npos) return;
    const std::size_t second = text.find('\0', first + 1);
    code.assign(text.substr(first + 1, second == std::string_view::npos ? std::string_view::npos : second - first - 1));
    if (second == std::string_view::npos) return;
    const std::string_view rest = text.substr(second + 1);
    command.assign(rest.substr(0, rest.find('\0')));
}

int splitContent(const ByteString& content, UninstallData& out) {
    int position = 0;
    if (!content.isValidPos(position)) return kDataCorrupt;
    ByteString header;
    content.readLine(&position, header, true);
    parseHeaderLine(header, out.name, out.code, out.command);

    // The header line must end in CR LF with the first marker right behind it.
    const auto headerEnd = static_cast<std::uint32_t>(position);
    if (headerEnd < 2 || content.at(headerEnd - 2) != '\r' || content.at(headerEnd - 1) != '\n') return kDataCorrupt;
    if (content.find(kMarkers[0], position, true) != position) return kDataCorrupt;

    ByteString* const sections[] = {&out.shared, &out.backups, &out.files, &out.directories, &out.registry};
    std::uint32_t start = headerEnd + static_cast<std::uint32_t>(std::strlen(kMarkers[0]));
    for (int i = 1; i < 5; ++i) {
        const int next = findMarker(content, kMarkers[i], start);
        if (next < 0) return kDataCorrupt;
        sections[i - 1]->assign(content.view().substr(start, static_cast<std::uint32_t>(next) - start));
        start = static_cast<std::uint32_t>(next) + static_cast<std::uint32_t>(std::strlen(kMarkers[i]));
    }
    out.registry.assign(content.view().substr(start));
    return checkRegistrySection(out.registry) ? kDataOk : kDataCorrupt;
}

int readUninstallDataFromBytes(const unsigned char* bytes, std::size_t size, UninstallData& out) {
    if (size < 4) return kDataCorrupt;
    std::uint32_t layerLength = 0;
    const std::uint32_t offset = littleEndian32(bytes + size - 4);
    const int trailer = checkTrailer(size, offset, layerLength);
    if (trailer != kDataOk) return trailer;
    ByteString layer;
    if (!layer.setLength(layerLength)) return kDataOutOfMemory;
    if (layerLength) std::memcpy(layer.writableData(), bytes + offset, layerLength);
    return decodeLayers(layer, out);
}

int readUninstallData(const std::filesystem::path& executable, UninstallData& out) {
    const int fd = ::open(executable.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return kDataUnreadable;
    ByteString layer;
    int result = kDataUnreadable;
    struct stat st {};
    unsigned char tail[4];
    std::uint32_t layerLength = 0;
    if (::fstat(fd, &st) == 0) {
        const auto size = static_cast<std::uint64_t>(st.st_size);
        if (size < 4) {
            result = kDataCorrupt;
        } else if (readAt(fd, tail, 4, size - 4)) {
            const std::uint32_t offset = littleEndian32(tail);
            result = checkTrailer(size, offset, layerLength);
            if (result == kDataOk && !layer.setLength(layerLength))
                result = kDataOutOfMemory;
            else if (result == kDataOk && layerLength && !readAt(fd, layer.writableData(), layerLength, offset))
                result = kDataUnreadable;
        }
    }
    ::close(fd);
    if (result != kDataOk) return result;
    return decodeLayers(layer, out);
}
