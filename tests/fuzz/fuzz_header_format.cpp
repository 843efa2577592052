// The list header's two text readers on arbitrary bytes: the bytes as a
// TITLE text, then as an "Order" value over its columns and as each column's
// registry value. A column written and read back must come out the same.
#include "listheader/Listheaderformat.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

// What a column's registry value carries.
bool SameStoredFields(const TListHeaderFormatCol& a, const TListHeaderFormatCol& b) {
    if (a.Visible != b.Visible || a.Width != b.Width || a.TitleAlignment != b.TitleAlignment ||
        a.DataAlignment != b.DataAlignment || a.ValueKind != b.ValueKind || a.UserDefined != b.UserDefined)
        return false;
    if (a.ValueKind != TValueKind::Text && a.ShowZero != b.ShowZero) return false;
    if (a.ValueKind == TValueKind::Real &&
        (a.Digits != b.Digits || a.Decimals != b.Decimals || a.FloatFormat != b.FloatFormat))
        return false;
    if (a.UserDefined && (a.GetUserLine(0) != b.GetUserLine(0) || a.GetUserLine(1) != b.GetUserLine(1) ||
                          a.Factor != b.Factor))
        return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    TListHeaderFormat format;
    format.ReadTitleText(text);
    format.ReadOrderText(text);
    for (int p = 0; p < format.ColumnCount(); ++p) format.ColumnAt(p);
    (void)format.OrderText();

    TListHeaderFormatCol column;
    column.ReadRegistryValue(text);
    TListHeaderFormatCol again;
    again.ReadRegistryValue(column.RegistryValue());
    if (!SameStoredFields(column, again)) __builtin_trap();
    return 0;
}
