// Text content packed and converted as it is copied must give the bytes of
// the plain way: each run through Utf8ToAnsi, joined, then NormalizeWs.
#include "data/XmlParser.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <random>
#include <string>
#include <vector>

namespace {

// The plain way: every run of text through TranslateEncoding.
class TRunByRunParser : public TXmlParser {
protected:
    void TranslateEncoding(std::string& text) override { TXmlParser::TranslateEncoding(text); }
    bool HasOwnTranslation() const override { return true; }
};

struct TPart {
    TPartType Type;
    std::string Name;
    std::string Content;
    std::ptrdiff_t Final;  // offset in the document; -1 inside an entity's text
    bool operator==(const TPart&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TPart& part) {
    return out << static_cast<int>(part.Type) << " " << part.Name << " [" << part.Content << "] " << part.Final;
}

std::vector<TPart> Parts(TXmlParser& parser, const std::string& document, bool normalize) {
    parser.SetBuffer(document.c_str());
    parser.SetNormalize(normalize);
    parser.StartScan();
    std::vector<TPart> parts;
    const char* first = document.c_str();
    const char* end = first + document.size();
    while (parser.Scan() && parts.size() < 10000) {
        const char* final = parser.PartFinal();
        const bool inside = std::less_equal<>()(first, final) && std::less<>()(final, end);
        // Tags keep the content of the part before; it is compared where it is made.
        const bool ownContent = parser.PartType() == TPartType::ptContent || parser.PartType() == TPartType::ptCData ||
                                parser.PartType() == TPartType::ptPI;
        parts.push_back({parser.PartType(), parser.PartName(), ownContent ? parser.PartContent() : std::string(),
                         inside ? final - first : -1});
    }
    return parts;
}

// The reference parts with Normalize: each text normalised, empty ones left out.
std::vector<TPart> NormalizedReference(const std::string& document) {
    TRunByRunParser reference;
    std::vector<TPart> parts;
    for (TPart part : Parts(reference, document, false)) {
        if (part.Type == TPartType::ptContent) {
            xml::NormalizeWs(part.Content);
            if (part.Content.empty()) continue;
        }
        parts.push_back(part);
    }
    return parts;
}

void ExpectSameAsReference(const std::string& body) {
    for (const char* prolog : {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>", ""}) {
        const std::string document = std::string(prolog) + "<!DOCTYPE a [<!ENTITY e ' x \t\xC3\xA9  y&#32;'>]><a>" + body + "</a>";
        SCOPED_TRACE(testing::Message() << "document " << testing::PrintToString(document));
        TXmlParser fast;
        TRunByRunParser reference;
        // Normalize first: its text buffer starts at its first size.
        EXPECT_EQ(Parts(fast, document, true), NormalizedReference(document));
        EXPECT_EQ(Parts(fast, document, false), Parts(reference, document, false));
    }
}

}  // namespace

TEST(XmlTextRun, PackedTextGoldenBytes) {
    struct Row {
        const char* name;
        const char* body;
        const char* text;
    };
    const Row rows[] = {
        {"every kind of white space", "  a\t\tb \r\n c  ", "a b c"},
        {"single blanks stay", "one two three four five six seven", "one two three four five six seven"},
        {"blanks made by references pack too", "&#32;a&#9;&#10; &amp; b&#13;", "a & b"},
        {"UTF-8 letters and a euro sign", "caf\xC3\xA9 \xE2\x82\xAC", "caf\xE9 \x80"},
        {"overlong blank packs with its neighbours", "a \xC0\xA0 b", "a b"},
        {"cut sequence before a reference takes the rest of the run", "x\xE2\x82&amp;y", "x\xBF&y"},
        {"four-byte form and stray bytes", "\xF0\x9F\x98\x80-\x80-\xFF", "\xBF-\xBF-\xBF"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TXmlParser parser;
        parser.LoadFromBuffer(std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?><a>") + row.body + "</a>");
        parser.StartScan();
        std::string text;
        while (parser.Scan())
            if (parser.PartType() == TPartType::ptContent) text += parser.PartContent();
        EXPECT_EQ(text, row.text);
        ExpectSameAsReference(row.body);
    }
}

// Every special byte at every place of a 16-byte block and across blocks.
TEST(XmlTextRun, SpecialBytesAtEveryOffsetMatchTheReference) {
    const std::vector<std::string> specials = {" ", "  ", "\t", "\n", "\r\n", "\xC3\xA9", "\xE2\x82\xAC", "\xC3",
                                               "\xC0\xA0", "&amp;", "&#32;", "&bare;", "&", "&e;", "<b/>", " <b/> ",
                                               "\r\n" + std::string(20, ' ') + "\t", std::string(40, 'w') + "\xC3\xA9"};
    for (const std::string& special : specials)
        for (std::size_t offset = 0; offset < 40; ++offset) {
            std::string body(offset, 'x');
            for (std::size_t i = 3; i < offset; i += 5) body[i] = ' ';
            body += special + "yyyyyyyyyyyyyyyyyyyy z";
            ExpectSameAsReference(body);
        }
}

// Gaps near the end of the text buffer when it has to grow (a fuzz finding:
// closing a gap stored past the buffer).
TEST(XmlTextRun, GapsWhereTheBufferGrowsMatchTheReference) {
    for (std::size_t shift = 0; shift < 32; ++shift) {
        std::string body(600, 'x');
        for (std::size_t i = shift; i + 2 < body.size(); i += 13) body.replace(i, 3, " \n ");
        ExpectSameAsReference(body);
    }
}

TEST(XmlTextRun, RandomTextMatchesTheReference) {
    const std::vector<std::string> pieces = {"a",  "bc",     " ",       "  ",     "\t",      "\n",   "\r",
                                             "\xC3", "\xA9", "\xE2\x82", "\xAC", "\xF0",    "\xC0\xA0", "&amp;",
                                             "&#9;", "&#32;", "&#xE9;", "&e;",   "&bare;",  "&",    ";",
                                             "<b>",  "</b>", "<!--c-->", "word ", "long words "};
    std::mt19937 random(13);
    for (int n = 0; n < 3000; ++n) {
        std::string body;
        const std::size_t count = random() % 60;
        for (std::size_t i = 0; i < count; ++i) body += pieces[random() % pieces.size()];
        ExpectSameAsReference(body);
        if (HasFailure()) break;
    }
}
