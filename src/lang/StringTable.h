#pragma once
// The program's string table: the RTF row templates of the reports and a few
// fixed names, looked up by id. Texts are Windows-1250 bytes and may hold
// #KEY# macros, which TLanguages::TranslateResString expands.

#include <span>
#include <string_view>

struct TResString {
    int id;
    std::string_view text;
};

// Every row, in ascending id order.
std::span<const TResString> StringTable();

// The text of row `id`; "" when the table has no such row.
std::string_view LoadResString(int id);
