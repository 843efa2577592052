#pragma once
// Data-base macros and the data-base language filter. A data file defines
// macros (plain substrings, replaced wherever they occur in display texts)
// and marks texts with a "Language"; both are reset for every file.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class TXmlParser;

struct TXMLMacroItem {
    std::string ID;     // the text to replace
    std::string Value;  // what replaces it

    bool operator==(const TXMLMacroItem&) const = default;
};

// The macro table, in definition order; IDs are unique.
extern std::vector<TXMLMacroItem> XmlMacros;
// The data-base language that "Language" attributes are compared with.
extern std::string DeviceDbLanguage;

void ClearXmlMacros();

// Sets the data-base language; "" means the text of "IDS_DEVICEDBLANGUAGE"
// in the current user-interface language.
void SetDeviceDBLanguage(std::string_view language);

// Whether the element of the parser's last tag applies to the data-base
// language: its "Language" is missing, empty, "any" or the data-base language
// (exact, case-sensitive).
bool LanguageMatches(const TXmlParser& parser);

// With the parser on a "DBGlobalMacro" start tag: empties the table, then
// reads every "Macro" up to the end tag "DBGlobalMacro" (or the document's
// end). A macro whose ID is already defined replaces that entry's value in
// place; one whose value contains its own ID is refused (it would expand
// without end).
void ReadXmlMacros(TXmlParser& parser);

// With the parser on a "Macro" start tag: false at once when the macro is
// for another language (the element is left to the caller's scan); else the
// "ID" attribute and the last content before the end tag "Macro", true; false
// when the document ends first.
bool ReadXmlMacro(TXMLMacroItem& item, TXmlParser& parser);

// Every macro ID in `text` replaced, entry by entry in table order.
std::string ExpandXmlMacros(std::string_view text);

// Every occurrence of the entry's ID replaced, searching again after each
// replacement, so occurrences formed by the joins are replaced too.
std::string ReplaceAllOccurrences(const TXMLMacroItem& item, std::string_view text);

// Both expansions stop inserting once this many bytes were inserted into
// one text, and leave it as expanded so far: a table can't make a text grow
// without end.
inline constexpr std::size_t kXmlMacroExpansionLimit = 64 * 1024;
