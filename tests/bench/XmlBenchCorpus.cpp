#include "bench/XmlBenchCorpus.h"

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

constexpr std::array<std::string_view, 24> kWords = {
    "water", "steam", "insulation", "mineral", "wool", "pipe", "duct", "tank",
    "h\xC5\x91szigetel\xC3\xA9s", "v\xC3\xADz", "\xC3\xBCveggyapot", "K\xC3\xA4lte", "caf\xC3\xA9", "\xE2\x82\xAC",
    "&amp;", "&lt;", "&#233;", "&#8364;", "\xE4\xB8\xAD", "temperature", "loss", "thickness", "&quot;x&quot;", "50%"};

std::string Word(TRandom& random) {
    return std::string(kWords[random.Below(kWords.size())]);
}

std::string Words(TRandom& random, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0) text += random.Below(8) == 0 ? "  " : " ";
        text += Word(random);
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
            out += "    <ItemName Language=\"EN\">" + Words(random, 2) + "</ItemName>\n";
            out += "    <ItemName Language=\"HU\">" + Words(random, 2) + "</ItemName>\n";
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
                   "\" Name=\"" + Word(random) + "\"/>\n";
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
            out += "<form name=\"Form" + id + "\">\n  <property id=\"Caption\" value=\"" + Words(random, 3) +
                   "\"/>\n";
            for (int i = 0; i < 4; ++i)
                out += "  <formitem name=\"Item" + std::to_string(i) + "\" type=\"TLabel\">"
                       "<property id=\"Caption\" value=\"" + Words(random, 2) + "\"/>"
                       "<property id=\"Hint\" value=\"" + Words(random, 4) + "\"/></formitem>\n";
            out += "</form>\n";
        } else {
            out += "<strings>\n";
            for (int i = 0; i < 8; ++i)
                out += "  <item id=\"IDS_TEXT" + id + "_" + std::to_string(i) + "\" value=\"" + Words(random, 5) +
                       "\"/>\n";
            out += "</strings>\n<title name=\"Header" + id + "\"><columnitem id=\"3\" row=\"2\">" + Words(random, 2) +
                   "</columnitem></title>\n";
        }
    }
    out += "</root>\n";
}

void Text(std::string& out, TRandom& random, std::size_t size) {
    out += "<doc>\n";
    while (out.size() < size) {
        out += "  <p class=\"body\">\n    ";
        const std::size_t lines = 3 + random.Below(6);
        for (std::size_t l = 0; l < lines; ++l) out += Words(random, 8 + random.Below(8)) + "\n    ";
        out += "<b>" + Words(random, 2) + "</b> " + Words(random, 6) + "\n  </p>\n";
    }
    out += "</doc>\n";
}

void Nested(std::string& out, TRandom& random, std::size_t size) {
    out += "<tree>";
    while (out.size() < size) {
        const std::size_t depth = 50 + random.Below(250);
        for (std::size_t d = 0; d < depth; ++d) out += "<n d=\"" + std::to_string(d) + "\">";
        out += Word(random);
        for (std::size_t d = 0; d < depth; ++d) out += "</n>";
        out += "\n";
    }
    out += "</tree>\n";
}

}  // namespace

const char* XmlCorpusName(TXmlCorpusShape shape) {
    switch (shape) {
    case TXmlCorpusShape::Database: return "database";
    case TXmlCorpusShape::Language: return "language";
    case TXmlCorpusShape::Text: return "text";
    case TXmlCorpusShape::Nested: return "nested";
    }
    return "?";
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
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out.reserve(size + 4096);
    switch (shape) {
    case TXmlCorpusShape::Database: Database(out, random, size); break;
    case TXmlCorpusShape::Language: Language(out, random, size); break;
    case TXmlCorpusShape::Text: Text(out, random, size); break;
    case TXmlCorpusShape::Nested: Nested(out, random, size); break;
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
