#pragma once
// Opening a data or language file for the XML scanner, plain or
// LZW-compressed (every "*.xm?" file whose name does not end in ".xml").

#include <filesystem>
#include <string_view>

class TXmlParser;

// True when a file of this name is compressed: the name, in capitals, does
// not have its first ".XML" at its very end ("b.XmL" is plain; "c.xmz" and
// "a.xml.xml" are compressed).
bool IsCompressedFileName(std::string_view name);

// Loads the file into the parser. A compressed file is first decoded into
// "xmlDecod.tmp" in the temporary folder, which is removed again whatever
// happens. False when the file can't be read or decoded; the parser is then
// empty.
bool LoadXmlDataFile(TXmlParser& parser, const std::filesystem::path& file, bool compressed);
