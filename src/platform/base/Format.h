#pragma once
// printf-style formatting for texts that come from language files and string
// tables, which the program doesn't control. The caller declares its
// arguments; a conversion is carried out only when it matches the kind of the
// next declared argument, so a broken text can't read a missing argument or
// take a number for text.
//
// Honoured: %s (text), %d %i (integer), %f %e %E %g %G (floating point), each
// with the flags - + space # 0, a width and a precision ("." alone means 0),
// and %% for "%". Everything else is copied as it stands and takes no
// argument: a conversion of the wrong kind or past the last argument, other
// letters (%n, %x, %c, %ld ...), "*" widths, and a width or precision above
// kFormatMaxField (so that "%999999999d" can't ask for gigabytes). The point
// is always '.'; output has no length limit. For well-formed input the result
// equals C printf's in the "C" locale.

#include <initializer_list>
#include <string>
#include <string_view>

constexpr int kFormatMaxField = 4096;

class FormatArg {
public:
    enum class Kind { Integer, Float, Text };

    FormatArg(int value) : kind_(Kind::Integer), integer_(value) {}
    FormatArg(unsigned value) : kind_(Kind::Integer), integer_(value) {}
    FormatArg(long value) : kind_(Kind::Integer), integer_(value) {}
    FormatArg(long long value) : kind_(Kind::Integer), integer_(value) {}
    FormatArg(double value) : kind_(Kind::Float), float_(value) {}
    // A null pointer counts as the empty text.
    FormatArg(const char* text) : kind_(Kind::Text), text_(text ? text : "") {}
    // The text must outlive the Format call (a temporary in the call does).
    FormatArg(std::string_view text) : kind_(Kind::Text), text_(text) {}
    FormatArg(const std::string& text) : kind_(Kind::Text), text_(text) {}

    Kind GetKind() const { return kind_; }
    long long Integer() const { return integer_; }
    double Float() const { return float_; }
    std::string_view Text() const { return text_; }

private:
    Kind kind_;
    long long integer_ = 0;
    double float_ = 0;
    std::string_view text_;
};

std::string Format(std::string_view format, std::initializer_list<FormatArg> args);
