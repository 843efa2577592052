// The XML reader against expat and pugixml on the same bytes in memory.
//
// Timed: each reader on its own native API doing the least that yields the
// same events, and counting them: ours scans part by part; expat calls start,
// end and character handlers that count; pugixml parses in place with the
// options closest to ours and a walk counts the tree. Each reader gets a fresh
// copy of the document, made outside the timed region.
//
// Untimed, once per reader and corpus: the element and attribute counts must
// equal ours, and so must a hash of the whole event stream (start tag with its
// attributes sorted by name, text trimmed, packed and in our code page, end
// tag). Where they differ the benchmark reports an error instead of a time.
//
// After the run a table gives MB/s per reader and ours / expat, ours / pugixml
// per corpus, from the medians when there are repetitions. The figures are fair
// only when the readers' runs alternate (make bench does):
//   build/bin/xml_bench --benchmark_enable_random_interleaving=true
//       --benchmark_repetitions=5 --benchmark_filter='long_text'
// VALDORINE_BENCH_SMOKE=1 (CTest's smoke run) takes small corpora only.
#include "bench/BenchSupport.h"
#include "bench/XmlBenchCorpus.h"

#include "data/Compressing.h"
#include "data/XmlParser.h"
#include "platform/win/CodePage.h"

#include <benchmark/benchmark.h>
#include <expat.h>
#include <pugixml.hpp>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

// How the peers read the bytes and how their output maps back onto ours.
enum class TDocCharset { Utf8, Cp1250 };

struct TDocument {
    std::string Bytes;
    TDocCharset Charset = TDocCharset::Utf8;
};

struct TCorpus {
    std::string Name;
    std::vector<TDocument> Documents;
    std::int64_t Bytes() const {
        std::int64_t total = 0;
        for (const TDocument& d : Documents) total += static_cast<std::int64_t>(d.Bytes.size());
        return total;
    }
};

struct TCounts {
    std::uint64_t Elements = 0;
    std::uint64_t Attributes = 0;
    std::uint64_t Text = 0;  // text bytes or parts; differs by reader, never compared
    bool Failed = false;
};

// ---- timed readers: count only ----

TCounts CountOurs(const char* text, const TDocument&) {
    TCounts counts;
    TXmlParser parser;
    parser.SetBuffer(text);
    parser.StartScan();
    while (parser.Scan()) {
        switch (parser.PartType()) {
        case TPartType::ptStartTag:
        case TPartType::ptEmptyTag:
            ++counts.Elements;
            counts.Attributes += static_cast<std::uint64_t>(parser.PartAttributes().Count());
            break;
        case TPartType::ptContent: counts.Text += parser.PartContent().size(); break;
        default: break;
        }
    }
    return counts;
}

// Windows-1250 through expat's hook for encodings it does not know.
int ExpatCp1250(void*, const XML_Char* name, XML_Encoding* info) {
    if (std::string_view(name) != "windows-1250") return XML_STATUS_ERROR;
    for (int b = 0; b < 256; ++b)
        info->map[b] = static_cast<int>(win::ToUnicode(win::CodePage::Cp1250, static_cast<unsigned char>(b)));
    info->data = nullptr;
    info->convert = nullptr;
    info->release = nullptr;
    return XML_STATUS_OK;
}

// Runs expat over the text with the handlers and their user data.
bool ParseWithExpat(const char* text, std::size_t size, void* data, XML_StartElementHandler start,
                    XML_EndElementHandler end, XML_CharacterDataHandler characters) {
    XML_Parser parser = XML_ParserCreate(nullptr);
    XML_SetUnknownEncodingHandler(parser, ExpatCp1250, nullptr);
    XML_SetUserData(parser, data);
    XML_SetElementHandler(parser, start, end);
    XML_SetCharacterDataHandler(parser, characters);
    const bool ok = XML_Parse(parser, text, static_cast<int>(size), 1) == XML_STATUS_OK;
    XML_ParserFree(parser);
    return ok;
}

TCounts CountExpat(const char* text, const TDocument& document) {
    TCounts counts;
    counts.Failed = !ParseWithExpat(
        text, document.Bytes.size(), &counts,
        [](void* data, const XML_Char*, const XML_Char** atts) {
            auto& c = *static_cast<TCounts*>(data);
            ++c.Elements;
            for (int i = 0; atts[i]; i += 2) ++c.Attributes;
        },
        [](void*, const XML_Char*) {},
        [](void* data, const XML_Char*, int length) {
            static_cast<TCounts*>(data)->Text += static_cast<std::uint64_t>(length);
        });
    return counts;
}

// What we do to text and attribute values, as far as pugixml has it: no line
// end handling, references replaced, white space in attributes turned into
// blanks, text trimmed (not packed), no white-space-only text.
constexpr unsigned kPugixmlOptions =
    pugi::parse_cdata | pugi::parse_escapes | pugi::parse_wconv_attribute | pugi::parse_trim_pcdata;

pugi::xml_encoding PugixmlEncoding(const TDocument& document) {
    return document.Charset == TDocCharset::Cp1250 ? pugi::encoding_latin1 : pugi::encoding_utf8;
}

TCounts CountPugixml(char* text, const TDocument& document) {
    TCounts counts;
    pugi::xml_document doc;
    if (!doc.load_buffer_inplace(text, document.Bytes.size(), kPugixmlOptions, PugixmlEncoding(document))) {
        counts.Failed = true;
        return counts;
    }
    // Depth first without recursion or a stack: down, else along, else up.
    pugi::xml_node node = doc.first_child();
    while (node) {
        if (node.type() == pugi::node_element) {
            ++counts.Elements;
            for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute()) ++counts.Attributes;
        } else if (node.type() == pugi::node_pcdata) {
            ++counts.Text;
        }
        if (node.first_child()) {
            node = node.first_child();
            continue;
        }
        while (node && !node.next_sibling()) node = node.parent();
        if (node) node = node.next_sibling();
    }
    return counts;
}

// ---- untimed: the event streams ----

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

// A peer's UTF-8 back to the bytes ours hands out: Windows-1252 for a UTF-8
// document, the document's own Windows-1250 bytes otherwise.
std::string OurBytes(std::string_view utf8, TDocCharset charset) {
    if (charset == TDocCharset::Cp1250) return win::FromUtf8(win::CodePage::Cp1250, utf8, '?');
    return win::FromUtf8(win::CodePage::Cp1252, utf8, '\xBF');
}

// pugixml reads Windows-1250 as Latin-1: each character is one byte.
std::string Latin1Bytes(std::string_view utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) out.push_back(static_cast<char>(win::NextUtf8(utf8, i)));
    return out;
}

// Text between tags as the peers deliver it, in pieces: trimmed, packed,
// converted; empty text is no event, as with Normalize.
class TTextCollector {
public:
    void Append(std::string_view bytes) { text_.append(bytes); }
    void Flush(TEventHash& hash, TDocCharset charset, bool latin1) {
        if (text_.empty()) return;
        xml::NormalizeWs(text_);
        if (!text_.empty()) hash.Text(latin1 ? Latin1Bytes(text_) : OurBytes(text_, charset));
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

std::uint64_t HashOurs(const TDocument& document) {
    TXmlParser parser;
    parser.SetBuffer(document.Bytes.c_str());
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
    TDocCharset Charset;
    TEventHash Hash;
    TTextCollector Text;
    TAttributes Attrs;
};

std::uint64_t HashExpat(const TDocument& document) {
    TExpatState state{document.Charset, {}, {}, {}};
    const bool ok = ParseWithExpat(
        document.Bytes.data(), document.Bytes.size(), &state,
        [](void* data, const XML_Char* name, const XML_Char** atts) {
            auto& s = *static_cast<TExpatState*>(data);
            s.Text.Flush(s.Hash, s.Charset, false);
            s.Attrs.clear();
            for (int i = 0; atts[i]; i += 2) s.Attrs.emplace_back(atts[i], OurBytes(atts[i + 1], s.Charset));
            HashStart(s.Hash, name, s.Attrs);
        },
        [](void* data, const XML_Char* name) {
            auto& s = *static_cast<TExpatState*>(data);
            s.Text.Flush(s.Hash, s.Charset, false);
            s.Hash.EndTag(name);
        },
        [](void* data, const XML_Char* text, int length) {
            static_cast<TExpatState*>(data)->Text.Append({text, static_cast<std::size_t>(length)});
        });
    state.Text.Flush(state.Hash, state.Charset, false);
    return ok ? state.Hash.Value() : 0;
}

std::uint64_t HashPugixml(const TDocument& document) {
    std::string copy = document.Bytes;
    pugi::xml_document doc;
    if (!doc.load_buffer_inplace(copy.data(), copy.size(), kPugixmlOptions, PugixmlEncoding(document))) return 0;
    const bool latin1 = document.Charset == TDocCharset::Cp1250;
    auto bytes = [&](std::string_view utf8) { return latin1 ? Latin1Bytes(utf8) : OurBytes(utf8, document.Charset); };
    TEventHash hash;
    TTextCollector text;
    TAttributes attrs;
    // (node, whether its children are done)
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
        text.Flush(hash, document.Charset, latin1);
        if (closing) {
            hash.EndTag(node.name());
            continue;
        }
        attrs.clear();
        for (const pugi::xml_attribute a : node.attributes()) attrs.emplace_back(a.name(), bytes(a.value()));
        HashStart(hash, node.name(), attrs);
        stack.emplace_back(node, true);
        for (pugi::xml_node child = node.last_child(); child; child = child.previous_sibling())
            stack.emplace_back(child, false);
    }
    text.Flush(hash, document.Charset, latin1);
    return hash.Value();
}

// ---- corpora ----

TDocCharset CharsetOf(const std::string& bytes) {
    return bytes.find("encoding=\"windows-1250\"") < 100 ? TDocCharset::Cp1250 : TDocCharset::Utf8;
}

TCorpus GeneratedCorpus(TXmlCorpusShape shape, std::size_t size) {
    std::string bytes = MakeXmlCorpus(shape, size);
    const TDocCharset charset = CharsetOf(bytes);
    return {std::string(XmlCorpusName(shape)) + "/" + std::to_string(size), {{std::move(bytes), charset}}};
}

// The shipped data bases and language files as the program reads them
// (compressed ones decoded first).
TCorpus ShippedCorpus() {
    TCorpus corpus{"shipped", {}};
    std::vector<fs::path> files;
    for (const char* folder : {"data", "languages"})
        for (const auto& entry : fs::recursive_directory_iterator(fs::path(SOURCE_ROOT) / folder))
            if (entry.is_regular_file() && entry.path().extension().string().starts_with(".xm")) files.push_back(entry);
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        if (file.extension() != ".xml") {
            std::string plain;
            Compressing::Decompress({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}, plain);
            bytes = std::move(plain);
        }
        const TDocCharset charset = CharsetOf(bytes);
        corpus.Documents.push_back({std::move(bytes), charset});
    }
    return corpus;
}

// ---- benchmarks ----

enum class TReader { Ours, Expat, Pugixml };

TCounts Count(TReader reader, char* text, const TDocument& document) {
    switch (reader) {
    case TReader::Ours: return CountOurs(text, document);
    case TReader::Expat: return CountExpat(text, document);
    case TReader::Pugixml: return CountPugixml(text, document);
    }
    return {};
}

std::uint64_t Hash(TReader reader, const TDocument& document) {
    switch (reader) {
    case TReader::Ours: return HashOurs(document);
    case TReader::Expat: return HashExpat(document);
    case TReader::Pugixml: return HashPugixml(document);
    }
    return 0;
}

// "" when the reader agrees with ours on every document of the corpus.
std::string Disagreement(TReader reader, const TCorpus& corpus) {
    for (const TDocument& document : corpus.Documents) {
        std::string copy = document.Bytes;
        const TCounts counts = Count(reader, copy.data(), document);
        copy = document.Bytes;
        const TCounts ours = CountOurs(copy.data(), document);
        if (counts.Failed) return "the reader failed on the document";
        if (counts.Elements != ours.Elements || counts.Attributes != ours.Attributes)
            return "element or attribute count differs from ours";
        if (Hash(reader, document) != HashOurs(document)) return "event stream differs from ours";
    }
    return {};
}

void Run(benchmark::State& state, TReader reader, const TCorpus* corpus) {
    static std::map<std::pair<TReader, const TCorpus*>, std::string> checked;
    const auto key = std::make_pair(reader, corpus);
    if (!checked.contains(key)) checked[key] = Disagreement(reader, *corpus);
    if (const std::string& error = checked[key]; !error.empty()) {
        state.SkipWithError(error.c_str());
        return;
    }
    std::vector<std::string> copies;
    for (const TDocument& document : corpus->Documents) copies.push_back(document.Bytes);
    for (auto _ : state) {
        state.PauseTiming();
        for (std::size_t i = 0; i < copies.size(); ++i)
            std::memcpy(copies[i].data(), corpus->Documents[i].Bytes.data(), copies[i].size());
        state.ResumeTiming();
        for (std::size_t i = 0; i < copies.size(); ++i)
            benchmark::DoNotOptimize(Count(reader, copies[i].data(), corpus->Documents[i]));
    }
    state.SetBytesProcessed(state.iterations() * corpus->Bytes());
}

void RunHostile(benchmark::State& state, TXmlHostileShape shape) {
    const std::string document = MakeHostileXml(shape, static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(CountOurs(document.c_str(), {}));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * document.size()));
    state.SetComplexityN(static_cast<std::int64_t>(document.size()));
}

constexpr std::pair<const char*, TReader> kReaders[] = {
    {"BM_XmlParserRead", TReader::Ours}, {"BM_XmlParserExpat", TReader::Expat}, {"BM_XmlParserPugixml", TReader::Pugixml}};

void Register() {
    static std::vector<TCorpus> corpora;  // registered benchmarks point into it: filled once, then fixed
    const bool smoke = bench_support::IsSmokeRun();
    const std::vector<std::size_t> sizes = smoke ? std::vector<std::size_t>{64 << 10}
                                                 : std::vector<std::size_t>{1 << 20, 8 << 20};
    for (const TXmlCorpusShape shape : XmlCorpusShapes())
        for (const std::size_t size : sizes) corpora.push_back(GeneratedCorpus(shape, size));
    corpora.push_back(ShippedCorpus());
    for (const TCorpus& corpus : corpora)
        for (const auto& [name, reader] : kReaders)
            benchmark::RegisterBenchmark((std::string(name) + "/" + corpus.Name).c_str(), Run, reader, &corpus)
                ->Unit(benchmark::kMicrosecond);
    for (const auto shape : {TXmlHostileShape::BareAmpersands, TXmlHostileShape::AttributeRefs,
                             TXmlHostileShape::ManyAttributes, TXmlHostileShape::BarePercents,
                             TXmlHostileShape::ManyDeclarations}) {
        benchmark::RegisterBenchmark((std::string("BM_XmlParserHostile/") + XmlHostileName(shape)).c_str(),
                                     RunHostile, shape)
            ->RangeMultiplier(4)
            ->Range(64 << 10, smoke ? 256 << 10 : 4 << 20)
            ->Complexity(benchmark::oN)
            ->Unit(benchmark::kMicrosecond);
    }
}

// The console report, then per corpus each reader's MB/s and our ratios.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.run_type == Run::RT_Aggregate && !median) continue;
            TFigure& figure = figures_[run.run_name.function_name];
            if (figure.FromMedian && !median) continue;
            const auto bytes = run.counters.find("bytes_per_second");
            figure.FromMedian = median;
            figure.MBs = run.error_occurred || bytes == run.counters.end() ? 0 : bytes->second.value / 1e6;
        }
    }

    void PrintTable() const {
        std::map<std::string, std::array<double, 3>> table;
        for (const auto& [name, figure] : figures_) {
            for (std::size_t r = 0; r < std::size(kReaders); ++r) {
                const std::string prefix = std::string(kReaders[r].first) + "/";
                if (!name.starts_with(prefix)) continue;
                const std::string corpus = name.substr(prefix.size());
                table[corpus][r] = figure.MBs;
            }
        }
        if (table.empty()) return;
        std::printf("\n%-24s %10s %10s %10s %9s %9s\n", "corpus (MB/s)", "ours", "expat", "pugixml", "/expat",
                    "/pugixml");
        for (const auto& [corpus, mbs] : table) {
            auto ratio = [&](double peer) { return mbs[0] > 0 && peer > 0 ? mbs[0] / peer : 0.0; };
            std::printf("%-24s %10.1f %10.1f %10.1f %9.2f %9.2f\n", corpus.c_str(), mbs[0], mbs[1], mbs[2],
                        ratio(mbs[1]), ratio(mbs[2]));
        }
    }

private:
    struct TFigure {
        bool FromMedian = false;
        double MBs = 0;  // 0: failed or not run
    };
    std::map<std::string, TFigure> figures_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    Register();
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintTable();
    benchmark::Shutdown();
    return 0;
}
