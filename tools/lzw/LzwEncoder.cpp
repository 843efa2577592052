#include "lzw/LzwEncoder.h"

#include <array>
#include <limits>
#include <stdexcept>

namespace lzw {
namespace {

constexpr unsigned kFirstFreeCode = 258;
constexpr unsigned kDictionarySize = 4096;

// (prefix code, byte) -> code, open addressing; a generation number per slot
// makes a clear O(1).
class TStringTable {
public:
    TStringTable() { slots_.fill(TSlot{}); }

    void Clear() { ++generation_; }

    // The code of prefix + byte, or -1.
    int Find(unsigned prefix, unsigned char byte) const {
        const std::uint32_t key = (prefix << 8) | byte;
        for (std::size_t i = Hash(key);; i = (i + 1) & kMask) {
            const TSlot& slot = slots_[i];
            if (slot.generation != generation_) return -1;
            if (slot.key == key) return slot.code;
        }
    }

    void Add(unsigned prefix, unsigned char byte, unsigned code) {
        const std::uint32_t key = (prefix << 8) | byte;
        std::size_t i = Hash(key);
        while (slots_[i].generation == generation_) i = (i + 1) & kMask;
        slots_[i] = TSlot{key, static_cast<int>(code), generation_};
    }

private:
    static constexpr std::size_t kSlots = 16384;  // 4x the entries: short probes
    static constexpr std::size_t kMask = kSlots - 1;
    struct TSlot {
        std::uint32_t key = 0;
        int code = -1;
        std::uint32_t generation = 0;
    };
    static std::size_t Hash(std::uint32_t key) { return (key * 2654435761u >> 18) & kMask; }

    std::array<TSlot, kSlots> slots_;
    std::uint32_t generation_ = 1;
};

// Packs with the growth rule, given the length of the finished stream.
std::vector<std::uint8_t> PackWithLength(const std::vector<std::uint16_t>& codes, std::size_t totalBytes) {
    std::vector<std::uint8_t> out;
    std::uint64_t bits = 0;     // pending bits, right-aligned
    int pending = 0;
    std::uint64_t written = 0;  // bits written so far
    int width = 9;
    unsigned nextFree = kFirstFreeCode;
    std::size_t sinceClear = 0;
    for (const std::uint16_t code : codes) {
        if (code >= (1u << width)) throw std::invalid_argument("LZW code does not fit its width");
        bits = (bits << width) | code;
        pending += width;
        written += static_cast<unsigned>(width);
        while (pending >= 8) {
            pending -= 8;
            out.push_back(static_cast<std::uint8_t>(bits >> pending));
        }
        bits &= (std::uint64_t{1} << pending) - 1;
        if (code == kClearCode) {
            width = 9;
            nextFree = kFirstFreeCode;
            sinceClear = 0;
            continue;
        }
        if (code == kEndCode) continue;
        if (++sinceClear < 2 || nextFree >= kDictionarySize) continue;
        ++nextFree;
        const std::uint64_t loaded = (written + 7) / 8;  // bytes the decoder has taken in
        if (nextFree + 1 == (1u << width) && totalBytes >= loaded + 2) ++width;
    }
    if (pending > 0) out.push_back(static_cast<std::uint8_t>(bits << (8 - pending)));
    return out;
}

}  // namespace

std::vector<std::uint16_t> EncodeCodes(std::string_view data, const TEncodeOptions& options) {
    std::vector<std::uint16_t> codes;
    if (data.empty()) return codes;
    TStringTable table;
    unsigned nextFree = kFirstFreeCode;  // the encoder's next entry
    std::size_t sinceClear = 0;
    // The decoder makes its entries one code later than the encoder: it is
    // full when its next free code reaches 4096, and then only a clear or the
    // end may follow.
    auto emit = [&](unsigned code) {
        codes.push_back(static_cast<std::uint16_t>(code));
        ++sinceClear;
    };
    auto decoderFull = [&] {
        const std::size_t decoderNext = kFirstFreeCode + (sinceClear >= 1 ? sinceClear - 1 : 0);
        return decoderNext >= kDictionarySize || (options.clearAfter != 0 && sinceClear >= options.clearAfter);
    };
    codes.push_back(static_cast<std::uint16_t>(kClearCode));
    unsigned current = static_cast<unsigned char>(data[0]);
    for (std::size_t i = 1; i < data.size(); ++i) {
        const auto byte = static_cast<unsigned char>(data[i]);
        const int found = table.Find(current, byte);
        if (found >= 0) {
            current = static_cast<unsigned>(found);
            continue;
        }
        emit(current);
        if (decoderFull()) {
            codes.push_back(static_cast<std::uint16_t>(kClearCode));
            table.Clear();
            nextFree = kFirstFreeCode;
            sinceClear = 0;
        } else if (nextFree < kDictionarySize) {
            table.Add(current, byte, nextFree++);
        }
        current = byte;
    }
    emit(current);
    codes.push_back(static_cast<std::uint16_t>(kEndCode));
    return codes;
}

std::vector<std::uint8_t> Pack(const std::vector<std::uint16_t>& codes) {
    // The growth test depends on the length of the whole stream, which
    // depends on the widths: start from "always grow" and shrink until the
    // length is stable (fewer growths never make the stream longer).
    std::vector<std::uint8_t> packed = PackWithLength(codes, std::numeric_limits<std::size_t>::max());
    for (;;) {
        std::vector<std::uint8_t> again = PackWithLength(codes, packed.size());
        if (again.size() == packed.size()) return again;
        packed = std::move(again);
    }
}

std::vector<std::uint8_t> Compress(std::string_view data, const TEncodeOptions& options) {
    return Pack(EncodeCodes(data, options));
}

}  // namespace lzw
