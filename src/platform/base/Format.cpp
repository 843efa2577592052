#include "platform/base/Format.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

struct TField {
    bool left = false, plus = false, space = false, alternate = false, zero = false;
    int width = 0;
    int precision = -1;  // -1: none given
    char conversion = 0;
};

void Pad(std::string& out, std::string_view sign, std::string_view body, const TField& field, bool zeroAllowed) {
    const std::size_t length = sign.size() + body.size();
    const std::size_t fill = static_cast<std::size_t>(field.width) > length ? field.width - length : 0;
    if (field.left) {
        out += sign;
        out += body;
        out.append(fill, ' ');
    } else if (field.zero && zeroAllowed) {
        out += sign;
        out.append(fill, '0');
        out += body;
    } else {
        out.append(fill, ' ');
        out += sign;
        out += body;
    }
}

std::string_view SignOf(bool negative, const TField& field) {
    return negative ? "-" : field.plus ? "+" : field.space ? " " : "";
}

void FormatText(std::string& out, const TField& field, std::string_view text) {
    if (field.precision >= 0) text = text.substr(0, static_cast<std::size_t>(field.precision));
    Pad(out, "", text, field, false);
}

void FormatInteger(std::string& out, const TField& field, long long value) {
    const unsigned long long magnitude =
        value < 0 ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude);
    std::string digits(buffer, result.ptr);
    if (field.precision == 0 && magnitude == 0) digits.clear();
    if (field.precision > static_cast<int>(digits.size())) digits.insert(0, field.precision - digits.size(), '0');
    Pad(out, SignOf(value < 0, field), digits, field, field.precision < 0);
}

std::string ToChars(double magnitude, std::chars_format format, int precision) {
    // Fixed notation of the largest double has 309 digits before the point.
    std::string text(static_cast<std::size_t>(precision) + 330, '\0');
    const auto result = std::to_chars(text.data(), text.data() + text.size(), magnitude, format, precision);
    text.resize(static_cast<std::size_t>(result.ptr - text.data()));
    return text;
}

int ExponentOf(const std::string& scientific) {
    int exponent = 0;
    const std::size_t e = scientific.find('e');
    const char* first = scientific.data() + e + 1;
    if (*first == '+') ++first;
    std::from_chars(first, scientific.data() + scientific.size(), exponent);
    return exponent;
}

// "#": a point even when no digit follows it.
void EnsurePoint(std::string& body) {
    if (body.find('.') != std::string::npos) return;
    body.insert(std::min(body.find('e'), body.size()), 1, '.');
}

void StripTrailingZeros(std::string& body) {
    const std::size_t point = body.find('.');
    if (point == std::string::npos) return;
    const std::size_t e = std::min(body.find('e'), body.size());
    std::size_t end = e;
    while (end > point + 1 && body[end - 1] == '0') --end;
    if (end == point + 1) end = point;
    body.erase(end, e - end);
}

void FormatFloat(std::string& out, const TField& field, double value) {
    const bool upper = field.conversion == 'E' || field.conversion == 'G';
    const std::string_view sign = SignOf(std::signbit(value), field);
    if (!std::isfinite(value)) {
        const char* text = std::isnan(value) ? (upper ? "NAN" : "nan") : (upper ? "INF" : "inf");
        Pad(out, sign, text, field, false);
        return;
    }
    const double magnitude = std::fabs(value);
    const int precision = field.precision < 0 ? 6 : field.precision;
    std::string body;
    switch (field.conversion) {
        case 'f':
            body = ToChars(magnitude, std::chars_format::fixed, precision);
            if (field.alternate) EnsurePoint(body);
            break;
        case 'e':
        case 'E':
            body = ToChars(magnitude, std::chars_format::scientific, precision);
            if (field.alternate) EnsurePoint(body);
            break;
        default: {  // g, G: fixed unless the exponent is below -4 or not below the precision
            const int significant = precision == 0 ? 1 : precision;
            body = ToChars(magnitude, std::chars_format::scientific, significant - 1);
            const int exponent = ExponentOf(body);
            if (exponent >= -4 && exponent < significant)
                body = ToChars(magnitude, std::chars_format::fixed, significant - 1 - exponent);
            if (field.alternate) {
                EnsurePoint(body);
            } else {
                StripTrailingZeros(body);
            }
        }
    }
    if (upper) std::replace(body.begin(), body.end(), 'e', 'E');
    Pad(out, sign, body, field, true);
}

// Reads digits at `i`; true when the number stays within the field limit.
bool ReadField(std::string_view format, std::size_t& i, int& number) {
    bool fits = true;
    number = 0;
    for (; i < format.size() && format[i] >= '0' && format[i] <= '9'; ++i) {
        number = number * 10 + (format[i] - '0');
        if (number > kFormatMaxField) {
            fits = false;
            number = kFormatMaxField;  // keeps reading the digits without overflow
        }
    }
    return fits;
}

bool KindOf(char conversion, FormatArg::Kind& kind) {
    switch (conversion) {
        case 's': kind = FormatArg::Kind::Text; return true;
        case 'd':
        case 'i': kind = FormatArg::Kind::Integer; return true;
        case 'f':
        case 'e':
        case 'E':
        case 'g':
        case 'G': kind = FormatArg::Kind::Float; return true;
        default: return false;
    }
}

}  // namespace

std::string Format(std::string_view format, std::initializer_list<FormatArg> args) {
    std::string out;
    out.reserve(format.size() + 16);
    const FormatArg* next = args.begin();
    std::size_t i = 0;
    while (i < format.size()) {
        const std::size_t start = i;
        if (format[i] != '%') {
            const std::size_t percent = std::min(format.find('%', i), format.size());
            out.append(format, i, percent - i);
            i = percent;
            continue;
        }
        ++i;
        if (i < format.size() && format[i] == '%') {
            out += '%';
            ++i;
            continue;
        }
        TField field;
        for (; i < format.size(); ++i) {
            const char c = format[i];
            if (c == '-') field.left = true;
            else if (c == '+') field.plus = true;
            else if (c == ' ') field.space = true;
            else if (c == '#') field.alternate = true;
            else if (c == '0') field.zero = true;
            else break;
        }
        bool fits = ReadField(format, i, field.width);
        if (i < format.size() && format[i] == '.') {
            ++i;
            fits = ReadField(format, i, field.precision) && fits;
        }
        FormatArg::Kind kind{};
        if (i == format.size() || !fits || !KindOf(format[i], kind)) {
            // Not a conversion we carry out: what was read stays as text, and
            // the character that stopped it is looked at anew.
            out.append(format, start, i - start);
            continue;
        }
        field.conversion = format[i++];
        if (next == args.end() || next->GetKind() != kind) {
            out.append(format, start, i - start);
            continue;
        }
        switch (kind) {
            case FormatArg::Kind::Text: FormatText(out, field, next->Text()); break;
            case FormatArg::Kind::Integer: FormatInteger(out, field, next->Integer()); break;
            case FormatArg::Kind::Float: FormatFloat(out, field, next->Float()); break;
        }
        ++next;
    }
    return out;
}
