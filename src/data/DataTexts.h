#pragma once
// Translated texts the data bases show.

#include <string>
#include <string_view>

// The text of an "IDS_" key in the user-interface language; "" when missing.
std::string DataText(std::string_view key);
