#pragma once
// The uninstaller's one string type: a binary-safe run of bytes (NULs allowed)
// that also reads CR LF lines and big-endian numbers. Nothing here throws or
// aborts on a failed allocation: a size change that can't be had leaves the
// string as it was.

#include <cstdint>
#include <filesystem>
#include <string_view>

class ByteString {
public:
    // Result codes of loadFile and saveFile.
    static constexpr int kFileOk = 1;
    static constexpr int kFileShort = -1;        // loadFile: fewer bytes read than requested
    static constexpr int kFileWriteShort = -2;   // saveFile: fewer bytes written
    static constexpr int kFileNothingToRead = -2;  // loadFile: no bytes at or after the offset
    static constexpr int kFileCannotOpen = -3;

    ByteString() = default;
    ByteString(const char* text);  // NOLINT: implicit, like the text it copies
    ByteString(const ByteString& other);
    ByteString(ByteString&& other) noexcept;
    ByteString& operator=(const ByteString& other);
    ByteString& operator=(ByteString&& other) noexcept;
    ~ByteString();

    std::uint32_t length() const { return length_; }
    bool empty() const { return length_ == 0; }
    // The bytes; valid until the next change of size. Null or dangling past length().
    const char* data() const { return data_; }
    std::string_view view() const { return {data_ ? data_ : "", length_}; }
    // The bytes for filling in place after setLength; same lifetime as data().
    char* writableData() { return data_; }

    // Copy of the text without its NUL; null gives the empty string.
    void assign(const char* text);
    void assign(const ByteString& other);
    void assign(std::string_view bytes);

    // The byte at pos, or 0xFF when pos is not below length().
    unsigned char at(std::uint32_t pos) const;

    void appendChar(char c);
    // n bytes of text (NULs included) when n is not 0, else the text up to its NUL.
    void append(const char* text, std::uint32_t n = 0);
    void append(const ByteString& other);
    void append(std::string_view bytes);

    // Same length and bytes; with exact false both sides are compared upper-cased (toUpper).
    bool equals(const ByteString& other, bool exact) const;
    bool equals(const char* text, bool exact) const;

    // Removes count bytes at pos; nothing happens when pos + count exceeds length().
    void erase(std::uint32_t pos, std::uint32_t count);
    // Inserts n bytes of text (all of it up to its NUL when n is 0) before pos;
    // pos == length() appends, pos beyond it changes nothing.
    void insert(const char* text, std::uint32_t pos, std::uint32_t n = 0);

    // First position at or after start holding c; -1 when absent or start is out of range.
    int findChar(char c, int start) const;
    // First position at or after start where text occurs (case-folded when exact is false);
    // -1 for an empty text, a start out of range, too few bytes left, or no match.
    int find(const char* text, int start, bool exact) const;

    // The four bytes at offset, first most significant; 0xFFFFFFFF unless all four lie inside.
    std::uint32_t readBigEndian32(std::uint32_t offset) const;

    // Reads the line starting at *position (ended by CR LF, or by the end of the
    // string) into out and moves *position past its CR LF. Text mode cuts the line
    // at its first NUL; binary mode keeps NULs. A null or out-of-range position
    // gives the texts "Invalid param" / "Out of bounds" and leaves the position.
    void readLine(int* position, ByteString& out, bool binary) const;
    bool isValidPos(int position) const { return position >= 0 && static_cast<std::uint32_t>(position) < length_; }

    // Copy of count bytes from start; the whole string when start + count passes the end
    // (so count 0xFFFFFFFF from 0 means "to the end").
    ByteString substring(std::uint32_t start, std::uint32_t count) const;

    // A NUL after the last byte (not counted in length()); the pointer stays valid
    // until the next change. Never null.
    const char* c_str();

    // Upper-cases 'a'..'z' and the Latin-1 letters 0xE5, 0xE4, 0xF6 in place.
    void toUpper();

    // Sets the length to n, new bytes zero. False (nothing changed) when the memory can't be had.
    [[nodiscard]] bool setLength(std::uint32_t n);

    // Replaces the contents with the file's bytes from offset, at most maximum of
    // them (0: no maximum). Codes above; an offset at or past the end gives
    // kFileNothingToRead with the string empty.
    int loadFile(const std::filesystem::path& file, std::uint64_t offset, std::uint32_t maximum);
    // Writes every byte to the file, created anew.
    int saveFile(const std::filesystem::path& file) const;

    // Tests make allocations fail: no block larger than maxBytes is granted
    // (0 lifts the limit).
    static void setAllocationLimitForTesting(std::uint64_t maxBytes);

private:
    bool reallocate(std::uint32_t capacity);

    std::uint32_t length_ = 0;
    char* data_ = nullptr;  // malloc'd; at least length_ bytes
};

// The case folding of ByteString::toUpper for one byte.
unsigned char upperByte(unsigned char c);
