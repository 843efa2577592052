#include "calc/ItemInternal.h"

#include "lang/Languages.h"

namespace item_internal {

std::string Text(std::string_view key) {
    return LanguageList ? LanguageList->GetString(key) : std::string();
}

}  // namespace item_internal
