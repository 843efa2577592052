#pragma once
// A line-oriented token reader for small hand-written text files (the price
// list): quoted strings, integers and floats, with ";" comments. Token errors
// raise Exception with fixed English texts.

#include "platform/base/StringList.h"

#include <cstddef>
#include <string>
#include <string_view>

class TStream;

class TParserStream : public TStringList {
public:
    // Takes every line of the stream from its position on; the current line is the first.
    explicit TParserStream(TStream& stream);
    // The same from a text (lines end at CR LF, CR or LF).
    explicit TParserStream(std::string_view text);

    // Passes over blank and ";" lines, trimming leading blanks and control
    // characters of the line it stops at. Raises "End of data error!" when the
    // lines run out.
    void SkipComments();

    // Read one token from the start of the current line, which must begin with it;
    // raise "String error!", "Integer error!" or "Float error!" otherwise. A
    // number of valid syntax goes to StrToInt or StrToFloat (the latter with
    // the user's decimal separator as its point), which raise EConvertError
    // for one out of range; a float below the range reads as 0.
    void ReadString(std::string& text);
    int ReadInteger();
    double ReadFloat();

    // SkipComments, then the read of that kind.
    void NextString(std::string& text);
    int NextInteger();
    double NextFloat();

    int CurrentLine() const { return line_; }
    // The last float token as it went to the conversion (for its error text).
    const std::string& LastFloat() const { return lastFloat_; }

private:
    // The current line is consumed up to `end`: the rest stays for the next token,
    // or the index moves on when nothing is left.
    void Consume(std::size_t end);
    std::string& Line() { return Lines()[static_cast<std::size_t>(line_)]; }

    int line_ = 0;
    std::string lastFloat_;
};
