// The general float-to-text format of SysUtils.h.

#include "platform/base/SysUtils.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace {

// A finite non-zero value as decimal digits d1 d2 ... and the exponent of d1.
struct TDecimal {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

// Reads the digits and exponent out of to_chars' scientific text.
TDecimal FromScientific(const char* first, const char* last) {
    TDecimal d;
    const char* p = first;
    if (*p == '-') {
        d.negative = true;
        ++p;
    }
    for (; p != last && *p != 'e'; ++p)
        if (*p != '.') d.digits += *p;
    if (p != last) std::from_chars(p + 1 + (p[1] == '+'), last, d.exponent);
    return d;
}

// Half away from zero on the decimal digits.
void RoundTo(TDecimal& d, std::size_t digits) {
    if (d.digits.size() <= digits) return;
    const bool up = d.digits[digits] >= '5';
    d.digits.resize(digits);
    if (!up) return;
    std::size_t i = digits;
    while (i > 0 && d.digits[i - 1] == '9') d.digits[--i] = '0';
    if (i == 0) {
        d.digits.insert(d.digits.begin(), '1');
        d.digits.pop_back();
        ++d.exponent;
    } else {
        ++d.digits[i - 1];
    }
}

std::string Layout(TDecimal d, int precision) {
    while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
    const char separator = DecimalSeparator();
    std::string out = d.negative ? "-" : "";
    const int n = static_cast<int>(d.digits.size());
    if (d.exponent < -4 || d.exponent >= precision) {
        out += d.digits[0];
        if (n > 1) {
            out += separator;
            out.append(d.digits, 1);
        }
        out += 'E';
        if (d.exponent < 0) out += '-';
        out += std::to_string(std::abs(d.exponent));
    } else if (d.exponent < 0) {
        out += '0';
        out += separator;
        out.append(static_cast<std::size_t>(-d.exponent - 1), '0');
        out += d.digits;
    } else {
        const int whole = d.exponent + 1;
        out.append(d.digits, 0, static_cast<std::size_t>(std::min(whole, n)));
        if (whole > n) out.append(static_cast<std::size_t>(whole - n), '0');
        if (n > whole) {
            out += separator;
            out.append(d.digits, static_cast<std::size_t>(whole));
        }
    }
    return out;
}

// NaN, infinities and zero, which have no digits; empty for other values.
std::string SpecialText(double value) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (value == 0) return "0";
    return {};
}

}  // namespace

std::string FloatToStrG(double value, int significantDigits) {
    if (std::string special = SpecialText(value); !special.empty()) return special;
    const int precision = std::clamp(significantDigits, 1, 18);
    // Like the platform: 18 correctly rounded digits first, then the requested
    // number of digits rounded half away from zero.
    char buffer[40];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 17);
    TDecimal d = FromScientific(buffer, result.ptr);
    RoundTo(d, static_cast<std::size_t>(precision));
    return Layout(d, precision);
}

std::string FloatToStr(double value) {
    return FloatToStrG(value, 15);
}

std::string SingleToStr(float value) {
    if (std::string special = SpecialText(value); !special.empty()) return special;
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    return Layout(FromScientific(buffer, result.ptr), 15);
}
