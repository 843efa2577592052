#pragma once
// Deterministic XML corpora for the reader's benchmark: the same seed gives
// the same bytes on every machine, so figures compare across runs.

#include <cstddef>
#include <string>
#include <vector>

// One shape of document each, so that a weakness shows on its own.
enum class TXmlCorpusShape {
    Database,    // data-base records: many small tags of 5-7 attributes, short texts
    Language,    // forms, properties and string items: attribute-heavy
    Nested,      // element chains hundreds of levels deep
    LongText,    // paragraphs of kilobytes, tabs, CR LF, double blanks, indentation
    References,  // character references and the five predefined entities everywhere
    Utf8Text,    // paragraphs with two- and three-byte UTF-8 letters
    Cp1250Text,  // Windows-1250 paragraphs with high bytes, declared as such
};

// Hostile inputs for the scaling check: time must grow linearly with size.
enum class TXmlHostileShape {
    BareAmpersands,   // text full of "&" without ";"
    AttributeRefs,    // one long attribute value full of references
    ManyAttributes,   // one tag with ever more attributes, names descending
    BarePercents,     // a declaration subset full of "%" without ";"
    ManyDeclarations, // ever more entity declarations, names descending
};

const char* XmlCorpusName(TXmlCorpusShape shape);
const char* XmlHostileName(TXmlHostileShape shape);
const std::vector<TXmlCorpusShape>& XmlCorpusShapes();

// A well-formed document of at least `size` bytes (a little more, to close
// it): UTF-8, but Windows-1250 for Cp1250Text.
std::string MakeXmlCorpus(TXmlCorpusShape shape, std::size_t size);
std::string MakeHostileXml(TXmlHostileShape shape, std::size_t size);
