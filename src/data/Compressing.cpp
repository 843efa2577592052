#include "data/Compressing.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

namespace {

constexpr unsigned kClearCode = 256;
constexpr unsigned kEndCode = 257;
constexpr unsigned kFirstFreeCode = 258;
constexpr unsigned kDictionarySize = 4096;
constexpr int kInitialWidth = 9;

// One entry per code: the string of a code is the string of its prefix
// followed by its symbol. The first byte and the length are kept so that a
// string is written back to front in one pass, without a stack.
struct TDictionary {
    std::array<std::uint16_t, kDictionarySize> prefix;
    std::array<std::uint16_t, kDictionarySize> length;
    std::array<std::uint8_t, kDictionarySize> symbol;
    std::array<std::uint8_t, kDictionarySize> first;
};

[[noreturn]] void Damaged(const char* what) {
    throw EDecompressError(std::string("Damaged compressed data: ") + what);
}

class TDecoder {
public:
    TDecoder(std::span<const std::uint8_t> input, std::string& output)
        : input_(input), output_(output), size_(output.size()) {}

    void Run();

private:
    // False when the input ends before a whole code could be read.
    bool ReadCode(unsigned& code) {
        while (count_ < width_) {
            if (position_ == input_.size()) return false;
            buffer_ = (buffer_ << 8) | input_[position_++];
            count_ += 8;
        }
        count_ -= width_;
        code = buffer_ >> count_;
        buffer_ &= (1u << count_) - 1;
        return true;
    }

    unsigned NextCode() {
        unsigned code = 0;
        if (!ReadCode(code)) Damaged("the data ends before its end code");
        return code;
    }

    void Reserve(std::size_t more) {
        if (size_ + more > output_.size())
            output_.resize(std::max(output_.size() * 2, size_ + more + 4096));
    }

    void WriteString(unsigned code) {
        const std::size_t length = dictionary_.length[code];
        Reserve(length);
        char* end = output_.data() + size_ + length;
        for (std::size_t i = 0; i < length; ++i) {
            *--end = static_cast<char>(dictionary_.symbol[code]);
            code = dictionary_.prefix[code];
        }
        size_ += length;
    }

    void WriteByte(unsigned byte) {
        Reserve(1);
        output_[size_++] = static_cast<char>(byte);
    }

    void Clear() {
        nextFree_ = kFirstFreeCode;
        width_ = kInitialWidth;
    }

    void Finish() { output_.resize(size_); }

    std::span<const std::uint8_t> input_;
    std::string& output_;
    std::size_t size_;  // bytes of output_ in use; the rest is slack
    std::size_t position_ = 0;
    std::uint32_t buffer_ = 0;
    int count_ = 0;
    int width_ = kInitialWidth;
    unsigned nextFree_ = kFirstFreeCode;
    TDictionary dictionary_;
};

void TDecoder::Run() {
    for (unsigned c = 0; c < 256; ++c) {
        dictionary_.prefix[c] = 0;
        dictionary_.length[c] = 1;
        dictionary_.symbol[c] = static_cast<std::uint8_t>(c);
        dictionary_.first[c] = static_cast<std::uint8_t>(c);
    }
    struct TFinish {
        TDecoder& decoder;
        ~TFinish() { decoder.Finish(); }
    } finish{*this};

    if (NextCode() != kClearCode) Damaged("it does not start with a clear code");
    for (;;) {
        // Right after a clear there is no previous string to extend.
        Clear();
        unsigned code = NextCode();
        if (code == kClearCode) continue;
        if (code == kEndCode) return;
        if (code > kEndCode) Damaged("a dictionary code follows a clear code");
        WriteByte(code);
        unsigned previous = code;
        for (;;) {
            code = NextCode();
            if (code == kEndCode) return;
            if (code == kClearCode) break;
            if (code > nextFree_ || nextFree_ == kDictionarySize)
                Damaged("a code names no dictionary entry");
            // code == nextFree_ names the entry being made: previous string
            // plus its own first byte.
            const unsigned entry = nextFree_;
            dictionary_.prefix[entry] = static_cast<std::uint16_t>(previous);
            dictionary_.symbol[entry] = dictionary_.first[code < entry ? code : previous];
            dictionary_.first[entry] = dictionary_.first[previous];
            dictionary_.length[entry] = static_cast<std::uint16_t>(dictionary_.length[previous] + 1);
            ++nextFree_;
            if (nextFree_ + 1 == (1u << width_) && input_.size() - position_ >= 2) ++width_;
            WriteString(code);
            previous = code;
        }
    }
}

}  // namespace

void Compressing::Decompress(std::span<const std::uint8_t> input, std::string& output) {
    if (input.empty()) return;
    TDecoder(input, output).Run();
}
