#include "data/DataTexts.h"

#include "lang/Languages.h"

std::string DataText(std::string_view key) { return LanguageList ? LanguageList->GetString(key) : std::string(); }
