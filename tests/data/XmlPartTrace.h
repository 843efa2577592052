#pragma once
// A compact trace of the parts a scan delivers, so that a test states the
// whole sequence in one line:
//   <?xml>  PI:target  <!-- -->  DTD  <a x=1>  <b/>  </a>  "text"  [CDATA:text]

#include "data/XmlParser.h"

#include <string>
#include <string_view>
#include <vector>

namespace xml_test {

inline std::string Describe(const TXmlParser& p) {
    std::string attrs;
    for (int i = 0; i < p.PartAttributes().Count(); ++i)
        attrs += " " + p.PartAttributes().Name(i) + "=" + p.PartAttributes().Value(i);
    switch (p.PartType()) {
    case TPartType::ptXmlProlog: return "<?xml>";
    case TPartType::ptComment: return "<!-- -->";
    case TPartType::ptPI: return "PI:" + p.PartName();
    case TPartType::ptDtdc: return "DTD";
    case TPartType::ptStartTag: return "<" + p.PartName() + attrs + ">";
    case TPartType::ptEmptyTag: return "<" + p.PartName() + attrs + "/>";
    case TPartType::ptEndTag: return "</" + p.PartName() + ">";
    case TPartType::ptContent: return "\"" + p.PartContent() + "\"";
    case TPartType::ptCData: return "[CDATA:" + p.PartContent() + "]";
    case TPartType::ptNone: break;
    }
    return "?";
}

// Scans from the start; a runaway scan shows up as "..." after 10000 parts.
inline std::vector<std::string> Trace(TXmlParser& parser) {
    std::vector<std::string> parts;
    parser.StartScan();
    while (parser.Scan()) {
        if (parts.size() == 10000) {
            parts.push_back("...");
            break;
        }
        parts.push_back(Describe(parser));
    }
    return parts;
}

inline std::vector<std::string> Trace(std::string_view document, bool normalize = true) {
    TXmlParser parser;
    parser.LoadFromBuffer(document);
    parser.SetNormalize(normalize);
    return Trace(parser);
}

using Parts = std::vector<std::string>;

}  // namespace xml_test
