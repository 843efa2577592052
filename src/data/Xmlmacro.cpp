#include "data/Xmlmacro.h"

#include "lang/Languages.h"

#include <algorithm>

std::vector<TXMLMacroItem> XmlMacros;
std::string DeviceDbLanguage;

namespace {

// Replaces every occurrence of the entry's ID in `text`, charging each
// insertion to `budget`. False when the budget ran out first.
bool ReplaceAll(const TXMLMacroItem& item, std::string& text, std::size_t& budget) {
    if (item.ID.empty()) return true;
    const std::size_t cost = std::max<std::size_t>(item.Value.size(), 1);
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = text.find(item.ID, from);
        if (at == std::string::npos) return true;
        if (cost > budget) return false;
        budget -= cost;
        text.replace(at, item.ID.size(), item.Value);
        // No occurrence lies wholly before `at`: a new one can only start
        // where its end reaches into the inserted value.
        from = at >= item.ID.size() - 1 ? at - (item.ID.size() - 1) : 0;
    }
}

}  // namespace

void ClearXmlMacros() { XmlMacros.clear(); }

void SetDeviceDBLanguage(std::string_view language) {
    if (!language.empty()) {
        DeviceDbLanguage = std::string(language);
        return;
    }
    const TLanguage* userInterface = LanguageList ? LanguageList->CurrentLanguage() : nullptr;
    DeviceDbLanguage = userInterface ? userInterface->GetString("IDS_DEVICEDBLANGUAGE") : std::string();
}

std::string ExpandXmlMacros(std::string_view text) {
    std::string result(text);
    std::size_t budget = kXmlMacroExpansionLimit;
    for (const TXMLMacroItem& item : XmlMacros)
        if (!ReplaceAll(item, result, budget)) break;
    return result;
}

std::string ReplaceAllOccurrences(const TXMLMacroItem& item, std::string_view text) {
    std::string result(text);
    std::size_t budget = kXmlMacroExpansionLimit;
    ReplaceAll(item, result, budget);
    return result;
}
