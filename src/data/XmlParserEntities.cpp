// TXmlParser: reference replacement in attribute and declaration values,
// parameter-entity references in declarations, and external entities.
//
// Every expansion is bounded per pass (kMaxEntityDepth nesting levels and the
// expansion budget); a reference beyond the bound counts as undeclared, so
// self-referring or exponentially nested entities end quickly.
#include "data/XmlParser.h"

#include "platform/win/CodePage.h"
#include "platform/win/Files.h"
#include "platform/win/WinError.h"

namespace {

// What one external load costs against the budget besides its text, so that
// references to empty files can't be repeated without end.
constexpr std::size_t kExternalLoadCost = 1024;

bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

// The file of an external entity's system id. "\" and "/" both separate
// folders. Drive-letter and double-separator names go through the mapping of
// Windows paths onto the machine root (nothing is fetched over a network).
// Other names, one with a single leading separator included, are relative to
// the folder of the document (to the current folder for a document from
// memory, whose source name begins with "<").
bool EntityFile(const std::string& systemId, const std::string& sourceName, std::filesystem::path& out) {
    if (systemId.size() >= 2 && ((IsSeparator(systemId[0]) && IsSeparator(systemId[1])) || systemId[1] == ':'))
        return win::MapWindowsPath(systemId, out) == win::ERROR_SUCCESS;
    std::string relative = systemId;
    for (char& c : relative)
        if (c == '\\') c = '/';
    if (!relative.empty() && relative[0] == '/') relative.erase(0, 1);
    if (relative.empty()) return false;
    if (!sourceName.empty() && sourceName[0] == '<') out = relative;
    else out = std::filesystem::path(sourceName).parent_path() / relative;
    return true;
}

}  // namespace

std::unique_ptr<TXmlParser> TXmlParser::LoadExternalEntity(const std::string& systemId,
                                                           const std::string& /*publicId*/,
                                                           const std::string& /*notationId*/) {
    auto parser = std::make_unique<TXmlParser>();
    std::filesystem::path file;
    if (EntityFile(systemId, sourceName_, file)) parser->LoadFromFile(file, 64);
    return parser;
}

std::unique_ptr<TXmlParser> TXmlParser::LoadExternal(const std::string& systemId, const std::string& publicId,
                                                     const std::string& notationId) {
    if (!Charge(kExternalLoadCost)) return nullptr;
    std::unique_ptr<TXmlParser> parser = LoadExternalEntity(systemId, publicId, notationId);
    if (!parser) parser = std::make_unique<TXmlParser>();  // nothing loaded: an empty text
    if (parser->docLength_ > 0 && !Charge(parser->docLength_)) return nullptr;
    return parser;
}

void TXmlParser::AppendCharRef(std::string& out, std::string_view number) const {
    const char byte = static_cast<char>(xml::CharRefByte(number));
    // In a UTF-8 document the value is converted later with the rest of the
    // text: insert the character so that the conversion yields this byte.
    if (!utf8_ || static_cast<unsigned char>(byte) < 0x80) {
        out.push_back(byte);
        return;
    }
    const char32_t c = win::ToUnicode(win::CodePage::Cp1252, static_cast<unsigned char>(byte));
    if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | c >> 6));
    } else {
        out.push_back(static_cast<char>(0xE0 | c >> 12));
        out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
    }
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
}

void TXmlParser::ReplaceGeneralEntities(std::string& text) {
    scratch_.clear();
    ExpandGeneral(text, scratch_, 0);
    text.swap(scratch_);
}

// One pass from left to right; what a reference produces is not looked at
// again, except that a declared entity's text is expanded the same way.
void TXmlParser::ExpandGeneral(std::string_view text, std::string& out, int depth) {
    std::size_t i = 0;
    for (;;) {
        const std::size_t amp = text.find('&', i);
        if (amp == std::string_view::npos) break;
        const std::size_t semi = text.find(';', amp + 2);
        if (semi == std::string_view::npos) break;  // the rest stays as written
        out.append(text.substr(i, amp - i));
        i = semi + 1;
        const std::string_view name = text.substr(amp + 1, semi - amp - 1);
        if (name[0] == '#') {
            AppendCharRef(out, name.substr(1));
            continue;
        }
        if (const int c = xml::PredefinedEntityChar(name); c >= 0) {
            out.push_back(static_cast<char>(c));
            continue;
        }
        const TEntityDef* entity = depth < kMaxEntityDepth ? generalEntities_.Node(name) : nullptr;
        if (entity && !entity->IsExternal()) {
            if (Charge(entity->Value.size())) {
                ExpandGeneral(entity->Value, out, depth + 1);
                continue;
            }
        } else if (entity) {
            if (const auto parser = LoadExternal(entity->SystemId, entity->PublicId, entity->NotationId)) {
                ExpandGeneral(parser->GetDocBuffer(), out, depth + 1);
                continue;
            }
        }
        out.append(text.substr(amp, semi + 1 - amp));
    }
    out.append(text.substr(i));
}

void TXmlParser::ReplaceCharacterEntities(std::string& text) {
    if (text.find("&#") == std::string::npos) return;
    std::string out;
    std::size_t i = 0;
    for (;;) {
        const std::size_t amp = text.find("&#", i);
        if (amp == std::string::npos) break;
        const std::size_t semi = text.find(';', amp + 2);
        if (semi == std::string::npos) break;
        out.append(text, i, amp - i);
        AppendCharRef(out, std::string_view(text).substr(amp + 2, semi - amp - 2));
        i = semi + 1;
    }
    out.append(text, i);
    text = std::move(out);
}

void TXmlParser::ReplaceParameterEntities(std::string& text) {
    if (text.find('%') == std::string::npos) return;
    std::string out;
    ExpandParameter(text, out, 0);
    text = std::move(out);
}

void TXmlParser::ExpandParameter(std::string_view text, std::string& out, int depth) {
    std::size_t i = 0;
    for (;;) {
        const std::size_t percent = text.find('%', i);
        if (percent == std::string_view::npos) break;
        const std::size_t semi = text.find(';', percent + 2);
        if (semi == std::string_view::npos) break;
        out.append(text.substr(i, percent - i));
        i = semi + 1;
        const std::string_view name = text.substr(percent + 1, semi - percent - 1);
        const TEntityDef* entity = depth < kMaxEntityDepth ? parameterEntities_.Node(name) : nullptr;
        if (entity && Charge(entity->Value.size())) ExpandParameter(entity->Value, out, depth + 1);
        else out.append(text.substr(percent, semi + 1 - percent));
    }
    out.append(text.substr(i));
}

// pos is at "%" where declarations are read; returns where reading goes on.
const char* TXmlParser::PushPE(const char* pos) {
    // The ";" is looked for up to the next "%" only: a run of bare "%" stays linear.
    const char* semi = pos + 1;
    while (*semi != ';' && *semi != 0 && *semi != '%') ++semi;
    if (*semi != ';') return pos + 1;
    const std::string_view name(pos + 1, static_cast<std::size_t>(semi - pos - 1));
    const TEntityDef* entity = parameterEntities_.Node(name);
    if (entity && entityStack_.Count() < kMaxEntityDepth && Charge(entity->Value.size()))
        return entityStack_.Push(entity->Value, semi + 1);
    return semi + 1;  // undeclared: the reference is dropped
}
