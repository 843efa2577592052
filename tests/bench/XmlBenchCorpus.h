#pragma once
// Deterministic XML corpora for the reader's benchmark: the same seed gives
// the same bytes on every machine, so figures compare across runs.

#include <cstddef>
#include <string>

enum class TXmlCorpusShape {
    Database,  // many small records of 5-7 attributes, short texts
    Language,  // forms, properties and string items: attribute-heavy
    Text,      // long paragraphs with references and UTF-8 letters
    Nested,    // deep element chains
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

// A well-formed UTF-8 document of at least `size` bytes (a little more, to close it).
std::string MakeXmlCorpus(TXmlCorpusShape shape, std::size_t size);
std::string MakeHostileXml(TXmlHostileShape shape, std::size_t size);
