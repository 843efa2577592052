// TXmlParser: loading, the part loop and the markup parts (declaration,
// processing instruction, comment, CDATA, tags and their attributes).
#include "data/XmlParser.h"

#include "platform/win/FileDescriptor.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <new>

namespace {

constexpr xml::TCharset kTagNameEnd("\t\n\r /");
constexpr xml::TCharset kPINameEnd("\t\n\r ?");

std::string UpperAscii(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

}  // namespace

TXmlParser::TXmlParser() : entityStack_(*this) {
    Clear();
}

TXmlParser::~TXmlParser() = default;

bool TXmlParser::LoadFromFile(const std::filesystem::path& fileName, int /*fileMode*/) {
    Clear();
    // O_NONBLOCK: opening a FIFO must not wait for a writer; it is refused below.
    const win::FileDescriptor file(::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.Get() < 0) return false;
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    if (info.st_size < 0 || info.st_size >= INT32_MAX - 1) return false;
    const auto size = static_cast<std::size_t>(info.st_size);
    std::unique_ptr<char[]> buffer;
    try {
        buffer = std::make_unique_for_overwrite<char[]>(size + 1);
    } catch (const std::bad_alloc&) {
        return false;
    }
    // At most the size seen at the start: the NUL stays inside the buffer even
    // if the file grows meanwhile.
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(file.Get(), buffer.get() + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    buffer[done] = 0;
    ownedBuffer_ = std::move(buffer);
    docBuffer_ = ownedBuffer_.get();
    bufferSize_ = static_cast<std::int32_t>(size + 1);
    docLength_ = std::strlen(docBuffer_);
    sourceName_ = fileName.string();
    ResetExpansionBudget();
    return true;
}

bool TXmlParser::LoadFromBuffer(std::string_view text) {
    Clear();
    if (text.size() >= INT32_MAX - 1) return false;
    try {
        ownedBuffer_ = std::make_unique_for_overwrite<char[]>(text.size() + 1);
    } catch (const std::bad_alloc&) {
        Clear();
        return false;
    }
    std::memcpy(ownedBuffer_.get(), text.data(), text.size());
    ownedBuffer_[text.size()] = 0;
    docBuffer_ = ownedBuffer_.get();
    bufferSize_ = static_cast<std::int32_t>(text.size() + 1);
    docLength_ = std::strlen(docBuffer_);
    sourceName_ = "<MEM>";
    ResetExpansionBudget();
    return true;
}

void TXmlParser::SetBuffer(const char* text) {
    Clear();
    docBuffer_ = text;
    docLength_ = std::strlen(GetDocBuffer());
    sourceName_ = "<REFERENCE>";
    ResetExpansionBudget();
}

const char* TXmlParser::GetDocBuffer() const {
    return docBuffer_ ? docBuffer_ : "";
}

void TXmlParser::Clear() {
    ownedBuffer_.reset();
    docBuffer_ = nullptr;
    bufferSize_ = 0;
    docLength_ = 0;
    sourceName_.clear();
    xmlVersion_.clear();
    encoding_.clear();
    rootElementName_.clear();
    standalone_ = false;
    dtdStart_ = nullptr;
    dtdEnd_ = nullptr;
    normalize_ = true;
    elementDefs_.Clear();
    generalEntities_.Clear();
    parameterEntities_.Clear();
    notationDefs_.Clear();
    partAttributes_.Clear();
    entityStack_.Clear();
    entityStack_.ReleasePopped();
    // The part positions and the encoding belong to the old document: a reused
    // parser must neither point into freed text nor decode with its encoding.
    SetCurrentEncoding(std::string());
    ResetPart();
    ResetExpansionBudget();
}

void TXmlParser::ResetPart() {
    partType_ = TPartType::ptNone;
    partName_.clear();
    partContent_.clear();
    partStart_ = nullptr;
    partFinal_ = nullptr;
    next_ = nullptr;
}

void TXmlParser::StartScan() {
    ResetPart();
    partAttributes_.Clear();
    entityStack_.Clear();
    entityStack_.ReleasePopped();
    ResetExpansionBudget();
}

void TXmlParser::SetCurrentEncoding(std::string encoding) {
    currentEncoding_ = std::move(encoding);
    utf8_ = currentEncoding_ == "UTF-8";
}

void TXmlParser::ResetExpansionBudget() {
    expansionBudget_ = std::max(minExpansionBudget_, 8 * docLength_);
    expansionsLeft_ = expansionBudget_;
}

bool TXmlParser::Charge(std::size_t bytes) {
    // The number of expansions is bounded apart from their text, so that
    // short ones count only their own bytes against the text bound.
    if (bytes > expansionBudget_ || expansionsLeft_ == 0) return false;
    expansionBudget_ -= bytes;
    --expansionsLeft_;
    return true;
}

void TXmlParser::TranslateEncoding(std::string& text) {
    if (utf8_) xml::Utf8ToAnsiInPlace(text, '\xBF');
}

void TXmlParser::DtdElementFound(const TDtdElementRec& /*rec*/) {}

bool TXmlParser::Scan() {
    entityStack_.ReleasePopped();
    for (;;) {
        const char* start = next_ ? next_ : GetDocBuffer();
        while (*start == 0 && entityStack_.Count() > 0) start = entityStack_.Pop();
        partStart_ = start;
        partFinal_ = start;
        if (*start == 0) {
            // The document's own NUL: the end, now and on every later call.
            entityStack_.Clear();
            next_ = start;
            if (docLength_ > 0 && start == GetDocBuffer() + docLength_) partFinal_ = start - 1;
            return false;
        }
        if (*start != '<') {
            if (AnalyzeText()) return true;
            continue;
        }
        if (xml::StartsWith(start, "<?xml") && xml::IsWs(start[5])) {
            AnalyzeProlog();
        } else if (start[1] == '?') {
            partType_ = TPartType::ptPI;
            partFinal_ = AnalyzePI(start);
        } else if (xml::StartsWith(start, "<!--")) {
            AnalyzeComment();
        } else if (xml::StartsWith(start, "<!DOCTYPE") && entityStack_.Count() == 0) {
            // Inside an entity's text it is unknown markup, read as a tag.
            AnalyzeDtdc();
        } else if (xml::StartsWith(start, "<![CDATA[")) {
            AnalyzeCData();
        } else {
            AnalyzeTag();
        }
        next_ = partFinal_ + 1;
        return true;
    }
}

void TXmlParser::AnalyzeProlog() {
    const char* stop = nullptr;
    partAttributes_.Analyze(partStart_ + 5, stop);
    if (entityStack_.Count() == 0) {
        xmlVersion_ = partAttributes_.Value("version");
        encoding_ = partAttributes_.Value("encoding");
        standalone_ = partAttributes_.Value("standalone") == "yes";
    }
    const char* end = xml::FindText(stop, "?>");
    partFinal_ = end ? end + 1 : xml::LastByteOf(stop);
    std::string encoding = UpperAscii(partAttributes_.Value("encoding"));
    SetCurrentEncoding(encoding.empty() ? std::string("UTF-8") : std::move(encoding));
    partType_ = TPartType::ptXmlProlog;
    partName_.clear();
    partContent_.clear();
}

const char* TXmlParser::AnalyzePI(const char* start) {
    const char* end = xml::FindText(start + 2, "?>");
    const char* final = end ? end + 1 : xml::LastByteOf(start + 2);
    const char* targetEnd = xml::ExtractName(start + 2, kPINameEnd);
    partName_.assign(start + 2, targetEnd);
    xml::SetStringSF(partContent_, targetEnd, end ? end - 1 : final);
    const char* stop = nullptr;
    partAttributes_.Analyze(targetEnd, stop);
    return final;
}

void TXmlParser::AnalyzeComment() {
    partType_ = TPartType::ptComment;
    const char* end = xml::FindText(partStart_ + 4, "-->");
    partFinal_ = end ? end + 2 : xml::LastByteOf(partStart_ + 4);
}

void TXmlParser::AnalyzeCData() {
    partType_ = TPartType::ptCData;
    const char* first = partStart_ + 9;
    if (const char* end = xml::FindText(partStart_, "]]>")) {
        partContent_.assign(first, end);
        partFinal_ = end + 2;
    } else {
        partContent_.assign(first);
        partFinal_ = xml::LastByteOf(first);
    }
    TranslateEncoding(partContent_);
}

void TXmlParser::AnalyzeTag() {
    partType_ = TPartType::ptStartTag;
    const char* name = partStart_ + 1;
    if (*name == '/') {
        partType_ = TPartType::ptEndTag;
        ++name;
    }
    const char* nameEnd = xml::ExtractName(name, kTagNameEnd);
    partName_.assign(name, nameEnd);
    const char* stop = nullptr;
    partAttributes_.Analyze(nameEnd, stop);
    if (*stop == '/') partType_ = TPartType::ptEmptyTag;
    partFinal_ = xml::FindCharOrLast(stop, '>');
    if (partType_ == TPartType::ptEndTag) return;
    if (elementDefs_.Count() > 0) AddDeclaredDefaults();
    for (int i = 0; i < partAttributes_.Count(); ++i) ProcessAttributeValue(*partAttributes_.Node(i));
}

void TXmlParser::AddDeclaredDefaults() {
    const TElemDef* def = elementDefs_.Node(partName_);
    // Defaults count against the expansion bound: a long list of declared
    // defaults on a short, often repeated tag must not multiply the work.
    if (!def || !Charge(static_cast<std::size_t>(def->Count()))) return;
    const int written = partAttributes_.Count();
    for (int i = 0; i < def->Count(); ++i) {
        const TAttrDef& attrDef = *def->Node(i);
        auto [first, last] = partAttributes_.EqualRange(attrDef.Name, written);
        if (first == last) {
            if (attrDef.Value.empty() || !Charge(attrDef.Name.size() + attrDef.Value.size())) continue;
            partAttributes_.AppendAttr(attrDef.Name, attrDef.Value, TValueType::vtDefault);
            first = partAttributes_.Count() - 1;
            last = first + 1;
        }
        // A name the tag writes twice: the declaration applies to both.
        for (int k = first; k < last; ++k) {
            TAttr& attr = *partAttributes_.Node(k);
            if (attrDef.AttrDefault == TAttrDefault::adImplied) {
                attr.ValueType = TValueType::vtImplied;
            } else if (attrDef.AttrDefault == TAttrDefault::adFixed) {
                attr.ValueType = TValueType::vtFixed;
                attr.Value = attrDef.Value;
            }
            attr.AttrType = attrDef.AttrType;
        }
    }
    partAttributes_.MergeAppended(written);
}

void TXmlParser::ProcessAttributeValue(TAttr& attr) {
    std::string& value = attr.Value;
    if (value.find('&') != std::string::npos) ReplaceGeneralEntities(value);
    bool high = true;  // false: pure ASCII, the same in Windows-1252
    if (attr.AttrType == TAttrType::atUnknown || attr.AttrType == TAttrType::atCData) high = xml::BlankWs(value);
    else xml::NormalizeWs(value);
    if (HasOwnTranslation() || (utf8_ && high)) TranslateEncoding(value);
}
