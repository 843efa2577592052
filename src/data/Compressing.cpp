#include "data/Compressing.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

constexpr unsigned kClearCode = 256;
constexpr unsigned kEndCode = 257;
constexpr unsigned kFirstFreeCode = 258;
constexpr unsigned kDictionarySize = 4096;
constexpr int kInitialWidth = 9;
constexpr std::size_t kSlack = 16;  // output bytes past the end that a copy may scribble on

[[noreturn]] void Damaged(const char* what) {
    throw EDecompressError(std::string("Damaged compressed data: ") + what);
}

// Every entry's string is the previous code's string plus the first byte of
// the code after it, and both stand next to each other in the output. So an
// entry is kept as the place of its string in the output: writing a code is
// one copy from earlier output, with no prefix chain to walk.
class TDecoder {
public:
    TDecoder(std::span<const std::uint8_t> input, std::string& output)
        : input_(input), output_(output), size_(output.size()) {}

    void Run();

private:
    // Codes are read by bit position: the reference bit reader takes a byte
    // in only when it needs one, so it has taken ceil(bits read / 8) bytes.
    unsigned NextCode() {
        const std::uint64_t end = bitPosition_ + static_cast<unsigned>(width_);
        if (end > input_.size() * std::uint64_t{8}) Damaged("the data ends before its end code");
        const std::size_t byte = static_cast<std::size_t>(bitPosition_ >> 3);
        std::uint32_t window = 0;
        if (byte + 4 <= input_.size()) {
            window = (std::uint32_t{input_[byte]} << 24) | (std::uint32_t{input_[byte + 1]} << 16) |
                     (std::uint32_t{input_[byte + 2]} << 8) | input_[byte + 3];
        } else {
            for (std::size_t i = 0; i < 4; ++i)
                window = (window << 8) | (byte + i < input_.size() ? input_[byte + i] : 0u);
        }
        const unsigned code = (window << (bitPosition_ & 7)) >> (32 - width_);
        bitPosition_ = end;
        return code;
    }

    std::uint64_t BytesNotYetRead() const { return input_.size() - (bitPosition_ + 7) / 8; }

    // Room for `more` bytes plus the slack.
    char* Room(std::size_t more) {
        if (size_ + more + kSlack > output_.size())
            output_.resize(std::max(output_.size() * 2, size_ + more + kSlack + 4096));
        return output_.data() + size_;
    }

    void Finish() { output_.resize(size_); }

    std::span<const std::uint8_t> input_;
    std::string& output_;
    std::size_t size_;  // bytes of output_ in use; the rest is slack
    std::uint64_t bitPosition_ = 0;
    int width_ = kInitialWidth;
    std::array<std::size_t, kDictionarySize> start_{};  // where an entry's string stands in the output
    std::array<std::uint16_t, kDictionarySize> length_{};
};

void TDecoder::Run() {
    struct TFinish {
        TDecoder& decoder;
        ~TFinish() { decoder.Finish(); }
    } finish{*this};

    if (NextCode() != kClearCode) Damaged("it does not start with a clear code");
    for (;;) {
        // Right after a clear there is no previous string to extend.
        width_ = kInitialWidth;
        unsigned nextFree = kFirstFreeCode;
        unsigned code = NextCode();
        if (code == kClearCode) continue;
        if (code == kEndCode) return;
        if (code > kEndCode) Damaged("a dictionary code follows a clear code");
        std::size_t previousStart = size_;
        std::size_t previousLength = 1;
        *Room(1) = static_cast<char>(code);
        ++size_;
        for (;;) {
            code = NextCode();
            if (code == kEndCode) return;
            if (code == kClearCode) break;
            if (code > nextFree || nextFree == kDictionarySize) Damaged("a code names no dictionary entry");
            // The new entry: the previous string and the next byte after it.
            // For code == nextFree that byte is the entry's own first byte.
            start_[nextFree] = previousStart;
            length_[nextFree] = static_cast<std::uint16_t>(previousLength + 1);
            ++nextFree;
            if (nextFree + 1 == (1u << width_) && BytesNotYetRead() >= 2) ++width_;

            const std::size_t at = size_;
            if (code < 256) {
                *Room(1) = static_cast<char>(code);
                previousLength = 1;
            } else {
                previousLength = length_[code];
                char* target = Room(previousLength);
                const char* source = output_.data() + start_[code];
                if (source + previousLength <= target) {
                    // Copies in 16-byte steps may run past the string into
                    // the slack; the bytes they read there land past it too.
                    // Each step loads before it stores: the two blocks may overlap.
                    for (std::size_t i = 0; i < previousLength; i += 16) {
                        char block[16];
                        std::memcpy(block, source + i, 16);
                        std::memcpy(target + i, block, 16);
                    }
                } else {
                    for (std::size_t i = 0; i < previousLength; ++i) target[i] = source[i];
                }
            }
            size_ += previousLength;
            previousStart = at;
        }
    }
}

}  // namespace

void Compressing::Decompress(std::span<const std::uint8_t> input, std::string& output) {
    if (input.empty()) return;
    TDecoder(input, output).Run();
}
