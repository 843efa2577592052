// Fuzz target of the XML reader: every input is scanned with and without
// Normalize, twice from the start, and once more through the scanner component
// with every handler assigned. External entities come from memory, so a run
// never reads files. A small expansion budget reaches its bound quickly, so
// entity floods don't slow the fuzzer down.
#include "data/XmlParser.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

// More parts than any input of the fuzzer's size can hold: reaching it means
// the scan stopped making progress.
constexpr int kStepCap = 1 << 20;
constexpr std::size_t kBudget = 16 << 10;

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

void Check(bool condition) {
    if (!condition) std::abort();
}

void Walk(TXmlParser& parser) {
    parser.StartScan();
    int steps = 0;
    std::size_t bytes = 0;
    while (parser.Scan()) {
        Check(++steps < kStepCap);
        Check(parser.PartType() != TPartType::ptNone);
        bytes += parser.PartName().size() + parser.PartContent().size();
        const TAttrList& attrs = parser.PartAttributes();
        for (int i = 0; i < attrs.Count(); ++i) bytes += attrs.Value(attrs.Name(i)).size();
    }
    Check(!parser.Scan());
    (void)bytes;
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
        Walk(parser);
        Walk(parser);
    }
    Execute(text);
    return 0;
}
