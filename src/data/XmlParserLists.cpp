// The attribute list and its analyser, the element list, the entity stack and
// external identifiers.
#include "data/XmlParser.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

namespace {

// Where an attribute name ends: white space, "/", "=", NUL or ">".
constexpr std::array<bool, 256> MakeAttrNameEnd() {
    std::array<bool, 256> t{};
    for (const char c : std::string_view("\t\n\r /=>\0", 9)) t[static_cast<unsigned char>(c)] = true;
    return t;
}
constexpr std::array<bool, 256> kAttrNameEnd = MakeAttrNameEnd();

// A function object rather than a function: the sorts inline it.
struct TNameLess {
    bool operator()(const std::unique_ptr<TAttr>& a, const std::unique_ptr<TAttr>& b) const {
        // Most names differ in their first byte: no call for those.
        const std::string& x = a->Name;
        const std::string& y = b->Name;
        if (!x.empty() && !y.empty() && x[0] != y[0])
            return static_cast<unsigned char>(x[0]) < static_cast<unsigned char>(y[0]);
        return x.compare(y) < 0;
    }
};
constexpr TNameLess NameLess;

}  // namespace

void TAttrList::Clear() {
    for (auto& node : items_) spare_.push_back(std::move(node));
    items_.clear();
}

std::unique_ptr<TAttr> TAttrList::NewNode(std::string_view name, std::string_view value) {
    std::unique_ptr<TAttr> node;
    if (spare_.empty()) {
        node = std::make_unique<TAttr>();
    } else {
        node = std::move(spare_.back());
        spare_.pop_back();
    }
    // clear and append: assign would allow for the text lying in the string itself
    node->Name.clear();
    node->Name.append(name);
    node->Value.clear();
    node->Value.append(value);
    node->ValueType = TValueType::vtNormal;
    node->AttrType = TAttrType::atUnknown;
    return node;
}

TAttr& TAttrList::AddAttr(std::string_view name, std::string_view value, TValueType valueType) {
    std::unique_ptr<TAttr> node = NewNode(name, value);
    node->ValueType = valueType;
    TAttr& added = *node;
    Add(std::move(node));
    return added;
}

std::pair<int, int> TAttrList::EqualRange(std::string_view name, int sorted) const {
    const auto begin = items_.begin(), end = begin + sorted;
    const auto first = std::lower_bound(begin, end, name, [](const auto& node, std::string_view n) {
        return node->Name.compare(n) < 0;
    });
    const auto last = std::upper_bound(first, end, name, [](std::string_view n, const auto& node) {
        return node->Name.compare(n) > 0;
    });
    return {static_cast<int>(first - begin), static_cast<int>(last - begin)};
}

TAttr& TAttrList::AppendAttr(std::string_view name, std::string_view value, TValueType valueType) {
    items_.push_back(NewNode(name, value));
    items_.back()->ValueType = valueType;
    return *items_.back();
}

void TAttrList::MergeAppended(int sorted) {
    // The appended ones come in name order and never share a name with the
    // sorted ones, so one merge puts each where adding it would have.
    std::inplace_merge(items_.begin(), items_.begin() + sorted, items_.end(), NameLess);
}

void TAttrList::Analyze(const char* start, const char*& final) {
    Clear();
    enum class Stage { Name, Equals, Value } stage = Stage::Name;
    const char* name = nullptr;
    const char* nameEnd = nullptr;
    const char* p = start;
    for (; *p != 0 && *p != '>'; ++p) {
        const char c = *p;
        if (xml::IsWs(c)) continue;
        if (stage == Stage::Name) {
            if (!xml::IsNameStart(c)) break;
            name = p;
            nameEnd = p + 1;  // as ExtractName: the first byte begins the name whatever it is
            while (!kAttrNameEnd[static_cast<unsigned char>(*nameEnd)]) ++nameEnd;
            p = nameEnd - 1;
            stage = Stage::Equals;
        } else if (stage == Stage::Equals) {
            if (c == '=') stage = Stage::Value;
        } else if (c == '"' || c == '\'') {
            const char* close = std::strchr(p + 1, c);
            const char* valueEnd = close ? close : p + 1 + std::strlen(p + 1);
            items_.push_back(NewNode({name, static_cast<std::size_t>(nameEnd - name)},
                                     {p + 1, static_cast<std::size_t>(valueEnd - (p + 1))}));
            p = close ? close : valueEnd - 1;
            stage = Stage::Name;
        }
    }
    final = p;
    SortAnalyzed();
}

// The order that adding one by one gives: by name, and among equal names the
// one added last first. Sorting once keeps a tag of many attributes linear-ish.
void TAttrList::SortAnalyzed() {
    if (items_.size() < 2) return;
    std::reverse(items_.begin(), items_.end());
    if (items_.size() <= 32) {
        for (std::size_t i = 1; i < items_.size(); ++i) {
            std::unique_ptr<TAttr> node = std::move(items_[i]);
            std::size_t j = i;
            for (; j > 0 && NameLess(node, items_[j - 1]); --j) items_[j] = std::move(items_[j - 1]);
            items_[j] = std::move(node);
        }
    } else {
        std::stable_sort(items_.begin(), items_.end(), NameLess);
    }
}

void TElemList::Add(std::unique_ptr<TElemDef> def) {
    const std::size_t pos = xml::InsertPosByName(items_, def->Name);
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(pos), std::move(def));
}

int TElemList::IndexOf(std::string_view name) const {
    return xml::BisectByName(items_, name);
}

TEntityStackNode::TEntityStackNode() = default;
TEntityStackNode::~TEntityStackNode() = default;

void TEntityStack::Push(const char* returnPos) {
    std::unique_ptr<TEntityStackNode> node;
    if (free_.empty()) {
        node = std::make_unique<TEntityStackNode>();
    } else {
        node = std::move(free_.back());
        free_.pop_back();
    }
    node->SavedEncoding = OwnerParser.CurrentEncoding();
    node->ReturnPos = returnPos;
    Append(std::move(node));
}

void TEntityStack::Push(std::unique_ptr<TXmlParser> entityParser, const char* returnPos) {
    Push(returnPos);
    items_.back()->EntityParser = std::move(entityParser);
}

const char* TEntityStack::Push(std::string_view text, const char* returnPos) {
    Push(returnPos);
    std::string& copy = items_.back()->Text;
    // The scan ends a text at its first NUL.
    copy.assign(text.substr(0, std::min(text.size(), text.find('\0'))));
    return copy.c_str();
}

const char* TEntityStack::Pop() {
    if (items_.empty()) return nullptr;
    std::unique_ptr<TEntityStackNode> node = std::move(items_.back());
    items_.pop_back();
    // Restored even when empty: a document without a declaration must not go
    // on in the encoding of an external entity it included.
    OwnerParser.SetCurrentEncoding(node->SavedEncoding);
    const char* returnPos = node->ReturnPos;
    popped_.push_back(std::move(node));
    return returnPos;
}

void TEntityStack::ReleasePopped() {
    for (auto& node : popped_) {
        node->EntityParser.reset();
        node->Text.clear();
        free_.push_back(std::move(node));
    }
    popped_.clear();
}

void TEntityStack::Clear() {
    while (!items_.empty()) {
        popped_.push_back(std::move(items_.back()));
        items_.pop_back();
    }
}

TExternalID::TExternalID(const char* text) : EndPos(text) {
    const auto advance = [](const char* p) {
        while (*p != 0 && *p != '"' && *p != '\'' && *p != '>' && *p != '[') ++p;
        return p;
    };
    const bool isSystem = xml::StartsWith(text, "SYSTEM");
    if (!isSystem && !xml::StartsWith(text, "PUBLIC")) return;
    const char* p = advance(text + 6);
    if (*p != '"' && *p != '\'') return;
    EndPos = xml::ExtractQuote(p, isSystem ? SystemId : PublicId);
    if (isSystem) return;
    p = advance(EndPos + 1);
    if (*p == '"' || *p == '\'') EndPos = xml::ExtractQuote(p, SystemId);
}
