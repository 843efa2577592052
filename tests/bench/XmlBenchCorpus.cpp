#include "bench/XmlBenchCorpus.h"

#include "platform/win/CodePage.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace {

// splitmix64: tiny, and the same sequence everywhere.
class TRandom {
public:
    explicit TRandom(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    std::size_t Below(std::size_t n) { return static_cast<std::size_t>(Next() % n); }

private:
    std::uint64_t state_;
};

template <std::size_t N>
std::string_view Pick(TRandom& random, const std::array<std::string_view, N>& words) {
    return words[random.Below(N)];
}

// Words as the data bases hold them: a few UTF-8 letters and references.
constexpr std::array<std::string_view, 24> kMixedWords = {
    "water", "steam", "insulation", "mineral", "wool", "pipe", "duct", "tank",
    "h\xC5\x91szigetel\xC3\xA9s", "v\xC3\xADz", "\xC3\xBCveggyapot", "K\xC3\xA4lte", "caf\xC3\xA9", "\xE2\x82\xAC",
    "&amp;", "&lt;", "&#233;", "&#8364;", "\xE4\xB8\xAD", "temperature", "loss", "thickness", "&quot;x&quot;", "50%"};

constexpr std::array<std::string_view, 32> kAsciiWords = {
    "the", "insulation", "of", "a", "pipe", "reduces", "its", "heat", "loss", "and", "keeps", "surface",
    "temperature", "below", "limit", "that", "protects", "people", "from", "burns", "thickness", "is", "found",
    "by", "searching", "standard", "sizes", "until", "target", "met", "mineral", "wool."};

// Letters of Central Europe; the ones outside Windows-1252 (o and u with
// double acute, l with stroke, c, s, z with caron) come out as 0xBF there.
constexpr std::array<std::string_view, 24> kUtf8Words = {
    "h\xC5\x91szigetel\xC3\xA9s", "v\xC3\xADz", "\xC3\xBCveggyapot", "K\xC3\xA4lte", "W\xC3\xA4rmed\xC3\xA4mmung",
    "\xC3\xA1rv\xC3\xADzt\xC5\xB1r\xC5\x91", "t\xC3\xBCk\xC3\xB6rf\xC3\xBAr\xC3\xB3g\xC3\xA9p", "\xE2\x82\xAC",
    "\xE2\x80\x9Eid\xC3\xA9z\xC5\x91jel\xE2\x80\x9D", "cs\xC5\x91", "\xC3\xBCveg", "p\xC5\x99\xC3\xADli\xC5\xA1",
    "\xC5\xBElu\xC5\xA5ou\xC4\x8Dk\xC3\xBD", "k\xC5\xAF\xC5\x88", "\xC5\x82\xC3\xB3\x64\xC5\xBA", "Stra\xC3\x9F" "e",
    "gar\xC3\xA7on", "na\xC3\xAFve", "\xC3\x86sir", "\xC3\xB8re", "water", "steam", "pipe", "loss"};

// Windows-1250 words, made from UTF-8 so the source stays readable.
constexpr std::array<std::string_view, 16> kCp1250Source = {
    "h\xC5\x91szigetel\xC3\xA9s", "v\xC3\xADz", "\xC3\xBCveggyapot", "\xC3\xA1rv\xC3\xADzt\xC5\xB1r\xC5\x91",
    "t\xC3\xBCk\xC3\xB6rf\xC3\xBAr\xC3\xB3g\xC3\xA9p", "p\xC5\x99\xC3\xADli\xC5\xA1", "\xC5\xBElu\xC5\xA5ou\xC4\x8Dk\xC3\xBD",
    "k\xC5\xAF\xC5\x88", "\xC5\x82\xC3\xB3\x64\xC5\xBA", "za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87", "g\xC4\x99\xC5\x9Bl\xC4\x85",
    "ja\xC5\xBA\xC5\x84", "cs\xC5\x91", "\xC3\xBCveg", "water", "loss"};

template <std::size_t N>
std::string Words(TRandom& random, const std::array<std::string_view, N>& words, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0) text += random.Below(8) == 0 ? "  " : " ";
        text += Pick(random, words);
    }
    return text;
}

std::string Number(TRandom& random) {
    return std::to_string(random.Below(10000)) + "," + std::to_string(random.Below(100));
}

void Database(std::string& out, TRandom& random, std::size_t size) {
    out += "<Data>\n";
    for (std::size_t n = 0; out.size() < size; ++n) {
        const std::string id = std::to_string(n);
        switch (n % 3) {
        case 0:
            out += "  <DBMedium ItemID=\"m" + id + "\" Usage=\"31\" Density=\"" + Number(random) +
                   "\" HeatCapacity=\"" + Number(random) + "\" Viscosity=\"1,0E-6\" Conductivity=\"" +
                   Number(random) + "\">\n";
            out += "    <ItemName Language=\"EN\">" + Words(random, kMixedWords, 2) + "</ItemName>\n";
            out += "    <ItemName Language=\"HU\">" + Words(random, kMixedWords, 2) + "</ItemName>\n";
            out += "  </DBMedium>\n";
            break;
        case 1:
            out += "  <Isolation ItemID=\"i" + id + "\" Mode=\"polinom\" Lambda0=\"" + Number(random) +
                   "\" Lambda1=\"" + Number(random) + "\" MaxTemp=\"250\" Usage=\"7\">\n";
            for (int s = 0; s < 3; ++s)
                out += "    <Size SizeName=\"" + std::to_string(20 + 10 * s) + " mm\" Thickness=\"" +
                       std::to_string(20 + 10 * s) + "\" Price=\"" + Number(random) +
                       "\" Diameter=\"" + Number(random) + "\" Language=\"any\"/>\n";
            out += "  </Isolation>\n";
            break;
        default:
            out += "  <Tube ItemID=\"t" + id + "\" Diameter=\"" + Number(random) + "\" Wall=\"" +
                   Number(random) + "\" Norm=\"DIN 2448\" Material=\"St 37\" Weight=\"" + Number(random) +
                   "\" Name=\"" + std::string(Pick(random, kMixedWords)) + "\"/>\n";
            break;
        }
    }
    out += "</Data>\n";
}

void Language(std::string& out, TRandom& random, std::size_t size) {
    out += "<root>\n<language id=\"English\" idNumber=\"2\" default=\"yes\" UserInterface=\"yes\" Charset=\"0\"/>\n";
    for (std::size_t n = 0; out.size() < size; ++n) {
        const std::string id = std::to_string(n);
        if (n % 2 == 0) {
            out += "<form name=\"Form" + id + "\">\n  <property id=\"Caption\" value=\"" +
                   Words(random, kMixedWords, 3) + "\"/>\n";
            for (int i = 0; i < 4; ++i)
                out += "  <formitem name=\"Item" + std::to_string(i) + "\" type=\"TLabel\">"
                       "<property id=\"Caption\" value=\"" + Words(random, kMixedWords, 2) + "\"/>"
                       "<property id=\"Hint\" value=\"" + Words(random, kMixedWords, 4) + "\"/></formitem>\n";
            out += "</form>\n";
        } else {
            out += "<strings>\n";
            for (int i = 0; i < 8; ++i)
                out += "  <item id=\"IDS_TEXT" + id + "_" + std::to_string(i) + "\" value=\"" +
                       Words(random, kMixedWords, 5) + "\"/>\n";
            out += "</strings>\n<title name=\"Header" + id + "\"><columnitem id=\"3\" row=\"2\">" +
                   Words(random, kMixedWords, 2) + "</columnitem></title>\n";
        }
    }
    out += "</root>\n";
}

void Nested(std::string& out, TRandom& random, std::size_t size) {
    out += "<tree>";
    while (out.size() < size) {
        const std::size_t depth = 100 + random.Below(400);
        for (std::size_t d = 0; d < depth; ++d) out += "<n d=\"" + std::to_string(d) + "\">";
        out += Pick(random, kMixedWords);
        for (std::size_t d = 0; d < depth; ++d) out += "</n>";
        out += "\n";
    }
    out += "</tree>\n";
}

// Lines as editors leave them: CR LF or LF, indented by tabs or blanks, now
// and then two blanks or a tab between words.
void LongText(std::string& out, TRandom& random, std::size_t size) {
    out += "<book>\r\n";
    for (std::size_t n = 0; out.size() < size; ++n) {
        out += "  <chapter number=\"" + std::to_string(n) + "\">\r\n";
        for (std::size_t p = 1 + random.Below(3); p > 0; --p) {
            out += "    <p>\r\n";
            const std::size_t lines = 12 + random.Below(40);
            for (std::size_t l = 0; l < lines; ++l) {
                out += random.Below(2) == 0 ? "\t\t" : "      ";
                for (std::size_t w = 10 + random.Below(6); w > 0; --w) {
                    out += Pick(random, kAsciiWords);
                    const std::size_t gap = random.Below(16);
                    out += gap == 0 ? "  " : gap == 1 ? "\t" : " ";
                }
                out += random.Below(4) == 0 ? "\n" : "\r\n";
            }
            out += "    </p>\r\n";
        }
        out += "  </chapter>\r\n";
    }
    out += "</book>\r\n";
}

constexpr std::array<std::string_view, 16> kTextReferences = {
    "&amp;", "&lt;", "&gt;", "&quot;", "&apos;", "&#65;", "&#x42;", "&#233;",
    "&#xE9;", "&#8364;", "&#x20AC;", "&#353;", "&#160;", "&#9;", "&#10;", "&#xFC;"};
// Attribute values: no character reference of white space, which a reader
// keeps as it is there while ours turns it into a blank.
constexpr std::array<std::string_view, 10> kAttributeReferences = {
    "&amp;", "&lt;", "&gt;", "&quot;", "&apos;", "&#65;", "&#x42;", "&#233;", "&#8364;", "&#xFC;"};

void References(std::string& out, TRandom& random, std::size_t size) {
    out += "<entries>\n";
    for (std::size_t n = 0; out.size() < size; ++n) {
        out += "  <entry key=\"k" + std::to_string(n) + Words(random, kAttributeReferences, 3) + "\" note=\"" +
               Words(random, kAttributeReferences, 5) + "\">";
        for (std::size_t w = 8 + random.Below(16); w > 0; --w) {
            out += random.Below(3) == 0 ? Pick(random, kAsciiWords) : Pick(random, kTextReferences);
            if (random.Below(2) == 0) out += ' ';
        }
        out += "</entry>\n";
    }
    out += "</entries>\n";
}

void Paragraphs(std::string& out, TRandom& random, std::size_t size, std::string_view (*word)(TRandom&)) {
    out += "<doc>\n";
    for (std::size_t n = 0; out.size() < size; ++n) {
        out += "  <p lang=\"";
        out += word(random);
        out += "\">\n";
        for (std::size_t l = 3 + random.Below(8); l > 0; --l) {
            out += "    ";
            for (std::size_t w = 6 + random.Below(6); w > 0; --w) {
                out += word(random);
                out += ' ';
            }
            out += '\n';
        }
        out += "    <b>";
        out += word(random);
        out += "</b>\n  </p>\n";
    }
    out += "</doc>\n";
}

std::string_view Utf8Word(TRandom& random) {
    return random.Below(2) == 0 ? Pick(random, kAsciiWords) : Pick(random, kUtf8Words);
}

std::string_view Cp1250Word(TRandom& random) {
    static const auto kWords = [] {
        std::array<std::string, kCp1250Source.size()> words;
        for (std::size_t i = 0; i < words.size(); ++i) words[i] = win::FromUtf8(win::CodePage::Cp1250, kCp1250Source[i]);
        return words;
    }();
    return random.Below(2) == 0 ? Pick(random, kAsciiWords) : std::string_view(kWords[random.Below(kWords.size())]);
}

}  // namespace

const char* XmlCorpusName(TXmlCorpusShape shape) {
    switch (shape) {
    case TXmlCorpusShape::Database: return "database";
    case TXmlCorpusShape::Language: return "language";
    case TXmlCorpusShape::Nested: return "nested";
    case TXmlCorpusShape::LongText: return "long_text";
    case TXmlCorpusShape::References: return "references";
    case TXmlCorpusShape::Utf8Text: return "utf8_text";
    case TXmlCorpusShape::Cp1250Text: return "cp1250_text";
    }
    return "?";
}

const std::vector<TXmlCorpusShape>& XmlCorpusShapes() {
    static const std::vector<TXmlCorpusShape> shapes = {
        TXmlCorpusShape::Database, TXmlCorpusShape::Language, TXmlCorpusShape::Nested,
        TXmlCorpusShape::LongText, TXmlCorpusShape::References, TXmlCorpusShape::Utf8Text,
        TXmlCorpusShape::Cp1250Text};
    return shapes;
}

const char* XmlHostileName(TXmlHostileShape shape) {
    switch (shape) {
    case TXmlHostileShape::BareAmpersands: return "bare_amp";
    case TXmlHostileShape::AttributeRefs: return "attr_refs";
    case TXmlHostileShape::ManyAttributes: return "many_attrs";
    case TXmlHostileShape::BarePercents: return "bare_percent";
    case TXmlHostileShape::ManyDeclarations: return "many_decls";
    }
    return "?";
}

std::string MakeXmlCorpus(TXmlCorpusShape shape, std::size_t size) {
    TRandom random(0x5EED0000 + static_cast<std::uint64_t>(shape));
    std::string out = shape == TXmlCorpusShape::Cp1250Text ? "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\n"
                                                           : "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out.reserve(size + (64 << 10));
    switch (shape) {
    case TXmlCorpusShape::Database: Database(out, random, size); break;
    case TXmlCorpusShape::Language: Language(out, random, size); break;
    case TXmlCorpusShape::Nested: Nested(out, random, size); break;
    case TXmlCorpusShape::LongText: LongText(out, random, size); break;
    case TXmlCorpusShape::References: References(out, random, size); break;
    case TXmlCorpusShape::Utf8Text: Paragraphs(out, random, size, Utf8Word); break;
    case TXmlCorpusShape::Cp1250Text: Paragraphs(out, random, size, Cp1250Word); break;
    }
    return out;
}
std::string MakeHostileXml(TXmlHostileShape shape, std::size_t size) {
    std::string out;
    out.reserve(size + 64);
    switch (shape) {
    case TXmlHostileShape::BareAmpersands:
        out = "<a>";
        while (out.size() < size) out += "x & y && z &amp ";
        out += "</a>";
        break;
    case TXmlHostileShape::AttributeRefs:
        out = "<a v=\"";
        while (out.size() < size) out += "&amp;&lt;&#65;&#x42;&gt;x&quot;&apos;&#8364;";
        out += "\"/>";
        break;
    case TXmlHostileShape::ManyAttributes: {
        out = "<a";
        // Descending names: every insertion from the end would walk the whole list.
        for (std::size_t n = 9999999; out.size() < size; --n) out += " n" + std::to_string(n) + "=\"v\"";
        out += "/>";
        break;
    }
    case TXmlHostileShape::BarePercents:
        out = "<!DOCTYPE a [";
        while (out.size() < size) out += "% %% x %y ";
        out += "]><a/>";
        break;
    case TXmlHostileShape::ManyDeclarations:
        out = "<!DOCTYPE a [";
        for (std::size_t n = 99999999; out.size() < size; --n) out += "<!ENTITY e" + std::to_string(n) + " 'x'>";
        out += "]><a>&e99999999;</a>";
        break;
    }
    return out;
}
