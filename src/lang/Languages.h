#pragma once
// The language service: every natural-language text of the program comes
// from the language files in the folder "languages" beside the program.
// `LanguageList` loads them, picks a user-interface and a printing language,
// and answers lookups by key ("IDS_WRONGVALUE"), string-table id and macro
// ("#KEY#" inside a text). All texts are Windows-1250 bytes.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class IForm;
class TXmlParser;

// What the language service writes column titles into: a list header's
// format, seen without the list-header code.
class IHeaderTitles {
public:
    virtual ~IHeaderTitles() = default;
    // Title lines per column.
    virtual int RowCount() const = 0;
    virtual int ColumnCount() const = 0;
    // The id of column i (0 <= i < ColumnCount()).
    virtual int ColumnId(int index) const = 0;
    // Sets title line `line` of column i.
    virtual void SetTitle(int index, int line, const std::string& text) = 0;
};

// One component of a form translation: parallel property ids and values.
struct TLanguageFormItem {
    std::string Name;      // the component's Name
    std::string TypeName;  // the type the language file declares for it
    std::vector<std::string> PropertyIds;
    std::vector<std::string> PropertyValues;

    // Sets the properties of the form's first component of this name that the
    // declared type takes, in file order; then, for the types whose fonts
    // translation touches, the font's character set (unless charset is -1).
    // A type that isn't known or doesn't fit the component changes nothing.
    void Apply(IForm& form, int charset) const;

    bool operator==(const TLanguageFormItem&) const = default;
};

// The translation of one form: its own properties and its components.
struct TLanguageForm {
    std::string Name;
    std::vector<std::string> PropertyIds;
    std::vector<std::string> PropertyValues;
    std::vector<TLanguageFormItem> Items;

    // The form's "Caption", "Hint" and "HelpFile", its font's character set
    // (unless charset is -1), then every item in file order.
    void Apply(IForm& form, int charset) const;

    bool operator==(const TLanguageForm&) const = default;
};

// Column titles of one list-header format. Key = column id + (row - 1) * 256.
struct TLanguageTitle {
    std::string Name;
    std::vector<std::int16_t> Keys;
    std::vector<std::string> Texts;  // parallel to Keys

    // Each key's text becomes title line (key >> 8) of every column whose id
    // is the key's low byte; a line outside the header's rows is ignored.
    void Apply(IHeaderTitles& header) const;

    bool operator==(const TLanguageTitle&) const = default;
};

class TLanguage {
public:
    using EntryType = std::map<std::string, std::string, std::less<>>;

    std::string id;        // the name "LanguageID" selects, e.g. "Magyar"
    std::string idNumber;  // a second name selection accepts
    int Charset = -1;      // font character set for translated forms; -1: none
    bool UserInterface = false;
    bool Default = false;  // chosen when no language matches the asked name
    std::vector<TLanguageForm> Forms;
    EntryType Strings;     // key -> text, keys compared exactly
    std::vector<TLanguageTitle> Titles;

    // Reads a language document from a parser positioned at its start (after
    // StartScan). Acts on start tags only. Returns true; a "Charset", "id" or
    // "row" value that is not a decimal number raises EConvertError.
    bool Read(TXmlParser& parser);

    // The text of `key`; "" when the language lacks it.
    std::string GetString(std::string_view key) const;

    // Replaces every "#KEY#" by GetString(KEY); "\#" is a literal "#", a lone
    // "#" is dropped. Replaced texts are not expanded again. With
    // `asFormat`, every "%" of a replacing text is doubled, so that a printf
    // format built this way has only the conversions of `text` itself.
    std::string ExpandMacros(std::string_view text, bool asFormat = false) const;

    // Applies the first form translation named like the form; failing that,
    // for a name such as "ItemModifyForm_1", the one named without the "_"
    // and the digits. Nothing unless this is a user-interface language.
    void TranslateForm(IForm& form) const;

    // Applies the first title set named `name` exactly; nothing when none is.
    void TranslateHeader(IHeaderTitles& header, std::string_view name) const;

    bool operator==(const TLanguage&) const = default;
};

class TLanguages {
public:
    std::vector<TLanguage> Languages;  // in load order
    bool PrintingMode = false;         // lookups use the printing language while set
    bool CompressedOnly = true;        // only compressed files may be user-interface languages

    // Appends one language per readable file matching the pattern, a folder
    // followed by a wildcard name ("<program>/languages/*.xm?"). Files whose
    // name, in capitals, ends in its first ".XML" are plain; others are
    // LZW-compressed. A file that can't be read, decoded or parsed (a
    // number attribute that is no number) is skipped; the others still load.
    void Load(const std::filesystem::path& pattern);

    // The user-interface language: the first user-interface language whose id,
    // else whose idNumber, equals `name`, else the first default one; else none.
    void SetLanguage(std::string_view name);
    // The printing language: the first language (user-interface or not) whose
    // id, else idNumber, equals `name`; else the user-interface language.
    void SetPrintingLanguage(std::string_view name);

    // The user-interface language's id; "" when there is none.
    std::string GetLanguageID() const;

    // Lookups in the active language (the printing language in printing mode,
    // else the user-interface language):
    // the text of `key`, "" when it is missing or there is no active language;
    std::string GetString(std::string_view key) const;
    // string-table row `id` with its macros expanded; unexpanded without an
    // active language;
    std::string TranslateResString(int id) const;
    // the same as a printf format: "%" in the texts of its macros is doubled;
    std::string TranslateResFormat(int id) const;
    // `text` with its macros expanded; unchanged without an active language.
    std::string TranslateText(std::string_view text) const;

    // Translates a form into the user-interface language (in printing mode
    // too); nothing when there is none.
    void TranslateForm(IForm& form) const;
    // Puts the active language's titles of the header format `name` into the
    // header; nothing when there is no active language.
    void TranslateHeader(IHeaderTitles& header, std::string_view name) const;

    // Null when none is selected. Valid until Languages changes.
    const TLanguage* CurrentLanguage() const { return At(current_); }
    const TLanguage* PrintingLanguage() const { return At(printing_); }
    const TLanguage* ActiveLanguage() const { return PrintingMode ? PrintingLanguage() : CurrentLanguage(); }

private:
    const TLanguage* At(std::optional<std::size_t> index) const {
        return index && *index < Languages.size() ? &Languages[*index] : nullptr;
    }

    // Indexes, not pointers: Languages may grow after a selection.
    std::optional<std::size_t> current_;
    std::optional<std::size_t> printing_;
};

// The process's language list. It exists from program start to program end:
// built before the main window, reset only after the message loop has
// ended, so the windows use it without a check. A test that replaces it
// puts a fresh one back, never null.
extern std::unique_ptr<TLanguages> LanguageList;

// Reads one language document held in memory, the way Load reads a file (a
// NUL byte ends the text). Raises EConvertError like TLanguage::Read.
TLanguage ReadLanguage(std::string_view document);
