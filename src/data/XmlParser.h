#pragma once
// The XML reader of the data bases and language files: a pull parser that
// walks one NUL-terminated document in memory part by part, without a tree.
// Text handed out is Windows-1252; a document that declares UTF-8 is
// converted on the fly. It raises nothing on malformed input: every part ends
// at its end mark or at the end of the text, and the walk always reaches the end.
//
// Positions are pointers into the text being scanned: the document buffer, or
// the replacement text of an entity while it is scanned. They stay valid until
// the next Scan, StartScan, Clear or load.
//
// One thread: a parser and its lists belong to the thread that made them.

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TXmlParser;
class TCustomXmlScanner;

namespace xml {

// A set of byte values.
class TCharset {
public:
    constexpr TCharset() = default;
    constexpr explicit TCharset(std::string_view members) {
        for (const char c : members) Add(c);
    }
    constexpr void Add(char c) {
        const auto b = static_cast<unsigned char>(c);
        bits_[b >> 6] |= std::uint64_t{1} << (b & 63);
    }
    constexpr bool Contains(char c) const {
        const auto b = static_cast<unsigned char>(c);
        return (bits_[b >> 6] >> (b & 63)) & 1;
    }

private:
    std::array<std::uint64_t, 4> bits_{};
};

// Tab, line feed, carriage return and space: the only white space here.
constexpr bool IsWs(char c) {
    return c == ' ' || c == '\n' || c == '\r' || c == '\t';
}
// ':' 'A'-'Z' '_' 'a'-'z' and the bytes 192-214, 216-246, 248-255.
bool IsNameStart(char c);

// A list that owns its objects. Delete and Items ignore indexes out of range.
template <class T>
class TObjectList {
public:
    TObjectList() = default;
    TObjectList(const TObjectList&) = delete;
    TObjectList& operator=(const TObjectList&) = delete;
    ~TObjectList() { Clear(); }

    int Count() const { return static_cast<int>(items_.size()); }
    const T* Items(int index) const { return InRange(index) ? items_[static_cast<std::size_t>(index)].get() : nullptr; }
    T* Items(int index) { return InRange(index) ? items_[static_cast<std::size_t>(index)].get() : nullptr; }
    void Append(std::unique_ptr<T> item) { items_.push_back(std::move(item)); }
    void Delete(int index) {
        if (InRange(index)) items_.erase(items_.begin() + index);
    }
    // Puts item in the place of the object at index and returns that object.
    std::unique_ptr<T> Replace(int index, std::unique_ptr<T> item) {
        if (!InRange(index)) return item;
        std::swap(items_[static_cast<std::size_t>(index)], item);
        return item;
    }
    // Takes over all objects of other, appended in their order.
    void TakeItemsFrom(TObjectList& other) {
        for (auto& item : other.items_) items_.push_back(std::move(item));
        other.items_.clear();
    }
    // Releases the objects from the last to the first.
    void Clear() {
        while (!items_.empty()) items_.pop_back();
    }

protected:
    bool InRange(int index) const { return index >= 0 && index < Count(); }
    std::vector<std::unique_ptr<T>> items_;
};

// Name-sorted lists of owned nodes (anything with a string Name).
// The position before the first node whose name is not smaller.
template <class Items>
std::size_t InsertPosByName(const Items& items, std::string_view name) {
    std::size_t low = 0, high = items.size();
    while (low < high) {
        const std::size_t middle = (low + high) / 2;
        if (items[middle]->Name.compare(name) < 0) low = middle + 1;
        else high = middle;
    }
    return low;
}
// Bisection that stops when the middle repeats; with equal names it finds
// whichever one the halving meets first. -1 when absent or empty.
template <class Items>
int BisectByName(const Items& items, std::string_view name) {
    int low = 0, high = static_cast<int>(items.size()), previous = -1;
    while (low < high) {
        const int middle = (low + high) / 2;
        if (middle == previous) return -1;
        const int c = items[static_cast<std::size_t>(middle)]->Name.compare(name);
        if (c == 0) return middle;
        if (c < 0) low = middle;
        else high = middle;
        previous = middle;
    }
    return -1;
}

// The empty text that look-ups return for "not there".
const std::string& EmptyText();

// Text routines. A position points into NUL-terminated text.
// Compares byte by byte and stops at the first difference, so it never reads
// past the NUL.
inline bool StartsWith(const char* pos, std::string_view literal) {
    for (const char c : literal)
        if (*pos++ != c) return false;
    return true;
}
// The last byte before the NUL. REQUIRES: a byte of the same text lies before
// pos when *pos is the NUL.
const char* LastByteOf(const char* pos);
std::string TrimWs(std::string_view text);
// Each white-space byte becomes a space; with pack, each run becomes one space.
std::string ConvertWs(std::string_view text, bool pack);
// Trims and packs in place: what Normalize does to text content.
void NormalizeWs(std::string& text);
// Each white-space byte becomes a blank, in place; true when a byte above
// 0x7F is there.
bool BlankWs(std::string& text);
// The bytes from first to last inclusive; empty when last is before first.
void SetStringSF(std::string& text, const char* first, const char* last);
std::string StrSFPas(const char* first, const char* last);
// First occurrence at or after pos, or nullptr when the NUL comes first.
const char* FindText(const char* pos, const char* text);
const char* FindChar(const char* pos, char c);
// As FindChar, but LastByteOf(pos) when there is none.
const char* FindCharOrLast(const char* pos, char c);
// One past the name that begins at start: the first byte from start + 1 that is
// in terminators, NUL or '>'; start itself when start is the NUL (an empty name).
const char* ExtractName(const char* start, const TCharset& terminators);
// start is at a quote. Returns the closing quote, or the last byte before the
// NUL when there is none; text gets the bytes in between (or all after the quote).
const char* ExtractQuote(const char* start, std::string& text);
std::string DeleteChars(std::string_view text, const TCharset& chars);
// Windows-1252 to UTF-8.
std::string AnsiToUtf8(std::string_view text);
// UTF-8 to Windows-1252; characters without a byte become `replacement`.
// Lenient: continuation bits are not checked, overlong forms decode.
std::string Utf8ToAnsi(std::string_view text, char replacement);
void Utf8ToAnsiInPlace(std::string& text, char replacement);
// The first NUL, "<" or "&" at or after p: where a run of document text ends.
const char* FindTextStop(const char* p);

// Collects the text of a content part in a buffer of its own and hands it
// over whole at the end. With normalize, the text holds at every moment what
// NormalizeWs would make of all the bytes appended so far: a white-space byte
// only marks that a blank is due before the next other byte.
class TTextSink {
public:
    TTextSink();
    // Begins a part with no text.
    void Start(bool normalize);
    // Ends the part: out gets its text.
    void Finish(std::string& out) const { out.assign(buffer_.data(), length_); }
    // Bytes already in Windows-1252 (a reference's character, translated text).
    void AppendByte(char c) {
        if (normalize_) Put<true>(c);
        else Put<false>(c);
    }
    void Append(std::string_view bytes);
    // Appends the document text from first up to its first NUL, "<" or "&",
    // converted from UTF-8 as Utf8ToAnsi converts that run (replacement 0xBF)
    // when utf8, and returns that stop byte. Text before blockEnd may be read
    // in blocks; blockEnd is the NUL ending the text, or nullptr to read byte by
    // byte.
    const char* AppendRun(const char* first, const char* blockEnd, bool utf8);

private:
    template <bool Normalize>
    void Put(char c) {
        if (Normalize && IsWs(c)) {
            pendingBlank_ = length_ > 0;
            return;
        }
        Reserve(2);
        if (Normalize && pendingBlank_) {
            buffer_[length_++] = ' ';
            pendingBlank_ = false;
        }
        buffer_[length_++] = c;
    }
    void Reserve(std::size_t bytes) {
        if (buffer_.size() - length_ < bytes) Grow(bytes);
    }
    void Grow(std::size_t bytes);
    template <bool Normalize, bool Utf8>
    const char* CopyRun(const char* p, const char* blockEnd);

    std::vector<char> buffer_;
    std::size_t length_ = 0;
    const std::array<char, 0x800>& twoByte_;  // Windows-1252 of the characters below U+0800
    bool normalize_ = true;
    bool pendingBlank_ = false;  // white space seen since the last byte appended
};

// The Windows-1252 byte of a character reference; number is the text between
// "&#" and ";" (decimal, or hexadecimal after "x" or "X"). Numbers up to 255
// are the byte itself, larger ones map through the code page (0xBF where it
// has no byte), and a number that doesn't convert gives a space.
unsigned char CharRefByte(std::string_view number);
// The character of "lt", "gt", "amp", "apos" or "quot"; -1 for other names.
int PredefinedEntityChar(std::string_view name);

}  // namespace xml

enum class TPartType : std::uint8_t {
    ptNone, ptXmlProlog, ptComment, ptPI, ptDtdc, ptStartTag, ptEmptyTag, ptEndTag, ptContent, ptCData
};
inline constexpr std::array<std::string_view, 10> CPartType_Name = {
    "", "XML Prolog", "Comment", "PI", "DTD Declaration", "Start Tag", "Empty Tag", "End Tag", "Text", "CDATA"};

enum class TValueType : std::uint8_t { vtNormal, vtImplied, vtFixed, vtDefault };
inline constexpr std::array<std::string_view, 4> CValueType_Name = {"Normal", "Implied", "Fixed", "Default"};

enum class TAttrType : std::uint8_t {
    atUnknown, atCData, atID, atIdRef, atIdRefs, atEntity, atEntities, atNmToken, atNmTokens, atNotation, atEnumeration
};
inline constexpr std::array<std::string_view, 11> CAttrType_Name = {
    "Unknown", "CDATA", "ID", "IDREF", "IDREFS", "ENTITY", "ENTITIES", "NMTOKEN", "NMTOKENS", "Notation", "Enumeration"};

enum class TDtdElemType : std::uint8_t { deElement, deAttList, deEntity, deNotation, dePI, deComment, deError };

enum class TElemType : std::uint8_t { etEmpty, etAny, etChildren, etMixed };
inline constexpr std::array<std::string_view, 4> CElemType_Name = {"Empty", "Any", "Childs only", "Mixed"};

enum class TAttrDefault : std::uint8_t { adDefault, adRequired, adImplied, adFixed };
inline constexpr std::array<std::string_view, 4> CAttrDefault_Name = {"Default", "Required", "Implied", "Fixed"};

class TNvpNode {
public:
    TNvpNode() = default;
    TNvpNode(std::string name, std::string value) : Name(std::move(name)), Value(std::move(value)) {}
    virtual ~TNvpNode() = default;

    std::string Name;
    std::string Value;
};

// Nodes kept sorted by Name in unsigned byte order, case-sensitive.
template <class NodeT>
class TNvpList : public xml::TObjectList<NodeT> {
public:
    // Inserts before the nodes of an equal name (both stay).
    void Add(std::unique_ptr<NodeT> node);
    const NodeT* Node(std::string_view name) const { return this->Items(IndexOf(name)); }
    NodeT* Node(std::string_view name) { return this->Items(IndexOf(name)); }
    const NodeT* Node(int index) const { return this->Items(index); }
    NodeT* Node(int index) { return this->Items(index); }
    // "" when there is no such node. Valid until the list changes.
    const std::string& Value(std::string_view name) const {
        const NodeT* node = Node(name);
        return node ? node->Value : xml::EmptyText();
    }
    const std::string& Value(int index) const {
        const NodeT* node = Node(index);
        return node ? node->Value : xml::EmptyText();
    }
    const std::string& Name(int index) const {
        const NodeT* node = Node(index);
        return node ? node->Name : xml::EmptyText();
    }
    // -1 when absent.
    int IndexOf(std::string_view name) const;
};

template <class NodeT>
void TNvpList<NodeT>::Add(std::unique_ptr<NodeT> node) {
    auto& items = this->items_;
    items.insert(items.begin() + static_cast<std::ptrdiff_t>(xml::InsertPosByName(items, node->Name)),
                 std::move(node));
}

template <class NodeT>
int TNvpList<NodeT>::IndexOf(std::string_view name) const {
    return xml::BisectByName(this->items_, name);
}

class TAttr : public TNvpNode {
public:
    using TNvpNode::TNvpNode;
    TValueType ValueType = TValueType::vtNormal;
    TAttrType AttrType = TAttrType::atUnknown;
};

// The attributes of one tag, processing instruction or XML declaration.
// Keeps released nodes for the next tag, so a scan allocates nothing per tag.
class TAttrList : public TNvpList<TAttr> {
public:
    void Clear();
    // Reads attributes from start: name, "=", quoted value, stored as written;
    // a name without "=" or without a quoted value is dropped. final: the byte
    // where the reading stopped (NUL, ">", or a byte that can't begin a name).
    void Analyze(const char* start, const char*& final);
    // Adds an attribute in name order and returns it (valid until Clear).
    TAttr& AddAttr(std::string_view name, std::string_view value, TValueType valueType);
    // Adding several at once without walking the list for each: the indexes
    // [first, last) of the attributes named name among the first `sorted`,
    // then AppendAttr for the new ones, then MergeAppended(sorted).
    std::pair<int, int> EqualRange(std::string_view name, int sorted) const;
    TAttr& AppendAttr(std::string_view name, std::string_view value, TValueType valueType);
    void MergeAppended(int sorted);

private:
    std::unique_ptr<TAttr> NewNode(std::string_view name, std::string_view value);
    void SortAnalyzed();
    std::vector<std::unique_ptr<TAttr>> spare_;
};

class TAttrDef : public TNvpNode {  // Value: the default or fixed value
public:
    std::string TypeText;
    std::string NotationText;
    TAttrType AttrType = TAttrType::atUnknown;
    TAttrDefault AttrDefault = TAttrDefault::adDefault;
};

// One element declaration with its attribute definitions (sorted by name).
// Its field Name hides the list's Name(index); use Node(index)->Name.
class TElemDef : public TNvpList<TAttrDef> {
public:
    std::string Name;
    TElemType ElemType = TElemType::etAny;
    std::string ContentModel;
};

class TElemList : public xml::TObjectList<TElemDef> {
public:
    void Add(std::unique_ptr<TElemDef> def);  // before equal names
    const TElemDef* Node(std::string_view name) const { return Items(IndexOf(name)); }
    TElemDef* Node(std::string_view name) { return Items(IndexOf(name)); }
    int IndexOf(std::string_view name) const;
};

class TEntityDef : public TNvpNode {  // Value: replacement text of an internal entity
public:
    std::string SystemId;
    std::string PublicId;
    std::string NotationId;
    bool IsExternal() const { return Value.empty() && !(SystemId.empty() && PublicId.empty()); }
};

class TNotationDef : public TNvpNode {  // Value: the system identifier
public:
    std::string PublicId;
};

struct TEntityStackNode {
    TEntityStackNode();
    ~TEntityStackNode();
    std::unique_ptr<TXmlParser> EntityParser;  // an external entity's text
    std::string SavedEncoding;
    const char* ReturnPos = nullptr;
    std::string Text;  // an internal entity's replacement text, kept while it is scanned
};

// Where scanning goes back to when an entity's replacement text ends.
class TEntityStack : public xml::TObjectList<TEntityStackNode> {
public:
    explicit TEntityStack(TXmlParser& owner) : OwnerParser(owner) {}
    void Push(const char* returnPos);
    void Push(std::unique_ptr<TXmlParser> entityParser, const char* returnPos);
    // Pushes a copy of an internal entity's text; returns where it begins.
    const char* Push(std::string_view text, const char* returnPos);
    // The return position of the last entry, or nullptr when empty; restores
    // the encoding in force before it. Keeps the entry's text alive until
    // ReleasePopped, because part positions may still point into it.
    const char* Pop();
    // Empties the stack without restoring encodings (entries kept as by Pop).
    void Clear();
    // Popped entries become free for reuse: a run of many short entities
    // costs no allocation per reference.
    void ReleasePopped();

    TXmlParser& OwnerParser;

private:
    std::vector<std::unique_ptr<TEntityStackNode>> popped_;
    std::vector<std::unique_ptr<TEntityStackNode>> free_;
};

class TExternalID {
public:
    // text at "SYSTEM" or "PUBLIC"; anything else leaves both ids empty.
    explicit TExternalID(const char* text);
    std::string PublicId;
    std::string SystemId;
    const char* EndPos;  // the closing quote of the last id read, or text
};

struct TDtdElementRec {
    const char* FirstChar = nullptr;
    const char* LastChar = nullptr;
    TDtdElemType ElementType = TDtdElemType::deError;
    const TElemDef* ElemDef = nullptr;          // deElement, deAttList
    const TEntityDef* EntityDef = nullptr;      // deEntity
    const TNotationDef* NotationDef = nullptr;  // deNotation
    const char* Target = nullptr;               // dePI
    const char* Content = nullptr;              // dePI
    const TAttrList* Attributes = nullptr;      // dePI
    const char* ErrorPos = nullptr;             // deError
};

class TXmlParser {
public:
    // Entity expansion per pass: at most this nesting...
    static constexpr int kMaxEntityDepth = 32;
    // ...and at most this many bytes of text, or 8 times the document,
    // whichever is larger, in at most as many expansions (so that a great
    // many empty ones end too). Beyond the bound a reference counts as
    // undeclared.
    static constexpr std::size_t kMinExpansionBudget = std::size_t{1} << 20;
    // Each declaration list (elements, general and parameter entities,
    // notations) holds at most kMaxDeclarations names, the attribute list of
    // one element kMaxAttributeDeclarations; a declaration of a further name
    // is reported as deError and dropped, so that sorted insertion can't make
    // a long declaration quadratic. Redeclaring a name replaces it in place.
    static constexpr int kMaxDeclarations = 16384;
    static constexpr int kMaxAttributeDeclarations = 1024;

    TXmlParser();
    virtual ~TXmlParser();
    TXmlParser(const TXmlParser&) = delete;
    TXmlParser& operator=(const TXmlParser&) = delete;

    // Reads a regular file of at most 2 GiB - 2 bytes. False, with the parser
    // cleared, for a missing or unreadable file, a directory, FIFO or device.
    // fileMode (0 or 64) is accepted for the callers' sake: files are always
    // opened for reading alongside other readers.
    bool LoadFromFile(const std::filesystem::path& fileName, int fileMode = 0);
    // Copies the text; the document ends at its first NUL.
    bool LoadFromBuffer(std::string_view text);
    // Scans the caller's NUL-terminated text in place; it must outlive the parser's use of it.
    void SetBuffer(const char* text);
    const char* GetDocBuffer() const;
    void Clear();

    // The smallest expansion budget per pass (kMinExpansionBudget unless set;
    // the fuzz target sets a small one to reach the bound quickly). From the
    // next StartScan or load on.
    void SetMinExpansionBudget(std::size_t bytes) { minExpansionBudget_ = bytes; }

    void StartScan();
    // The next part, or false at the end of the document (and ever after).
    bool Scan();

    // Character, predefined and declared general entity references of a text
    // (an attribute value), in one left-to-right pass: produced characters are
    // not scanned again, declared entities' texts are expanded the same way.
    void ReplaceGeneralEntities(std::string& text);
    void ReplaceCharacterEntities(std::string& text);
    void ReplaceParameterEntities(std::string& text);

    // The current part, valid until the next Scan.
    TPartType PartType() const { return partType_; }
    const std::string& PartName() const { return partName_; }
    const std::string& PartContent() const { return partContent_; }
    const TAttrList& PartAttributes() const { return partAttributes_; }
    const char* PartStart() const { return partStart_; }
    const char* PartFinal() const { return partFinal_; }

    const char* DocBuffer() const { return docBuffer_; }
    std::int32_t BufferSize() const { return bufferSize_; }
    const std::string& SourceName() const { return sourceName_; }
    const std::string& XmlVersion() const { return xmlVersion_; }
    const std::string& Encoding() const { return encoding_; }
    bool Standalone() const { return standalone_; }
    const std::string& RootElementName() const { return rootElementName_; }
    const char* DtdEnd() const { return dtdEnd_; }
    bool Normalize() const { return normalize_; }
    void SetNormalize(bool normalize) { normalize_ = normalize; }
    const std::string& CurrentEncoding() const { return currentEncoding_; }
    const TEntityStack& EntityStack() const { return entityStack_; }
    const TElemList& ElementDefs() const { return elementDefs_; }
    const TNvpList<TEntityDef>& GeneralEntities() const { return generalEntities_; }
    const TNvpList<TEntityDef>& ParameterEntities() const { return parameterEntities_; }
    const TNvpList<TNotationDef>& NotationDefs() const { return notationDefs_; }

protected:
    // The text of an external entity: a new parser holding it (nullptr counts
    // as an empty text). The ids come from the document.
    virtual std::unique_ptr<TXmlParser> LoadExternalEntity(
        const std::string& systemId, const std::string& publicId, const std::string& notationId);
    // Converts text (document bytes) to Windows-1252 in place.
    virtual void TranslateEncoding(std::string& text);
    // True while TranslateEncoding does something else than this class's
    // conversion: text content then goes through it run by run instead of being
    // converted as it is copied. An override of TranslateEncoding overrides this.
    virtual bool HasOwnTranslation() const { return false; }
    // Each declaration read in a document type declaration.
    virtual void DtdElementFound(const TDtdElementRec& rec);

private:
    friend class TEntityStack;
    enum class DtdStage { RootName, ExternalId, InternalSubset, AfterSubset };

    void SetCurrentEncoding(std::string encoding);
    void ResetExpansionBudget();
    // Takes one expansion of that many bytes from the budget; false, taking
    // nothing, when it does not fit.
    bool Charge(std::size_t bytes);
    // LoadExternalEntity within the expansion bound; nullptr beyond it.
    std::unique_ptr<TXmlParser> LoadExternal(const std::string& systemId, const std::string& publicId,
                                             const std::string& notationId);

    // XmlParser.cpp
    void ResetPart();
    void AnalyzeProlog();
    const char* AnalyzePI(const char* start);
    void AnalyzeComment();
    void AnalyzeCData();
    void AnalyzeTag();
    void AddDeclaredDefaults();
    void ProcessAttributeValue(TAttr& attr);

    // XmlParserContent.cpp
    bool AnalyzeText();
    const char* CopyTextRun(const char* first, bool ownTranslation);
    const char* TextReference(const char* amp);

    // XmlParserEntities.cpp
    void ExpandGeneral(std::string_view text, std::string& out, int depth);
    void ExpandParameter(std::string_view text, std::string& out, int depth);
    void AppendCharRef(std::string& out, std::string_view digits) const;
    const char* PushPE(const char* pos);

    // XmlParserDtd.cpp
    void AnalyzeDtdc();
    const char* AnalyzeDtdElements(const char* start, int baseDepth);
    const char* AnalyzeElementDecl(const char* start);
    const char* AnalyzeAttListDecl(const char* start, int baseDepth);
    const char* AnalyzeEntityDecl(const char* start);
    const char* AnalyzeNotationDecl(const char* start);
    void AnalyzeExternalSubset(const TExternalID& id);
    void ReportDtdError(const char* first, const char* pos);

    std::unique_ptr<char[]> ownedBuffer_;
    const char* docBuffer_ = nullptr;
    std::int32_t bufferSize_ = 0;
    std::size_t docLength_ = 0;
    std::string sourceName_;
    std::string xmlVersion_;
    std::string encoding_;
    bool standalone_ = false;
    std::string rootElementName_;
    const char* dtdStart_ = nullptr;  // "<" of the first analysed document type declaration
    const char* dtdEnd_ = nullptr;
    bool normalize_ = true;
    TEntityStack entityStack_;
    std::string currentEncoding_;
    bool utf8_ = false;  // currentEncoding_ == "UTF-8"
    TElemList elementDefs_;
    TNvpList<TEntityDef> generalEntities_;
    TNvpList<TEntityDef> parameterEntities_;
    TNvpList<TNotationDef> notationDefs_;

    TPartType partType_ = TPartType::ptNone;
    std::string partName_;
    std::string partContent_;
    xml::TTextSink textSink_;  // makes partContent_ of a text part
    const char* partStart_ = nullptr;
    const char* partFinal_ = nullptr;
    TAttrList partAttributes_;
    const char* next_ = nullptr;          // where the next part begins; nullptr before the first
    const char* lastTextByte_ = nullptr;  // while a text part is read

    std::size_t minExpansionBudget_ = kMinExpansionBudget;
    std::size_t expansionBudget_ = 0;
    std::size_t expansionsLeft_ = 0;
    std::string scratch_;
};

// The event-driven face of the reader: Execute walks the document once and
// calls a handler per part. Attribute lists and definitions handed to handlers
// belong to the parser and are valid only during the call.
using TXmlPrologEvent = std::function<void(TCustomXmlScanner& sender, const std::string& xmlVersion,
                                           const std::string& encoding, bool standalone)>;
using TCommentEvent = std::function<void(TCustomXmlScanner& sender, const std::string& comment)>;
using TPIEvent = std::function<void(TCustomXmlScanner& sender, const std::string& target,
                                    const std::string& content, const TAttrList& attributes)>;
using TDtdEvent = std::function<void(TCustomXmlScanner& sender, const std::string& rootElementName)>;
using TStartTagEvent =
    std::function<void(TCustomXmlScanner& sender, const std::string& tagName, const TAttrList& attributes)>;
using TEndTagEvent = std::function<void(TCustomXmlScanner& sender, const std::string& tagName)>;
using TContentEvent = std::function<void(TCustomXmlScanner& sender, const std::string& content)>;
using TElementEvent = std::function<void(TCustomXmlScanner& sender, const TElemDef& elemDef)>;
using TEntityEvent = std::function<void(TCustomXmlScanner& sender, const TEntityDef& entityDef)>;
using TNotationEvent = std::function<void(TCustomXmlScanner& sender, const TNotationDef& notationDef)>;
using TErrorEvent = std::function<void(TCustomXmlScanner& sender, const char* errorPos)>;
using TExternalEvent =
    std::function<void(TCustomXmlScanner& sender, const std::string& systemId, const std::string& publicId,
                       const std::string& notationId, std::unique_ptr<TXmlParser>& result)>;
using TEncodingEvent = std::function<std::string(TCustomXmlScanner& sender, const std::string& currentEncoding,
                                                 const std::string& source)>;

class TScannerXmlParser : public TXmlParser {
public:
    explicit TScannerXmlParser(TCustomXmlScanner& scanner) : Scanner(scanner) {}
    TCustomXmlScanner& Scanner;

protected:
    std::unique_ptr<TXmlParser> LoadExternalEntity(const std::string& systemId, const std::string& publicId,
                                                   const std::string& notationId) override;
    void TranslateEncoding(std::string& text) override;
    bool HasOwnTranslation() const override;
    void DtdElementFound(const TDtdElementRec& rec) override;
};

class TCustomXmlScanner {
public:
    TCustomXmlScanner();
    virtual ~TCustomXmlScanner();
    TCustomXmlScanner(const TCustomXmlScanner&) = delete;
    TCustomXmlScanner& operator=(const TCustomXmlScanner&) = delete;

    TXmlParser& XmlParser() { return *xmlParser_; }
    bool LoadFromFile(const std::filesystem::path& fileName);
    bool LoadFromBuffer(std::string_view text);
    void SetBuffer(const char* text);
    const std::string& GetFilename() const;
    bool GetNormalize() const;
    void SetNormalize(bool normalize);
    // Walks the loaded document from the start until its end or StopParser.
    void Execute();

    TXmlPrologEvent OnXmlProlog;
    TCommentEvent OnComment;
    TPIEvent OnPI;
    TDtdEvent OnDtdRead;
    TStartTagEvent OnStartTag;
    TStartTagEvent OnEmptyTag;
    TEndTagEvent OnEndTag;
    TContentEvent OnContent;
    TContentEvent OnCData;
    TElementEvent OnElement;
    TElementEvent OnAttList;
    TEntityEvent OnEntity;
    TNotationEvent OnNotation;
    TErrorEvent OnDtdError;
    TExternalEvent OnLoadExternal;
    TEncodingEvent OnTranslateEncoding;
    // A handler sets it to end Execute after the part it is handling.
    bool StopParser = false;

protected:
    virtual void WhenXmlProlog(const std::string& xmlVersion, const std::string& encoding, bool standalone);
    virtual void WhenComment(const std::string& comment);
    virtual void WhenPI(const std::string& target, const std::string& content, const TAttrList& attributes);
    virtual void WhenDtdRead(const std::string& rootElementName);
    virtual void WhenStartTag(const std::string& tagName, const TAttrList& attributes);
    virtual void WhenEmptyTag(const std::string& tagName, const TAttrList& attributes);
    virtual void WhenEndTag(const std::string& tagName);
    virtual void WhenContent(const std::string& content);
    virtual void WhenCData(const std::string& content);
    virtual void WhenElement(const TElemDef& elemDef);
    virtual void WhenAttList(const TElemDef& elemDef);
    virtual void WhenEntity(const TEntityDef& entityDef);
    virtual void WhenNotation(const TNotationDef& notationDef);
    virtual void WhenDtdError(const char* errorPos);

private:
    friend class TScannerXmlParser;
    std::unique_ptr<TScannerXmlParser> xmlParser_;
};
