#pragma once
// The program's TITLE resources: the column definitions of list headers, as
// TITLE texts named after the header's format. Names compare without letter
// case. The program ships none; whoever places a header registers its text.

#include <string>
#include <string_view>

// The text of that name; null when there is none. Valid until the next
// registration of that name.
const std::string* FindTitleResource(std::string_view name);
// Adds a resource, or replaces the one of that name.
void RegisterTitleResource(std::string_view name, std::string text);
