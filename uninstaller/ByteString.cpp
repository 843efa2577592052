#include "uninstaller/ByteString.h"

#include "platform/win/FileDescriptor.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <utility>

namespace {

std::uint64_t allocationLimit = 0;

// The largest length we hold: positions travel as signed 32-bit numbers.
constexpr std::uint32_t kMaxLength = static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max());

bool sameBytes(const char* a, const char* b, std::uint32_t n, bool exact) {
    for (std::uint32_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (!exact) {
            x = upperByte(x);
            y = upperByte(y);
        }
        if (x != y) return false;
    }
    return true;
}

}  // namespace

unsigned char upperByte(unsigned char c) {
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 'a' + 'A');
    switch (c) {
        case 0xE5: return 0xC5;
        case 0xE4: return 0xC4;
        case 0xF6: return 0xD6;
        default: return c;
    }
}

void ByteString::setAllocationLimitForTesting(std::uint64_t maxBytes) { allocationLimit = maxBytes; }

ByteString::ByteString(const char* text) { assign(text); }

ByteString::ByteString(const ByteString& other) { assign(other); }

ByteString::ByteString(ByteString&& other) noexcept
    : length_(std::exchange(other.length_, 0)), data_(std::exchange(other.data_, nullptr)) {}

ByteString& ByteString::operator=(const ByteString& other) {
    if (this != &other) assign(other);
    return *this;
}

ByteString& ByteString::operator=(ByteString&& other) noexcept {
    std::swap(length_, other.length_);
    std::swap(data_, other.data_);
    return *this;
}

ByteString::~ByteString() { std::free(data_); }

bool ByteString::reallocate(std::uint32_t capacity) {
    if (allocationLimit != 0 && capacity > allocationLimit) return false;
    if (capacity == 0) {
        std::free(data_);
        data_ = nullptr;
        return true;
    }
    void* block = std::realloc(data_, capacity);
    if (!block) return false;
    data_ = static_cast<char*>(block);
    return true;
}

bool ByteString::setLength(std::uint32_t n) {
    if (n > kMaxLength) return false;
    if (n == length_) return true;
    if (!reallocate(n)) return false;
    if (n > length_) std::memset(data_ + length_, 0, n - length_);
    length_ = n;
    return true;
}

void ByteString::assign(const char* text) {
    if (!text) {
        (void)setLength(0);
        return;
    }
    assign(std::string_view(text));
}

void ByteString::assign(const ByteString& other) {
    if (this == &other) return;
    assign(other.view());
}

void ByteString::assign(std::string_view bytes) {
    if (bytes.size() > kMaxLength) return;
    const auto n = static_cast<std::uint32_t>(bytes.size());
    // The source may lie inside our own block: copy before the block moves.
    if (data_ && bytes.data() >= data_ && bytes.data() < data_ + length_) {
        ByteString copy;
        copy.assign(bytes);
        *this = std::move(copy);
        return;
    }
    if (!reallocate(n)) return;
    if (n) std::memcpy(data_, bytes.data(), n);
    length_ = n;
}

unsigned char ByteString::at(std::uint32_t pos) const {
    return pos < length_ ? static_cast<unsigned char>(data_[pos]) : 0xFF;
}

void ByteString::appendChar(char c) { append(std::string_view(&c, 1)); }

void ByteString::append(const char* text, std::uint32_t n) {
    if (!text) return;
    append(n ? std::string_view(text, n) : std::string_view(text));
}

void ByteString::append(const ByteString& other) { append(other.view()); }

void ByteString::append(std::string_view bytes) {
    if (bytes.empty()) return;
    insert(bytes.data(), length_, static_cast<std::uint32_t>(std::min<std::size_t>(bytes.size(), kMaxLength)));
}

bool ByteString::equals(const ByteString& other, bool exact) const {
    return length_ == other.length_ && sameBytes(view().data(), other.view().data(), length_, exact);
}

bool ByteString::equals(const char* text, bool exact) const {
    const std::string_view t = text ? std::string_view(text) : std::string_view();
    return t.size() == length_ && sameBytes(view().data(), t.data(), length_, exact);
}

void ByteString::erase(std::uint32_t pos, std::uint32_t count) {
    if (count == 0 || std::uint64_t{pos} + count > length_) return;
    std::memmove(data_ + pos, data_ + pos + count, length_ - pos - count);
    length_ -= count;
    (void)reallocate(length_);  // a shrink that fails keeps the larger block, which is harmless
}

void ByteString::insert(const char* text, std::uint32_t pos, std::uint32_t n) {
    if (!text || pos > length_) return;
    if (n == 0) {
        const std::size_t len = std::strlen(text);
        if (len > kMaxLength) return;
        n = static_cast<std::uint32_t>(len);
    }
    if (n == 0 || std::uint64_t{length_} + n > kMaxLength) return;
    // The text may lie inside our own block, which may move.
    if (data_ && text >= data_ && text < data_ + length_) {
        ByteString copy;
        copy.assign(std::string_view(text, n));
        insert(copy.data(), pos, n);
        return;
    }
    if (!reallocate(length_ + n)) return;
    std::memmove(data_ + pos + n, data_ + pos, length_ - pos);
    std::memcpy(data_ + pos, text, n);
    length_ += n;
}

int ByteString::findChar(char c, int start) const {
    if (!isValidPos(start)) return -1;
    const void* hit = std::memchr(data_ + start, c, length_ - static_cast<std::uint32_t>(start));
    return hit ? static_cast<int>(static_cast<const char*>(hit) - data_) : -1;
}

int ByteString::find(const char* text, int start, bool exact) const {
    if (!text || !isValidPos(start)) return -1;
    const std::size_t n = std::strlen(text);
    if (n == 0 || n > length_ - static_cast<std::uint32_t>(start)) return -1;
    const std::uint32_t last = length_ - static_cast<std::uint32_t>(n);
    for (std::uint32_t i = static_cast<std::uint32_t>(start); i <= last; ++i)
        if (sameBytes(data_ + i, text, static_cast<std::uint32_t>(n), exact)) return static_cast<int>(i);
    return -1;
}

std::uint32_t ByteString::readBigEndian32(std::uint32_t offset) const {
    // 64-bit sum: an offset near 2^32 must not wrap round into range.
    if (std::uint64_t{offset} + 3 >= length_) return 0xFFFFFFFFu;
    const auto* p = reinterpret_cast<const unsigned char*>(data_ + offset);
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

void ByteString::readLine(int* position, ByteString& out, bool binary) const {
    if (!position) {
        out.assign("Invalid param");
        return;
    }
    if (!isValidPos(*position)) {
        out.assign("Out of bounds");
        return;
    }
    const auto start = static_cast<std::uint32_t>(*position);
    for (std::uint32_t i = start; i + 1 < length_; ++i) {
        if (data_[i] != '\r' || data_[i + 1] != '\n') continue;
        std::uint32_t end = i;
        if (!binary) {
            const void* nul = std::memchr(data_ + start, 0, i - start);
            if (nul) end = static_cast<std::uint32_t>(static_cast<const char*>(nul) - data_);
        }
        out.assign(std::string_view(data_ + start, end - start));
        *position = static_cast<int>(i + 2);
        return;
    }
    out.assign(std::string_view(data_ + start, length_ - start));
    *position = static_cast<int>(length_);
}

ByteString ByteString::substring(std::uint32_t start, std::uint32_t count) const {
    ByteString result;
    if (std::uint64_t{start} + count > length_)
        result.assign(*this);
    else
        result.assign(std::string_view(data_ + start, count));
    return result;
}

const char* ByteString::c_str() {
    if (length_ == kMaxLength || !reallocate(length_ + 1)) {
        // Without room for the NUL a text view of the start is the best we can give.
        if (!data_ || length_ == 0) return "";
        data_[length_ - 1] = '\0';
        return data_;
    }
    data_[length_] = '\0';
    return data_;
}

void ByteString::toUpper() {
    for (std::uint32_t i = 0; i < length_; ++i)
        data_[i] = static_cast<char>(upperByte(static_cast<unsigned char>(data_[i])));
}

int ByteString::loadFile(const std::filesystem::path& file, std::uint64_t offset, std::uint32_t maximum) {
    const win::FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.Get() < 0) return kFileCannotOpen;
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0) return kFileCannotOpen;
    const auto size = static_cast<std::uint64_t>(st.st_size);
    if (offset >= size) {
        (void)setLength(0);
        return kFileNothingToRead;
    }
    std::uint64_t count = size - offset;
    if (maximum != 0 && maximum < count) count = maximum;
    (void)setLength(0);
    if (count > kMaxLength || !setLength(static_cast<std::uint32_t>(count))) return kFileShort;
    std::uint64_t done = 0;
    while (done < count) {
        const ssize_t got = ::pread(fd.Get(), data_ + done, count - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        done += static_cast<std::uint64_t>(got);
    }
    if (done < count) {
        (void)setLength(static_cast<std::uint32_t>(done));
        return kFileShort;
    }
    return kFileOk;
}

int ByteString::saveFile(const std::filesystem::path& file) const {
    const win::FileDescriptor fd(::open(file.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (fd.Get() < 0) return kFileCannotOpen;
    std::uint32_t done = 0;
    while (done < length_) {
        const ssize_t put = ::write(fd.Get(), data_ + done, length_ - done);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return kFileWriteShort;
        done += static_cast<std::uint32_t>(put);
    }
    return kFileOk;
}
