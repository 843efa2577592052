#include "project/StreamPrimitives.h"

#include "platform/base/Stream.h"
#include "platform/base/StringList.h"

#include <algorithm>
#include <bit>
#include <string_view>
#include <vector>

TStream& ReadInt16(TStream& stream, std::int16_t& value) {
    unsigned char bytes[2];
    if (stream.Read(bytes, 2) == 2) value = static_cast<std::int16_t>(bytes[0] | (bytes[1] << 8));
    return stream;
}

TStream& WriteInt16(TStream& stream, std::int16_t value) {
    const auto bits = static_cast<std::uint16_t>(value);
    const unsigned char bytes[2] = {static_cast<unsigned char>(bits), static_cast<unsigned char>(bits >> 8)};
    stream.Write(bytes, 2);
    return stream;
}

TStream& ReadFloat32(TStream& stream, float& value) {
    unsigned char bytes[4];
    if (stream.Read(bytes, 4) == 4) {
        std::uint32_t bits = 0;
        for (int i = 3; i >= 0; --i) bits = (bits << 8) | bytes[i];
        value = std::bit_cast<float>(bits);
    }
    return stream;
}

TStream& WriteFloat32(TStream& stream, float value) {
    const auto bits = std::bit_cast<std::uint32_t>(value);
    unsigned char bytes[4];
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<unsigned char>(bits >> (8 * i));
    stream.Write(bytes, 4);
    return stream;
}

TStream& ReadString(TStream& stream, std::string& text) {
    unsigned char countBytes[2];
    if (stream.Read(countBytes, 2) != 2) return stream;
    const auto count = static_cast<std::int16_t>(countBytes[0] | (countBytes[1] << 8));
    if (count < 1) {
        text.clear();
        return stream;
    }
    std::vector<char> buffer(static_cast<std::size_t>(count));
    const int got = std::max(stream.Read(buffer.data(), count), 0);
    const std::string_view present(buffer.data(), static_cast<std::size_t>(got));
    text = present.substr(0, present.find('\0'));
    return stream;
}

TStream& WriteString(TStream& stream, std::string_view text) {
    // The count is an int16: a longer text is cut rather than wrapped into a
    // count that would damage every field after it.
    text = text.substr(0, kMaxStoredText);
    WriteInt16(stream, static_cast<std::int16_t>(text.size() + 1));
    std::string field(text);  // with its NUL
    stream.Write(field.c_str(), static_cast<int>(field.size() + 1));
    return stream;
}

TStream& ReadStrings(TStream& stream, TStringList& list) {
    std::string text = list.Text();
    ReadString(stream, text);
    list.SetText(text);
    return stream;
}

TStream& WriteStrings(TStream& stream, const TStringList& list) { return WriteString(stream, list.Text()); }
