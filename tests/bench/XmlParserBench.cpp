// The XML reader against expat and pugixml on the same bytes in memory.
// Each harness does the reader's whole job and hashes the same event stream:
// start tag (name, attributes sorted by name), text trimmed and packed and in
// Windows-1252, end tag. A figure counts only when the three hashes agree;
// otherwise the benchmark reports an error instead of a time.
//
// Run: build/bin/xml_bench --benchmark_filter='database/1048576'
// VALDORINE_BENCH_SMOKE=1 (CTest's smoke run) leaves out the 64 MiB corpora.
#include "bench/BenchSupport.h"
#include "bench/XmlBenchCorpus.h"

#include "data/XmlParser.h"
#include "platform/win/CodePage.h"

#include <benchmark/benchmark.h>
#include <expat.h>
#include <pugixml.hpp>

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

// FNV-1a over the event stream.
class TEventHash {
public:
    void StartTag(std::string_view name) { Mix('S', name); }
    void Attribute(std::string_view name, std::string_view value) {
        Mix('A', name);
        Mix('=', value);
    }
    void EndTag(std::string_view name) { Mix('E', name); }
    void Text(std::string_view text) { Mix('T', text); }
    std::uint64_t Value() const { return hash_; }

private:
    void Mix(char kind, std::string_view bytes) {
        Byte(static_cast<unsigned char>(kind));
        for (const char c : bytes) Byte(static_cast<unsigned char>(c));
        Byte(0);
    }
    void Byte(unsigned char b) { hash_ = (hash_ ^ b) * 0x100000001B3ull; }
    std::uint64_t hash_ = 0xCBF29CE484222325ull;
};

std::string ToAnsi(std::string_view utf8) {
    return win::FromUtf8(win::CodePage::Cp1252, utf8, '\xBF');
}

// Text collected between tags by the other two readers: trimmed, packed,
// converted; empty text is no event, as with Normalize.
class TTextCollector {
public:
    void Append(std::string_view bytes) { text_.append(bytes); }
    void Flush(TEventHash& hash) {
        if (text_.empty()) return;
        xml::NormalizeWs(text_);
        if (!text_.empty()) hash.Text(ToAnsi(text_));
        text_.clear();
    }

private:
    std::string text_;
};

using TAttributes = std::vector<std::pair<std::string, std::string>>;

void HashStart(TEventHash& hash, std::string_view name, TAttributes& attrs) {
    std::sort(attrs.begin(), attrs.end());
    hash.StartTag(name);
    for (const auto& [n, v] : attrs) hash.Attribute(n, v);
}

std::uint64_t ReadOurs(const std::string& document) {
    TXmlParser parser;
    parser.SetBuffer(document.c_str());
    parser.StartScan();
    TEventHash hash;
    while (parser.Scan()) {
        switch (parser.PartType()) {
        case TPartType::ptStartTag:
        case TPartType::ptEmptyTag: {
            hash.StartTag(parser.PartName());
            const TAttrList& attrs = parser.PartAttributes();
            for (int i = 0; i < attrs.Count(); ++i) hash.Attribute(attrs.Name(i), attrs.Value(i));
            if (parser.PartType() == TPartType::ptEmptyTag) hash.EndTag(parser.PartName());
            break;
        }
        case TPartType::ptEndTag: hash.EndTag(parser.PartName()); break;
        case TPartType::ptContent: hash.Text(parser.PartContent()); break;
        default: break;
        }
    }
    return hash.Value();
}

struct TExpatState {
    TEventHash hash;
    TTextCollector text;
    TAttributes attrs;
};

std::uint64_t ReadExpat(const std::string& document) {
    TExpatState state;
    XML_Parser parser = XML_ParserCreate(nullptr);
    XML_SetUserData(parser, &state);
    XML_SetElementHandler(
        parser,
        [](void* data, const XML_Char* name, const XML_Char** atts) {
            auto& s = *static_cast<TExpatState*>(data);
            s.text.Flush(s.hash);
            s.attrs.clear();
            for (int i = 0; atts[i]; i += 2) s.attrs.emplace_back(atts[i], ToAnsi(atts[i + 1]));
            HashStart(s.hash, name, s.attrs);
        },
        [](void* data, const XML_Char* name) {
            auto& s = *static_cast<TExpatState*>(data);
            s.text.Flush(s.hash);
            s.hash.EndTag(name);
        });
    XML_SetCharacterDataHandler(parser, [](void* data, const XML_Char* text, int length) {
        static_cast<TExpatState*>(data)->text.Append({text, static_cast<std::size_t>(length)});
    });
    const bool ok = XML_Parse(parser, document.data(), static_cast<int>(document.size()), 1) == XML_STATUS_OK;
    XML_ParserFree(parser);
    state.text.Flush(state.hash);
    return ok ? state.hash.Value() : 0;
}

std::uint64_t ReadPugixml(const std::string& document) {
    pugi::xml_document doc;
    if (!doc.load_buffer(document.data(), document.size(), pugi::parse_default, pugi::encoding_utf8)) return 0;
    TEventHash hash;
    TTextCollector text;
    TAttributes attrs;
    // Depth-first without recursion: (node, whether its children are done).
    std::vector<std::pair<pugi::xml_node, bool>> stack;
    for (pugi::xml_node child = doc.last_child(); child; child = child.previous_sibling()) stack.emplace_back(child, false);
    while (!stack.empty()) {
        auto [node, closing] = stack.back();
        stack.pop_back();
        if (node.type() == pugi::node_pcdata) {
            text.Append(node.value());
            continue;
        }
        if (node.type() != pugi::node_element) continue;
        text.Flush(hash);
        if (closing) {
            hash.EndTag(node.name());
            continue;
        }
        attrs.clear();
        for (const pugi::xml_attribute a : node.attributes()) attrs.emplace_back(a.name(), ToAnsi(a.value()));
        HashStart(hash, node.name(), attrs);
        stack.emplace_back(node, true);
        for (pugi::xml_node child = node.last_child(); child; child = child.previous_sibling())
            stack.emplace_back(child, false);
    }
    text.Flush(hash);
    return hash.Value();
}

const std::string& Corpus(TXmlCorpusShape shape, std::size_t size) {
    static std::map<std::pair<TXmlCorpusShape, std::size_t>, std::string> cache;
    auto& text = cache[{shape, size}];
    if (text.empty()) text = MakeXmlCorpus(shape, size);
    return text;
}

using TReader = std::uint64_t (*)(const std::string&);

void Run(benchmark::State& state, TReader reader, TXmlCorpusShape shape, std::size_t size) {
    const std::string& document = Corpus(shape, size);
    if (reader(document) != ReadOurs(document)) {
        state.SkipWithError("event stream differs from TXmlParser's");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(reader(document));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * document.size()));
}

void RunHostile(benchmark::State& state, TXmlHostileShape shape) {
    const std::string document = MakeHostileXml(shape, static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(ReadOurs(document));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * document.size()));
    state.SetComplexityN(static_cast<std::int64_t>(document.size()));
}

int Register() {
    const bool smoke = bench_support::IsSmokeRun();
    std::vector<std::size_t> sizes{4 << 10, 1 << 20};
    if (!smoke) sizes.push_back(64 << 20);
    const std::pair<const char*, TReader> readers[] = {
        {"BM_XmlParserRead", ReadOurs}, {"BM_XmlParserExpat", ReadExpat}, {"BM_XmlParserPugixml", ReadPugixml}};
    for (const auto shape : {TXmlCorpusShape::Database, TXmlCorpusShape::Language, TXmlCorpusShape::Text,
                             TXmlCorpusShape::Nested})
        for (const std::size_t size : sizes)
            for (const auto& [name, reader] : readers) {
                const std::string title = std::string(name) + "/" + XmlCorpusName(shape) + "/" + std::to_string(size);
                benchmark::RegisterBenchmark(title.c_str(), Run, reader, shape, size)->Unit(benchmark::kMicrosecond);
            }
    for (const auto shape : {TXmlHostileShape::BareAmpersands, TXmlHostileShape::AttributeRefs,
                             TXmlHostileShape::ManyAttributes, TXmlHostileShape::BarePercents,
                             TXmlHostileShape::ManyDeclarations}) {
        const std::string title = std::string("BM_XmlParserHostile/") + XmlHostileName(shape);
        benchmark::RegisterBenchmark(title.c_str(), RunHostile, shape)
            ->RangeMultiplier(4)
            ->Range(64 << 10, smoke ? 256 << 10 : 4 << 20)
            ->Complexity(benchmark::oN)
            ->Unit(benchmark::kMicrosecond);
    }
    return 0;
}

[[maybe_unused]] const int kRegistered = Register();

}  // namespace
