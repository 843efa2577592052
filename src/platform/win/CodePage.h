#pragma once
// The two Windows code pages the programs meet: program text is Windows-1250
// bytes (the forms' Central European character set); the XML reader turns
// UTF-8 documents into Windows-1252. Every byte of both pages round-trips.

#include <string>
#include <string_view>

namespace win {

enum class CodePage { Cp1250, Cp1252 };

// The Unicode character of one byte.
char32_t ToUnicode(CodePage page, unsigned char byte);
// The byte of a Unicode character, or -1 when the page has none.
int FromUnicode(CodePage page, char32_t c);

std::string ToUtf8(CodePage page, std::string_view bytes);
// Characters the page lacks (and malformed UTF-8) become `replacement`.
std::string FromUtf8(CodePage page, std::string_view utf8, char replacement = '?');

// Decodes the UTF-8 character at text[i] and moves i past it; a malformed
// sequence gives U+FFFD and moves one byte, so decoding always moves forward.
// REQUIRES: i < text.size()
char32_t NextUtf8(std::string_view text, std::size_t& i);

// The simple upper case of a Latin letter (ASCII, Latin-1, Latin Extended-A);
// every other character is returned unchanged.
char32_t UpperCaseLatin(char32_t c);

// Upper case of a Windows-1250 byte, through the letters of the code page,
// and of a whole Windows-1250 text.
unsigned char UpperCase1250(unsigned char byte);
std::string UpperCase1250(std::string_view text);
// Lower case, the inverse pairing of UpperCase1250.
unsigned char LowerCase1250(unsigned char byte);
std::string LowerCase1250(std::string_view text);

}  // namespace win
