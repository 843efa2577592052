#include "platform/base/SysUtils.h"

#include "platform/base/Exception.h"
#include "platform/win/CodePage.h"

#include <array>
#include <atomic>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <limits>

#include <langinfo.h>
#include <locale.h>

namespace {

std::atomic<char> decimalSeparator{'.'};

const char* FirstSet(std::initializer_list<const char*> names) {
    for (const char* name : names) {
        const char* value = std::getenv(name);
        if (value && *value) return value;
    }
    return nullptr;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

[[noreturn]] void RaiseConvert(std::string_view text, const char* what) {
    throw EConvertError("'" + std::string(text) + "' is not a valid " + what);
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

}  // namespace

char DecimalSeparator() {
    return decimalSeparator.load(std::memory_order_relaxed);
}

void SetDecimalSeparator(char separator) {
    decimalSeparator.store(separator, std::memory_order_relaxed);
}

void InitDecimalSeparatorFromLocale() {
    char separator = '.';
    if (const char* name = FirstSet({"LC_ALL", "LC_NUMERIC", "LANG"})) {
        // A locale object of our own: asking it leaves the process locale alone.
        if (locale_t locale = ::newlocale(LC_NUMERIC_MASK, name, static_cast<locale_t>(nullptr))) {
            const char* radix = ::nl_langinfo_l(RADIXCHAR, locale);
            if (radix && radix[0] && !radix[1] && static_cast<unsigned char>(radix[0]) < 0x80) separator = radix[0];
            ::freelocale(locale);
        }
    }
    SetDecimalSeparator(separator);
}

std::string IntToStr(long long value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

int StrToInt(std::string_view text) {
    std::string_view rest = text;
    while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
    bool negative = false;
    if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
        negative = rest.front() == '-';
        rest.remove_prefix(1);
    }
    if (rest.empty() || !IsDigit(rest.front())) RaiseConvert(text, "integer value");
    unsigned long long magnitude = 0;
    const auto result = std::from_chars(rest.data(), rest.data() + rest.size(), magnitude);
    const unsigned long long limit = negative ? 1ULL + std::numeric_limits<int>::max() : std::numeric_limits<int>::max();
    if (result.ec != std::errc() || result.ptr != rest.data() + rest.size() || magnitude > limit)
        RaiseConvert(text, "integer value");
    return negative ? static_cast<int>(-static_cast<long long>(magnitude)) : static_cast<int>(magnitude);
}

std::size_t ParseDoublePrefix(std::string_view text, double& value) {
    value = 0;
    std::size_t i = 0;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const std::size_t mantissa = i;
    // Magnitude estimate for out-of-range results: the decimal exponent of the
    // first non-zero digit.
    long long firstDigitExponent = 0;
    bool seenNonZero = false, seenPoint = false;
    std::size_t digits = 0;
    long long integerDigits = 0, leadingFractionZeros = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (IsDigit(c)) {
            ++digits;
            if (!seenPoint && (seenNonZero || c != '0')) ++integerDigits;
            if (seenPoint && !seenNonZero && c == '0') ++leadingFractionZeros;
            seenNonZero = seenNonZero || c != '0';
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }
    if (digits == 0) return 0;
    firstDigitExponent = integerDigits > 0 ? integerDigits - 1 : -leadingFractionZeros - 1;
    std::size_t end = i;
    long long exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        const bool negativeExponent = j < text.size() && text[j] == '-';
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && IsDigit(text[j])) {
            for (; j < text.size() && IsDigit(text[j]); ++j)
                if (exponent < 1'000'000'000) exponent = exponent * 10 + (text[j] - '0');
            if (negativeExponent) exponent = -exponent;
            end = j;
        }
    }
    // from_chars takes no '+' and reads the same grammar otherwise.
    const char* first = text.data() + mantissa;
    const char* last = text.data() + end;
    double magnitude = 0;
    const auto result = std::from_chars(first, last, magnitude);
    if (result.ec == std::errc::result_out_of_range) {
        magnitude = seenNonZero && firstDigitExponent + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (result.ec != std::errc() || result.ptr != last) {
        return 0;  // not reached for the grammar above
    }
    value = negative ? -magnitude : magnitude;
    return end;
}

bool TryParseDouble(std::string_view text, double& value) {
    double parsed = 0;
    if (text.empty() || ParseDoublePrefix(text, parsed) != text.size() || !std::isfinite(parsed)) return false;
    value = parsed;
    return true;
}

double StrToFloat(std::string_view text) {
    const char separator = DecimalSeparator();
    std::string number(TrimBlanks(text));
    for (char& c : number) {
        if (c == separator) {
            c = '.';
        } else if (c == '.') {
            throw FloatConvertError(text);  // only the user's separator is a point here
        }
    }
    double value = 0;
    if (!TryParseDouble(number, value)) throw FloatConvertError(text);
    return value;
}

EConvertError FloatConvertError(std::string_view text) {
    return EConvertError("'" + std::string(text) + "' is not a valid floating point value");
}

double EncodeDate(int year, int month, int day) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const auto leap = [](long y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; };
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > kDays[month - 1] + (month == 2 && leap(year) ? 1 : 0))
        throw EConvertError("'" + IntToStr(year) + "-" + IntToStr(month) + "-" + IntToStr(day) +
                            "' is not a valid date");
    // Whole days before the year, then before the month, counted from 1 January of year 1.
    const long y = year - 1;
    long days = y * 365 + y / 4 - y / 100 + y / 400;
    for (int m = 1; m < month; ++m) days += kDays[m - 1] + (m == 2 && leap(year) ? 1 : 0);
    days += day - 1;
    // 30 December 1899 is day 693593 of that count.
    return static_cast<double>(days - 693593);
}

std::string AnsiUpperCase(std::string_view text) {
    return win::UpperCase1250(text);
}

std::string AnsiLowerCase(std::string_view text) {
    return win::LowerCase1250(text);
}

bool AnsiSameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (win::LowerCase1250(static_cast<unsigned char>(a[i])) != win::LowerCase1250(static_cast<unsigned char>(b[i]))) return false;
    return true;
}
