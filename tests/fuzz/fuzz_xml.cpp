// Fuzz target of the XML reader: every input is scanned with and without
// Normalize, twice from the start, and once more through the scanner component
// with every handler assigned. Its text content must be the bytes of the plain
// way too: each run through TranslateEncoding, then NormalizeWs. External
// entities come from memory, so a run never reads files. A small expansion
// budget reaches its bound quickly, so entity floods don't slow the fuzzer down.
#include "data/XmlParser.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>

namespace {

constexpr std::size_t kBudget = 16 << 10;

// Every part takes at least one byte of the document or of expanded text,
// which the expansion budget bounds: more parts than that mean the scan
// stopped making progress.
std::size_t StepCap(std::size_t size) {
    return 2 * (size + std::max(kBudget, 8 * size)) + 16;
}

std::unique_ptr<TXmlParser> ExternalText(const std::string& systemId) {
    if (systemId.size() % 2 == 1) return nullptr;  // an empty text, as for a missing file
    auto parser = std::make_unique<TXmlParser>();
    parser->SetMinExpansionBudget(kBudget);
    parser->LoadFromBuffer("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><x a='&amp;'>\xFC&e;</x><!ENTITY f 'g'>");
    return parser;
}

class TFuzzParser : public TXmlParser {
protected:
    std::unique_ptr<TXmlParser> LoadExternalEntity(const std::string& systemId, const std::string&,
                                                   const std::string&) override {
        return ExternalText(systemId);
    }
};

// The plain way of reading text: every run through TranslateEncoding.
class TRunByRunParser : public TFuzzParser {
protected:
    void TranslateEncoding(std::string& text) override { TXmlParser::TranslateEncoding(text); }
    bool HasOwnTranslation() const override { return true; }
};

void Check(bool condition) {
    if (!condition) std::abort();
}

void Walk(TXmlParser& parser, std::size_t size) {
    parser.StartScan();
    std::size_t steps = 0;
    std::size_t bytes = 0;
    while (parser.Scan()) {
        Check(++steps < StepCap(size));
        Check(parser.PartType() != TPartType::ptNone);
        bytes += parser.PartName().size() + parser.PartContent().size();
        const TAttrList& attrs = parser.PartAttributes();
        for (int i = 0; i < attrs.Count(); ++i) bytes += attrs.Value(attrs.Name(i)).size();
    }
    Check(!parser.Scan());
    (void)bytes;
}

// Where the part ends in the document; -1 inside an entity's text.
std::ptrdiff_t FinalOffset(const TXmlParser& parser, std::size_t size) {
    const char* first = parser.GetDocBuffer();
    const char* final = parser.PartFinal();
    const bool inside = std::less_equal<>()(first, final) && std::less_equal<>()(final, first + size);
    return inside ? final - first : -1;
}

// The parts of parser, with or without Normalize, part for part those of
// reference without it, each text normalised and left out when empty.
void CompareWithRunByRun(TXmlParser& parser, TRunByRunParser& reference, bool normalize, std::size_t size) {
    parser.SetNormalize(normalize);
    reference.SetNormalize(false);
    parser.StartScan();
    reference.StartScan();
    std::string expected;
    std::size_t steps = 0;
    while (reference.Scan()) {
        Check(++steps < StepCap(size));
        const TPartType type = reference.PartType();
        expected = reference.PartContent();
        if (type == TPartType::ptContent && normalize) {
            xml::NormalizeWs(expected);
            if (expected.empty()) continue;
        }
        Check(parser.Scan());
        Check(parser.PartType() == type);
        Check(parser.PartName() == reference.PartName());
        if (type == TPartType::ptContent || type == TPartType::ptCData || type == TPartType::ptPI)
            Check(parser.PartContent() == expected);
        Check(FinalOffset(parser, size) == FinalOffset(reference, size));
    }
    Check(!parser.Scan());
}

void Execute(std::string_view text) {
    TCustomXmlScanner scanner;
    std::size_t events = 0;
    auto count = [&events](auto&&...) { ++events; };
    scanner.OnXmlProlog = count;
    scanner.OnComment = count;
    scanner.OnPI = count;
    scanner.OnDtdRead = count;
    scanner.OnStartTag = [&events](TCustomXmlScanner& sender, const std::string&, const TAttrList& attrs) {
        if (++events > 1000 && attrs.Count() > 2) sender.StopParser = true;
    };
    scanner.OnEmptyTag = count;
    scanner.OnEndTag = count;
    scanner.OnContent = count;
    scanner.OnCData = count;
    scanner.OnElement = count;
    scanner.OnAttList = count;
    scanner.OnEntity = count;
    scanner.OnNotation = count;
    scanner.OnDtdError = [&events](TCustomXmlScanner&, const char* pos) { events += *pos == '<'; };
    scanner.OnLoadExternal = [](TCustomXmlScanner&, const std::string& systemId, const std::string&,
                                const std::string&, std::unique_ptr<TXmlParser>& result) {
        result = ExternalText(systemId);
    };
    scanner.XmlParser().SetMinExpansionBudget(kBudget);
    scanner.LoadFromBuffer(text);
    scanner.Execute();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    TFuzzParser parser;
    parser.SetMinExpansionBudget(kBudget);
    if (!parser.LoadFromBuffer(text)) return 0;
    for (const bool normalize : {true, false}) {
        parser.SetNormalize(normalize);
        Walk(parser, size);
        Walk(parser, size);
    }
    // Fresh parsers: the encoding of the last declaration stays from one scan to the next.
    TFuzzParser fast;
    TRunByRunParser reference;
    for (TXmlParser* p : {static_cast<TXmlParser*>(&fast), static_cast<TXmlParser*>(&reference)}) {
        p->SetMinExpansionBudget(kBudget);
        p->LoadFromBuffer(text);
    }
    for (const bool normalize : {true, false}) CompareWithRunByRun(fast, reference, normalize, size);
    Execute(text);
    return 0;
}
