#pragma once
// What the data-base readers share: element tests on the XML scanner's
// current part, "yes" flags, numbers and language-filtered display texts.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

class TXmlParser;

// A start tag or an empty-element tag of that name.
bool IsTagOf(const TXmlParser& parser, std::string_view name);
bool IsStartTagOf(const TXmlParser& parser, std::string_view name);
bool IsEndTagOf(const TXmlParser& parser, std::string_view name);
// Text content whose last tag has that name.
bool IsContentOf(const TXmlParser& parser, std::string_view name);

// "yes" in any letter case.
bool IsYes(std::string_view value);
// An attribute of the current tag is "yes".
bool AttributeIsYes(const TXmlParser& parser, std::string_view name);

// The attributes of a "Usages" tag, by the bit number of their geometry.
inline constexpr std::array<std::string_view, 5> kUsageAttributes = {"Tube", "RoundCanal", "SquareCanal",
                                                                      "SquareTank", "RoundTank"};
// Bit i set where attribute names[i] of the current tag is "yes" (at most 16 names).
std::uint16_t AttributeBits(const TXmlParser& parser, std::span<const std::string_view> names);

// A number of a data file as the float32 the records keep: "," or "." as the
// point, trailing text ignored, "" reads as 0. Raises Exception with the
// translated "IDS_WRONGVALUE" text when the text doesn't start like a number
// or the value lies beyond the float range.
float ReadFloat32(std::string_view text);
// ReadFloat32 of the current content, or of an attribute of the current tag.
float ContentFloat32(const TXmlParser& parser);
float AttributeFloat32(const TXmlParser& parser, std::string_view name);

// Sets `text` to the current content with the data-base macros expanded when
// the element applies to the data-base language; leaves it otherwise.
void TakeFilteredText(const TXmlParser& parser, std::string& text);
