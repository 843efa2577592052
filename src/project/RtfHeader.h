#pragma once
// The program's RTF prologue resources (type "RTFHEADER"): the start of an
// RTF document up to its first paragraph, with the group left open for the
// text that follows and the closing text of the language ("IDS_RTFEND").

#include <string_view>

// The prologue of that name, compared without letter case ("ItemRTFHeader"
// finds "ITEMRTFHEADER"); empty when there is none.
std::string_view FindRtfHeaderResource(std::string_view name);
