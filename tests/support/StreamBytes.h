#pragma once
// Bytes into and out of memory streams, and records (items and the like with
// Write(stream) and Read(stream, version)) through them. Header-only: the
// fuzz targets use it without the test library.

#include "platform/base/MemoryStream.h"

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>

namespace testing_support {

// The low 16 bits of value, little-endian, as the stream records keep them.
inline std::string Int16Bytes(int value) {
    const auto bits = static_cast<std::uint16_t>(value);
    return {static_cast<char>(bits & 0xFF), static_cast<char>(bits >> 8)};
}

// A float32, little-endian.
inline std::string FloatBytes(float value) {
    const auto bits = std::bit_cast<std::uint32_t>(value);
    std::string out;
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>(bits >> (8 * i)));
    return out;
}

// Everything the stream holds.
inline std::string StreamBytes(const TMemoryStream& stream) {
    return std::string(reinterpret_cast<const char*>(stream.Memory()), static_cast<std::size_t>(stream.Size()));
}

// Appends the bytes and goes back to the start, ready to read.
inline void FillStream(TMemoryStream& stream, std::string_view bytes) {
    stream.Write(bytes.data(), static_cast<int>(bytes.size()));
    stream.SetPosition(0);
}

// What record.Write writes.
template <class T>
std::string RecordBytes(const T& record) {
    TMemoryStream stream;
    record.Write(stream);
    return StreamBytes(stream);
}

// A fresh T read from the bytes as that version; *endPosition, when given,
// gets where the read stopped.
template <class T>
T ReadRecord(std::string_view bytes, int version, std::int64_t* endPosition = nullptr) {
    TMemoryStream stream;
    FillStream(stream, bytes);
    T record;
    record.Read(stream, version);
    if (endPosition) *endPosition = stream.Position();
    return record;
}

}  // namespace testing_support
