#include "data/ParserStream.h"

#include "platform/base/Exception.h"
#include "platform/base/SysUtils.h"

#include <cstddef>
#include <string_view>
#include <utility>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// After a number: the end of the line, a blank, a tab or a ";" comment.
bool EndsNumber(const std::string& line, std::size_t pos) {
    return pos == line.size() || line[pos] == ' ' || line[pos] == '\t' || line[pos] == ';';
}

}  // namespace

TParserStream::TParserStream(TStream& stream) { LoadFromStream(stream); }

TParserStream::TParserStream(std::string_view text) { SetText(text); }

void TParserStream::SkipComments() {
    while (line_ < Count()) {
        std::string& line = Line();
        std::size_t i = 0;
        // Unsigned: accented bytes of the code page are above 127, not controls.
        while (i < line.size() && static_cast<unsigned char>(line[i]) <= ' ') ++i;
        line.erase(0, i);
        if (!line.empty() && line[0] != ';') return;
        ++line_;
    }
    throw Exception("End of data error!");
}

void TParserStream::Consume(std::size_t end) {
    std::string& line = Line();
    if (end >= line.size())
        ++line_;
    else
        line.erase(0, end);
}

void TParserStream::ReadString(std::string& text) {
    if (line_ >= Count()) throw Exception("End of data error!");
    std::string& line = Line();
    if (line.empty() || line[0] != '"') throw Exception("String error!");
    std::string value;
    std::size_t i = 1;
    for (;;) {
        if (i >= line.size()) throw Exception("String error!");
        const char c = line[i];
        if (c == '"') break;
        if (c == '\\') {
            if (i + 1 >= line.size()) throw Exception("String error!");
            value += line[i + 1];
            i += 2;
        } else {
            value += c;
            ++i;
        }
    }
    // The rest after the closing quote stays for the next token, even when empty.
    line.erase(0, i + 1);
    text = std::move(value);
}

int TParserStream::ReadInteger() {
    if (line_ >= Count()) throw Exception("End of data error!");
    const std::string& line = Line();
    std::size_t pos = 0;
    if (pos < line.size() && (line[pos] == '+' || line[pos] == '-')) ++pos;
    const std::size_t digits = pos;
    while (pos < line.size() && IsDigit(line[pos])) ++pos;
    if (pos == digits || !EndsNumber(line, pos)) throw Exception("Integer error!");
    // Valid syntax: the conversion decides the range, with its own error text.
    const int value = StrToInt(std::string_view(line).substr(0, pos));
    Consume(pos);
    return value;
}

double TParserStream::ReadFloat() {
    if (line_ >= Count()) throw Exception("End of data error!");
    const std::string& line = Line();
    std::size_t pos = 0;
    if (pos < line.size() && (line[pos] == '+' || line[pos] == '-')) ++pos;
    std::size_t digits = 0;
    while (pos < line.size() && IsDigit(line[pos])) ++pos, ++digits;
    if (pos < line.size() && (line[pos] == '.' || line[pos] == ',')) {
        ++pos;
        while (pos < line.size() && IsDigit(line[pos])) ++pos, ++digits;
    }
    if (digits == 0) throw Exception("Float error!");
    if (pos < line.size() && (line[pos] == 'e' || line[pos] == 'E')) {
        ++pos;
        if (pos < line.size() && (line[pos] == '+' || line[pos] == '-')) ++pos;
        const std::size_t exponent = pos;
        while (pos < line.size() && IsDigit(line[pos])) ++pos;
        if (pos == exponent) throw Exception("Float error!");
    }
    if (!EndsNumber(line, pos)) throw Exception("Float error!");
    // Either decimal point is taken, whatever the user's locale: the conversion
    // reads only the user's separator. Out of range is the conversion's error;
    // below it the value is 0.
    std::string token = line.substr(0, pos);
    for (char& c : token)
        if (c == '.' || c == ',') c = DecimalSeparator();
    const double value = StrToFloat(token);
    lastFloat_ = std::move(token);
    Consume(pos);
    return value;
}

void TParserStream::NextString(std::string& text) {
    SkipComments();
    ReadString(text);
}

int TParserStream::NextInteger() {
    SkipComments();
    return ReadInteger();
}

double TParserStream::NextFloat() {
    SkipComments();
    return ReadFloat();
}
