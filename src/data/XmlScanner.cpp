// TCustomXmlScanner: walks a document once and calls a handler per part.
#include "data/XmlParser.h"

std::unique_ptr<TXmlParser> TScannerXmlParser::LoadExternalEntity(const std::string& systemId,
                                                                  const std::string& publicId,
                                                                  const std::string& notationId) {
    if (!Scanner.OnLoadExternal) return TXmlParser::LoadExternalEntity(systemId, publicId, notationId);
    std::unique_ptr<TXmlParser> result;
    Scanner.OnLoadExternal(Scanner, systemId, publicId, notationId, result);
    return result;
}

void TScannerXmlParser::TranslateEncoding(std::string& text) {
    if (Scanner.OnTranslateEncoding) text = Scanner.OnTranslateEncoding(Scanner, CurrentEncoding(), text);
    else TXmlParser::TranslateEncoding(text);
}

bool TScannerXmlParser::HasOwnTranslation() const {
    return static_cast<bool>(Scanner.OnTranslateEncoding);
}

void TScannerXmlParser::DtdElementFound(const TDtdElementRec& rec) {
    if (Scanner.StopParser) return;  // no call after a handler asked to stop
    switch (rec.ElementType) {
    case TDtdElemType::deElement:
        Scanner.WhenElement(*rec.ElemDef);
        break;
    case TDtdElemType::deAttList:
        if (rec.ElemDef) Scanner.WhenAttList(*rec.ElemDef);  // none when no element was named
        break;
    case TDtdElemType::deEntity:
        Scanner.WhenEntity(*rec.EntityDef);
        break;
    case TDtdElemType::deNotation:
        Scanner.WhenNotation(*rec.NotationDef);
        break;
    case TDtdElemType::dePI:
        Scanner.WhenPI(rec.Target, rec.Content, *rec.Attributes);
        break;
    case TDtdElemType::deComment:
        Scanner.WhenComment(xml::StrSFPas(rec.FirstChar, rec.LastChar));
        break;
    case TDtdElemType::deError:
        Scanner.WhenDtdError(rec.ErrorPos);
        break;
    }
}

TCustomXmlScanner::TCustomXmlScanner() : xmlParser_(std::make_unique<TScannerXmlParser>(*this)) {}

TCustomXmlScanner::~TCustomXmlScanner() = default;

bool TCustomXmlScanner::LoadFromFile(const std::filesystem::path& fileName) {
    return xmlParser_->LoadFromFile(fileName, 64);
}

bool TCustomXmlScanner::LoadFromBuffer(std::string_view text) {
    return xmlParser_->LoadFromBuffer(text);
}

void TCustomXmlScanner::SetBuffer(const char* text) {
    xmlParser_->SetBuffer(text);
}

const std::string& TCustomXmlScanner::GetFilename() const {
    return xmlParser_->SourceName();
}

bool TCustomXmlScanner::GetNormalize() const {
    return xmlParser_->Normalize();
}

void TCustomXmlScanner::SetNormalize(bool normalize) {
    xmlParser_->SetNormalize(normalize);
}

void TCustomXmlScanner::Execute() {
    StopParser = false;
    TXmlParser& parser = *xmlParser_;
    parser.StartScan();
    // StopParser is checked before each part too: nothing more is read (no
    // declarations reported, no external entity loaded) once it is set.
    while (!StopParser && parser.Scan() && !StopParser) {
        switch (parser.PartType()) {
        case TPartType::ptXmlProlog:
            WhenXmlProlog(parser.XmlVersion(), parser.Encoding(), parser.Standalone());
            break;
        case TPartType::ptComment:
            WhenComment(xml::StrSFPas(parser.PartStart(), parser.PartFinal()));
            break;
        case TPartType::ptPI:
            WhenPI(parser.PartName(), parser.PartContent(), parser.PartAttributes());
            break;
        case TPartType::ptDtdc:
            WhenDtdRead(parser.RootElementName());
            break;
        case TPartType::ptStartTag:
            WhenStartTag(parser.PartName(), parser.PartAttributes());
            break;
        case TPartType::ptEmptyTag:
            WhenEmptyTag(parser.PartName(), parser.PartAttributes());
            break;
        case TPartType::ptEndTag:
            WhenEndTag(parser.PartName());
            break;
        case TPartType::ptContent:
            WhenContent(parser.PartContent());
            break;
        case TPartType::ptCData:
            WhenCData(parser.PartContent());
            break;
        case TPartType::ptNone:
            break;
        }
    }
}

void TCustomXmlScanner::WhenXmlProlog(const std::string& xmlVersion, const std::string& encoding, bool standalone) {
    if (OnXmlProlog) OnXmlProlog(*this, xmlVersion, encoding, standalone);
}

void TCustomXmlScanner::WhenComment(const std::string& comment) {
    if (OnComment) OnComment(*this, comment);
}

void TCustomXmlScanner::WhenPI(const std::string& target, const std::string& content, const TAttrList& attributes) {
    if (OnPI) OnPI(*this, target, content, attributes);
}

void TCustomXmlScanner::WhenDtdRead(const std::string& rootElementName) {
    if (OnDtdRead) OnDtdRead(*this, rootElementName);
}

void TCustomXmlScanner::WhenStartTag(const std::string& tagName, const TAttrList& attributes) {
    if (OnStartTag) OnStartTag(*this, tagName, attributes);
}

void TCustomXmlScanner::WhenEmptyTag(const std::string& tagName, const TAttrList& attributes) {
    if (OnEmptyTag) OnEmptyTag(*this, tagName, attributes);
}

void TCustomXmlScanner::WhenEndTag(const std::string& tagName) {
    if (OnEndTag) OnEndTag(*this, tagName);
}

void TCustomXmlScanner::WhenContent(const std::string& content) {
    if (OnContent) OnContent(*this, content);
}

void TCustomXmlScanner::WhenCData(const std::string& content) {
    if (OnCData) OnCData(*this, content);
}

void TCustomXmlScanner::WhenElement(const TElemDef& elemDef) {
    if (OnElement) OnElement(*this, elemDef);
}

void TCustomXmlScanner::WhenAttList(const TElemDef& elemDef) {
    if (OnAttList) OnAttList(*this, elemDef);
}

void TCustomXmlScanner::WhenEntity(const TEntityDef& entityDef) {
    if (OnEntity) OnEntity(*this, entityDef);
}

void TCustomXmlScanner::WhenNotation(const TNotationDef& notationDef) {
    if (OnNotation) OnNotation(*this, notationDef);
}

void TCustomXmlScanner::WhenDtdError(const char* errorPos) {
    if (OnDtdError) OnDtdError(*this, errorPos);
}
