#pragma once
// The primitives every stored record is made of (project file, item record,
// own clipboard format). Little-endian, nothing between fields:
//
//   int16        2 bytes, two's complement
//   float32      4 bytes, IEEE 754 single
//   string       int16 n = length + 1, then the text's n - 1 bytes and a NUL
//   string list  one string holding the list's Text (each line + CR LF)
//
// Each takes the stream first and returns it, so calls chain. Reads never
// raise: a value whose bytes are not all there is left as it was.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class TStream;
class TStringList;

// The longest text a string field holds (n = 32767).
inline constexpr std::size_t kMaxStoredText = 32766;

TStream& ReadInt16(TStream& stream, std::int16_t& value);
TStream& WriteInt16(TStream& stream, std::int16_t value);
TStream& ReadFloat32(TStream& stream, float& value);
TStream& WriteFloat32(TStream& stream, float value);

// Reads a string field; the text is its bytes up to the first NUL. A count
// below 1 gives ""; a field cut short by the end of the stream gives the
// bytes present; no byte beyond the field is read.
TStream& ReadString(TStream& stream, std::string& text);
// A text longer than kMaxStoredText is cut to that length.
TStream& WriteString(TStream& stream, std::string_view text);

// Replaces the list by the lines of one string field.
TStream& ReadStrings(TStream& stream, TStringList& list);
TStream& WriteStrings(TStream& stream, const TStringList& list);
