#include "data/DataReading.h"

#include "data/DataTexts.h"
#include "data/XmlParser.h"
#include "data/Xmlmacro.h"
#include "platform/base/Exception.h"
#include "platform/base/SysUtils.h"
#include "project/ValueHelpers.h"

#include <cmath>
#include <cstddef>
#include <limits>

bool IsTagOf(const TXmlParser& parser, std::string_view name) {
    const TPartType type = parser.PartType();
    return (type == TPartType::ptStartTag || type == TPartType::ptEmptyTag) && parser.PartName() == name;
}

bool IsStartTagOf(const TXmlParser& parser, std::string_view name) {
    return parser.PartType() == TPartType::ptStartTag && parser.PartName() == name;
}

bool IsEndTagOf(const TXmlParser& parser, std::string_view name) {
    return parser.PartType() == TPartType::ptEndTag && parser.PartName() == name;
}

bool IsContentOf(const TXmlParser& parser, std::string_view name) {
    return parser.PartType() == TPartType::ptContent && parser.PartName() == name;
}

bool IsYes(std::string_view value) { return AnsiSameText(value, "yes"); }

bool AttributeIsYes(const TXmlParser& parser, std::string_view name) {
    return IsYes(parser.PartAttributes().Value(name));
}

std::uint16_t AttributeBits(const TXmlParser& parser, std::span<const std::string_view> names) {
    std::uint16_t bits = 0;
    for (std::size_t i = 0; i < names.size() && i < 16; ++i)
        if (AttributeIsYes(parser, names[i])) bits |= static_cast<std::uint16_t>(1u << i);
    return bits;
}

float ReadFloat32(std::string_view text) {
    const double value = StrToValue(text, kAnyValue);
    // A float can't keep it: infinity would be a silently wrong number.
    if (!(std::fabs(value) <= std::numeric_limits<float>::max())) throw Exception(DataText("IDS_WRONGVALUE"));
    return static_cast<float>(value);
}

float ContentFloat32(const TXmlParser& parser) { return ReadFloat32(parser.PartContent()); }

float AttributeFloat32(const TXmlParser& parser, std::string_view name) {
    return ReadFloat32(parser.PartAttributes().Value(name));
}

void TakeFilteredText(const TXmlParser& parser, std::string& text) {
    if (LanguageMatches(parser)) text = ExpandXmlMacros(parser.PartContent());
}
