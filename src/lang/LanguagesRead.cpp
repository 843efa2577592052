#include "lang/Languages.h"

#include "data/XmlDataFile.h"
#include "data/XmlParser.h"
#include "platform/base/Exception.h"
#include "platform/win/Files.h"

#include <charconv>
#include <limits>
#include <string>

// Language file: XML, elements at any depth, start tags only (an element
// written as an empty-element tag is skipped with its attributes):
//   <language id idNumber default UserInterface Charset></language>
//   <form name> <property id value/> <formitem name type> <property .../>
//     </formitem> </form>
//   <strings> <item id value></item> ... </strings>
//   <title name> <columnitem id row>text</columnitem> ... </title>

namespace {

// A decimal integer, optionally signed, nothing else; EConvertError otherwise.
int ToInteger(const std::string& text) {
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
        throw EConvertError("'" + text + "' is not a valid integer value");
    return value;
}

bool IsStart(const TXmlParser& parser, std::string_view name) {
    return parser.PartType() == TPartType::ptStartTag && parser.PartName() == name;
}

bool IsEnd(const TXmlParser& parser, std::string_view name) {
    return parser.PartType() == TPartType::ptEndTag && parser.PartName() == name;
}

std::string Attribute(const TXmlParser& parser, std::string_view name) {
    return parser.PartAttributes().Value(name);
}

void ReadProperty(const TXmlParser& parser, std::vector<std::string>& ids, std::vector<std::string>& values) {
    std::string id = Attribute(parser, "id");
    if (id.empty()) return;
    ids.push_back(std::move(id));
    values.push_back(Attribute(parser, "value"));
}

TLanguageFormItem ReadFormItem(TXmlParser& parser) {
    TLanguageFormItem item;
    item.Name = Attribute(parser, "name");
    item.TypeName = Attribute(parser, "type");
    while (parser.Scan() && !IsEnd(parser, "formitem"))
        if (IsStart(parser, "property")) ReadProperty(parser, item.PropertyIds, item.PropertyValues);
    return item;
}

TLanguageForm ReadForm(TXmlParser& parser) {
    TLanguageForm form;
    form.Name = Attribute(parser, "name");
    while (parser.Scan() && !IsEnd(parser, "form")) {
        if (IsStart(parser, "property"))
            ReadProperty(parser, form.PropertyIds, form.PropertyValues);
        else if (IsStart(parser, "formitem"))
            form.Items.push_back(ReadFormItem(parser));
    }
    return form;
}

void ReadStrings(TXmlParser& parser, TLanguage::EntryType& strings) {
    while (parser.Scan() && !IsEnd(parser, "strings"))
        if (IsStart(parser, "item")) strings[Attribute(parser, "id")] = Attribute(parser, "value");
}

TLanguageTitle ReadTitle(TXmlParser& parser) {
    TLanguageTitle title;
    title.Name = Attribute(parser, "name");
    std::int16_t key = 0;
    while (parser.Scan() && !IsEnd(parser, "title")) {
        if (IsStart(parser, "columnitem")) {
            const long long id = ToInteger(Attribute(parser, "id"));
            const long long row = ToInteger(Attribute(parser, "row"));
            key = static_cast<std::int16_t>(id + row * 256 - 256);  // kept modulo 2^16, as stored
        } else if (parser.PartType() == TPartType::ptContent && parser.PartName() == "columnitem") {
            title.Keys.push_back(key);
            title.Texts.push_back(parser.PartContent());
        }
    }
    return title;
}

}  // namespace

bool TLanguage::Read(TXmlParser& parser) {
    while (parser.Scan()) {
        if (parser.PartType() != TPartType::ptStartTag) continue;
        if (parser.PartName() == "language") {
            id = Attribute(parser, "id");
            idNumber = Attribute(parser, "idNumber");
            Default = Attribute(parser, "default") == "yes";
            UserInterface = Attribute(parser, "UserInterface") == "yes";
            const std::string charset = Attribute(parser, "Charset");
            Charset = charset.empty() ? -1 : ToInteger(charset);
        } else if (parser.PartName() == "form") {
            Forms.push_back(ReadForm(parser));
        } else if (parser.PartName() == "strings") {
            ReadStrings(parser, Strings);
        } else if (parser.PartName() == "title") {
            Titles.push_back(ReadTitle(parser));
        }
    }
    return true;
}

TLanguage ReadLanguage(std::string_view document) {
    TXmlParser parser;
    const std::string text(document);  // a NUL inside ends the document, as in a file
    parser.LoadFromBuffer(text.c_str());
    parser.SetNormalize(true);
    parser.StartScan();
    TLanguage language;
    language.Read(parser);
    return language;
}

void TLanguages::Load(const std::filesystem::path& pattern) {
    const std::filesystem::path folder = pattern.parent_path();
    for (const std::filesystem::path& file : win::ListFiles(folder, pattern.filename().string())) {
        TXmlParser parser;
        const bool compressed = IsCompressedFileName(file.filename().string());
        if (!LoadXmlDataFile(parser, file, compressed)) continue;
        parser.SetNormalize(true);
        parser.StartScan();
        TLanguage language;
        try {
            language.Read(parser);
        } catch (const EConvertError&) {
            continue;  // a damaged file is skipped whole; the others still load
        }
        if (CompressedOnly && !compressed) language.UserInterface = false;
        Languages.push_back(std::move(language));
    }
}
