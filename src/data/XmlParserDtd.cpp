// TXmlParser: the document type declaration. It is read into the declaration
// lists and each declaration is reported to DtdElementFound; nothing is validated.
//
// Parameter-entity texts are scanned through the entity stack. baseDepth is
// the stack depth where the current subset began: an external subset must not
// pop the entries of the document, whose positions are not its own.
#include "data/XmlParser.h"

namespace {

constexpr xml::TCharset kWs("\t\n\r ");
constexpr xml::TCharset kRootNameEnd("\t\n\r [");
constexpr xml::TCharset kAttListNameEnd("\t\n\r \"'#");
constexpr xml::TCharset kKeywordEnd("\t\n\r \"'");
constexpr xml::TCharset kEntityNameEnd("\t\n\r \"'%");

TAttrType AttrTypeOf(std::string_view keyword) {
    static constexpr std::pair<std::string_view, TAttrType> kTypes[] = {
        {"CDATA", TAttrType::atCData},       {"ID", TAttrType::atID},
        {"IDREF", TAttrType::atIdRef},       {"IDREFS", TAttrType::atIdRefs},
        {"ENTITY", TAttrType::atEntity},     {"ENTITIES", TAttrType::atEntities},
        {"NMTOKEN", TAttrType::atNmToken},   {"NMTOKENS", TAttrType::atNmTokens},
    };
    for (const auto& [text, type] : kTypes)
        if (keyword == text) return type;
    return TAttrType::atUnknown;
}

bool IsQuote(char c) {
    return c == '"' || c == '\'';
}

}  // namespace

void TXmlParser::ReportDtdError(const char* first, const char* pos) {
    TDtdElementRec rec;
    rec.ElementType = TDtdElemType::deError;
    rec.FirstChar = first;
    rec.LastChar = pos;
    rec.ErrorPos = pos;
    DtdElementFound(rec);
}

void TXmlParser::AnalyzeDtdc() {
    partType_ = TPartType::ptDtdc;
    partName_.clear();
    partContent_.clear();
    // The declaration read before, met again on a later pass: skipped, so a
    // second declaration can't send the scan back to the first one.
    if (dtdStart_ && partStart_ == dtdStart_) {
        partFinal_ = dtdEnd_;
        return;
    }
    entityStack_.Clear();
    DtdStage stage = DtdStage::RootName;
    const char* p = partStart_ + 9;
    for (;;) {
        const char c = *p;
        if (c == '>') break;
        if (c == 0) {
            if (entityStack_.Count() == 0) {
                --p;  // it reaches the end of the document: the last byte
                break;
            }
            p = entityStack_.Pop();
            continue;
        }
        if (c == '%') {
            p = PushPE(p);
            continue;
        }
        if (c == '[') {
            stage = DtdStage::InternalSubset;
            p = AnalyzeDtdElements(p + 1, 0);
            continue;
        }
        if (c == ']') {
            stage = DtdStage::AfterSubset;
            ++p;
            continue;
        }
        if (!xml::IsWs(c)) {
            if (stage == DtdStage::RootName) {
                if (xml::IsNameStart(c)) {
                    const char* end = xml::ExtractName(p, kRootNameEnd);
                    rootElementName_.assign(p, end);
                    p = end - 1;
                    stage = DtdStage::ExternalId;
                }
            } else if (stage == DtdStage::ExternalId) {
                if (xml::StartsWith(p, "SYSTEM") || xml::StartsWith(p, "PUBLIC")) {
                    const TExternalID id(p);
                    AnalyzeExternalSubset(id);
                    p = id.EndPos;
                }
            } else {
                ReportDtdError(partStart_, p);
            }
        }
        ++p;
    }
    if (entityStack_.Count() > 0) {
        // It ended inside a parameter entity: the declaration ends at the
        // reference that opened it, so the document goes on in its own text.
        ReportDtdError(partStart_, p);
        p = entityStack_.Items(0)->ReturnPos - 1;
    }
    entityStack_.Clear();
    partType_ = TPartType::ptDtdc;
    partName_.clear();
    partContent_.clear();
    partFinal_ = p;
    if (!dtdStart_) {
        dtdStart_ = partStart_;
        dtdEnd_ = p;
    }
}

void TXmlParser::AnalyzeExternalSubset(const TExternalID& id) {
    const std::unique_ptr<TXmlParser> external = LoadExternal(id.SystemId, id.PublicId, std::string());
    if (!external) return;
    const char* declarations = xml::FindText(external->GetDocBuffer(), "<!");
    if (!declarations) return;
    const int baseDepth = entityStack_.Count();
    AnalyzeDtdElements(declarations, baseDepth);
    // Entries left above the base point into the external text, released here.
    while (entityStack_.Count() > baseDepth) entityStack_.Pop();
}

const char* TXmlParser::AnalyzeDtdElements(const char* start, int baseDepth) {
    const char* p = start;
    for (;;) {
        const char c = *p;
        if (c == '%') {
            p = PushPE(p);
            continue;
        }
        if (c == 0) {
            if (entityStack_.Count() <= baseDepth) return p;
            p = entityStack_.Pop();
            continue;
        }
        if (c == '>' || c == ']') return p;
        if (c == '<') {
            if (xml::StartsWith(p, "<!ELEMENT")) {
                p = AnalyzeElementDecl(p);
            } else if (xml::StartsWith(p, "<!ATTLIST")) {
                p = AnalyzeAttListDecl(p, baseDepth);
            } else if (xml::StartsWith(p, "<!ENTITY")) {
                p = AnalyzeEntityDecl(p);
            } else if (xml::StartsWith(p, "<!NOTATION")) {
                p = AnalyzeNotationDecl(p);
            } else if (xml::StartsWith(p, "<?")) {
                TDtdElementRec rec;
                rec.ElementType = TDtdElemType::dePI;
                rec.FirstChar = p;
                rec.LastChar = AnalyzePI(p);
                rec.Target = partName_.c_str();
                rec.Content = partContent_.c_str();
                rec.Attributes = &partAttributes_;
                DtdElementFound(rec);
                p = rec.LastChar;
            } else if (xml::StartsWith(p, "<!--")) {
                TDtdElementRec rec;
                rec.ElementType = TDtdElemType::deComment;
                rec.FirstChar = p;
                const char* end = xml::FindText(p + 4, "-->");
                rec.LastChar = end ? end + 2 : xml::LastByteOf(p + 4);
                DtdElementFound(rec);
                p = rec.LastChar;
            } else {
                ReportDtdError(p, p);
            }
        }
        ++p;
    }
}

const char* TXmlParser::AnalyzeElementDecl(const char* start) {
    auto def = std::make_unique<TElemDef>();
    const char* p = start + 9;
    while (*p != 0 && *p != '>' && !xml::IsNameStart(*p)) ++p;
    const char* nameEnd = p;
    if (xml::IsNameStart(*p)) {
        nameEnd = xml::ExtractName(p, kWs);
        def->Name.assign(p, nameEnd);
    }
    const char* gt = nameEnd;
    while (*gt != 0 && *gt != '>') ++gt;
    def->ContentModel = xml::DeleteChars({nameEnd, static_cast<std::size_t>(gt - nameEnd)}, kWs);
    ReplaceParameterEntities(def->ContentModel);
    const std::string& model = def->ContentModel;
    if (model == "EMPTY") def->ElemType = TElemType::etEmpty;
    else if (model == "ANY") def->ElemType = TElemType::etAny;
    else if (model.starts_with("(#PCDATA")) def->ElemType = TElemType::etMixed;
    else if (model.starts_with("(")) def->ElemType = TElemType::etChildren;
    else def->ElemType = TElemType::etAny;
    const char* last = *gt == '>' ? gt : gt - 1;
    TDtdElementRec rec;
    rec.ElementType = TDtdElemType::deElement;
    rec.FirstChar = start;
    rec.LastChar = last;
    rec.ElemDef = def.get();
    if (const int old = elementDefs_.IndexOf(def->Name); old >= 0) {
        // An attribute list declared before the element stays with it.
        def->TakeItemsFrom(*elementDefs_.Items(old));
        elementDefs_.Replace(old, std::move(def));
    } else if (elementDefs_.Count() < kMaxDeclarations) {
        elementDefs_.Add(std::move(def));
    } else {
        ReportDtdError(start, start);
        return last;
    }
    DtdElementFound(rec);
    return last;
}

const char* TXmlParser::AnalyzeAttListDecl(const char* start, int baseDepth) {
    enum class Stage { Element, Attribute, Type, NotationList, Default } stage = Stage::Element;
    TElemDef* elem = nullptr;
    TAttrDef* attr = nullptr;
    // What a declaration beyond the bound is read into, and then dropped.
    TElemDef droppedElem;
    TAttrDef droppedAttr;
    const char* p = start + 9;
    for (;;) {
        const char c = *p;
        if (c == '>') break;
        if (c == 0) {
            if (entityStack_.Count() <= baseDepth) break;
            p = entityStack_.Pop();
            continue;
        }
        if (c == '%') {
            p = PushPE(p);
            continue;
        }
        if (xml::IsWs(c)) {
            ++p;
            continue;
        }
        switch (stage) {
        case Stage::Element:
            if (!kAttListNameEnd.Contains(c)) {
                const char* end = xml::ExtractName(p, kAttListNameEnd);
                const std::string_view name(p, static_cast<std::size_t>(end - p));
                elem = elementDefs_.Node(name);
                if (!elem && elementDefs_.Count() >= kMaxDeclarations) {
                    ReportDtdError(start, p);
                    elem = &droppedElem;
                } else if (!elem) {
                    auto def = std::make_unique<TElemDef>();
                    def->Name = name;
                    def->ContentModel = "ANY";
                    def->ElemType = TElemType::etAny;
                    elem = def.get();
                    elementDefs_.Add(std::move(def));
                }
                stage = Stage::Attribute;
                p = end - 1;
            }
            break;
        case Stage::Attribute:
            if (!kAttListNameEnd.Contains(c)) {
                const char* end = xml::ExtractName(p, kAttListNameEnd);
                auto def = std::make_unique<TAttrDef>();
                def->Name.assign(p, end);
                attr = def.get();
                if (const int old = elem->IndexOf(def->Name); old >= 0) {
                    elem->Replace(old, std::move(def));
                } else if (elem->Count() < kMaxAttributeDeclarations) {
                    elem->Add(std::move(def));
                } else {
                    ReportDtdError(start, p);
                    droppedAttr = TAttrDef();
                    attr = &droppedAttr;
                }
                stage = Stage::Type;
                p = end - 1;
            }
            break;
        case Stage::Type:
            if (c == '(') {
                const char* close = xml::FindCharOrLast(p, ')');
                attr->TypeText = xml::DeleteChars({p, static_cast<std::size_t>(close - p) + 1}, kWs);
                ReplaceParameterEntities(attr->TypeText);
                ReplaceCharacterEntities(attr->TypeText);
                attr->AttrType = TAttrType::atEnumeration;
                stage = Stage::Default;
                p = close;
            } else if (xml::StartsWith(p, "NOTATION")) {
                attr->AttrType = TAttrType::atNotation;
                stage = Stage::NotationList;
                p += 7;
            } else if (!kAttListNameEnd.Contains(c)) {
                const char* end = xml::ExtractName(p, kAttListNameEnd);
                attr->TypeText.assign(p, end);
                attr->AttrType = AttrTypeOf(attr->TypeText);
                stage = Stage::Default;
                p = end - 1;
            }
            break;
        case Stage::NotationList: {
            const char* close = xml::FindCharOrLast(p + 1, ')');
            xml::SetStringSF(attr->NotationText, p + 1, *close == ')' ? close - 1 : close);
            ReplaceParameterEntities(attr->NotationText);
            attr->NotationText = xml::DeleteChars(attr->NotationText, kWs);
            stage = Stage::Default;
            p = close;
            break;
        }
        case Stage::Default:
            if (c == '#') {
                const char* end = xml::ExtractName(p, kKeywordEnd);
                std::string keyword(p, end);
                ReplaceParameterEntities(keyword);
                if (keyword == "#REQUIRED" || keyword == "#IMPLIED") {
                    attr->AttrDefault = keyword == "#REQUIRED" ? TAttrDefault::adRequired : TAttrDefault::adImplied;
                    stage = Stage::Attribute;
                } else if (keyword == "#FIXED") {
                    attr->AttrDefault = TAttrDefault::adFixed;
                }
                p = end - 1;
            } else if (IsQuote(c)) {
                p = xml::ExtractQuote(p, attr->Value);
                ReplaceParameterEntities(attr->Value);
                ReplaceCharacterEntities(attr->Value);
                stage = Stage::Attribute;
            }
            break;
        }
        ++p;
    }
    TDtdElementRec rec;
    rec.ElementType = TDtdElemType::deAttList;
    rec.FirstChar = start;
    rec.LastChar = *p == '>' ? p : p - 1;
    rec.ElemDef = elem == &droppedElem ? nullptr : elem;
    DtdElementFound(rec);
    return rec.LastChar;
}

const char* TXmlParser::AnalyzeEntityDecl(const char* start) {
    enum class Stage { Name, Value, NData, Notation, Done } stage = Stage::Name;
    auto def = std::make_unique<TEntityDef>();
    bool parameter = false;
    const char* p = start + 8;
    for (; *p != 0 && *p != '>'; ++p) {
        const char c = *p;
        if (xml::IsWs(c)) continue;
        if (c == '%') {
            parameter = true;
            continue;
        }
        switch (stage) {
        case Stage::Name:
            if (xml::IsNameStart(c)) {
                const char* end = xml::ExtractName(p, kEntityNameEnd);
                def->Name.assign(p, end);
                stage = Stage::Value;
                p = end - 1;
            }
            break;
        case Stage::Value:
            if (IsQuote(c)) {
                p = xml::ExtractQuote(p, def->Value);
                stage = Stage::Done;
            } else if (xml::StartsWith(p, "SYSTEM") || xml::StartsWith(p, "PUBLIC")) {
                const TExternalID id(p);
                def->SystemId = id.SystemId;
                def->PublicId = id.PublicId;
                p = id.EndPos;
                stage = Stage::NData;
            }
            break;
        case Stage::NData:
            if (xml::StartsWith(p, "NDATA")) {
                stage = Stage::Notation;
                p += 4;
            }
            break;
        case Stage::Notation:
            if (xml::IsNameStart(c)) {
                const char* end = xml::ExtractName(p, kWs);
                def->NotationId.assign(p, end);
                stage = Stage::Done;
                p = end - 1;
            }
            break;
        case Stage::Done:
            break;
        }
    }
    TDtdElementRec rec;
    rec.ElementType = TDtdElemType::deEntity;
    rec.FirstChar = start;
    rec.LastChar = *p == '>' ? p : p - 1;
    rec.EntityDef = def.get();
    // A redefinition replaces the entity; texts being scanned are the stack's copies.
    TNvpList<TEntityDef>& list = parameter ? parameterEntities_ : generalEntities_;
    const int old = list.IndexOf(def->Name);
    if (old < 0 && list.Count() >= kMaxDeclarations) {
        ReportDtdError(start, start);
        return rec.LastChar;
    }
    if (!parameter) ReplaceParameterEntities(def->Value);
    ReplaceCharacterEntities(def->Value);
    if (old >= 0) list.Replace(old, std::move(def));
    else list.Add(std::move(def));
    DtdElementFound(rec);
    return rec.LastChar;
}

const char* TXmlParser::AnalyzeNotationDecl(const char* start) {
    enum class Stage { Name, Id, Done } stage = Stage::Name;
    auto def = std::make_unique<TNotationDef>();
    const char* p = start + 10;
    for (; *p != 0 && *p != '>'; ++p) {
        if (xml::IsWs(*p)) continue;
        if (stage == Stage::Name) {
            const char* end = xml::ExtractName(p, kWs);
            def->Name.assign(p, end);
            stage = Stage::Id;
            p = end - 1;
        } else if (stage == Stage::Id) {
            const TExternalID id(p);
            def->Value = id.SystemId;
            def->PublicId = id.PublicId;
            stage = Stage::Done;
            p = id.EndPos;
        }
    }
    TDtdElementRec rec;
    rec.ElementType = TDtdElemType::deNotation;
    rec.FirstChar = start;
    rec.LastChar = *p == '>' ? p : p - 1;
    rec.NotationDef = def.get();
    if (notationDefs_.Count() >= kMaxDeclarations) {
        ReportDtdError(start, start);
        return rec.LastChar;
    }
    notationDefs_.Add(std::move(def));
    DtdElementFound(rec);
    return rec.LastChar;
}
