#include "data/Xmlmacro.h"

#include "data/XmlParser.h"

#include <algorithm>

bool LanguageMatches(const TXmlParser& parser) {
    const std::string language = parser.PartAttributes().Value("Language");
    return language.empty() || language == "any" || language == DeviceDbLanguage;
}

void ReadXmlMacros(TXmlParser& parser) {
    XmlMacros.clear();
    while (parser.Scan()) {
        if (parser.PartType() == TPartType::ptEndTag && parser.PartName() == "DBGlobalMacro") return;
        if (parser.PartType() != TPartType::ptStartTag || parser.PartName() != "Macro") continue;
        TXMLMacroItem item;
        if (!ReadXmlMacro(item, parser)) continue;
        // A value holding its own ID would be replaced again and again.
        if (!item.ID.empty() && item.Value.find(item.ID) != std::string::npos) continue;
        const auto same = std::find_if(XmlMacros.begin(), XmlMacros.end(),
                                       [&](const TXMLMacroItem& entry) { return entry.ID == item.ID; });
        if (same != XmlMacros.end())
            *same = std::move(item);
        else
            XmlMacros.push_back(std::move(item));
    }
}

bool ReadXmlMacro(TXMLMacroItem& item, TXmlParser& parser) {
    if (!LanguageMatches(parser)) return false;
    item.ID = parser.PartAttributes().Value("ID");
    while (parser.Scan()) {
        if (parser.PartType() == TPartType::ptContent && parser.PartName() == "Macro") item.Value = parser.PartContent();
        if (parser.PartType() == TPartType::ptEndTag && parser.PartName() == "Macro") return true;
    }
    return false;
}
