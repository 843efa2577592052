#include "project/ValueHelpers.h"

#include "lang/Languages.h"
#include "platform/base/Controls.h"
#include "platform/base/Exception.h"

#include <charconv>
#include <string>
#include <system_error>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

[[noreturn]] void WrongValue() { throw Exception(LanguageList->GetString("IDS_WRONGVALUE")); }

// Length of the longest prefix of `text` that reads as a decimal number, and
// whether it holds a digit.
std::size_t NumberPrefix(std::string_view text, bool& hasDigit) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    hasDigit = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
    while (i < n && IsDigit(text[i])) {
        ++i;
        hasDigit = true;
    }
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && IsDigit(text[i])) {
            ++i;
            hasDigit = true;
        }
    }
    if (hasDigit && i < n && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < n && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < n && IsDigit(text[j])) {
            while (j < n && IsDigit(text[j])) ++j;
            i = j;
        }
    }
    return i;
}

}  // namespace

double StrToValue(std::string_view text, int mode) {
    std::string number(text);
    for (char& c : number)
        if (c == ',') c = '.';
    if (!number.empty()) {
        const char first = number.front();
        if (!IsDigit(first) && first != '+' && first != '-' && first != '.') WrongValue();
    }
    bool hasDigit = false;
    std::string_view prefix(number.data(), NumberPrefix(number, hasDigit));
    double value = 0;
    if (hasDigit) {
        // from_chars takes no "+"; it is never locale-dependent.
        if (prefix.front() == '+') prefix.remove_prefix(1);
        const auto [end, error] = std::from_chars(prefix.data(), prefix.data() + prefix.size(), value);
        if (error != std::errc() || end != prefix.data() + prefix.size()) WrongValue();
    }
    if (mode == kGreaterThanZero && !(value > 0)) WrongValue();
    if (mode == kZeroOrGreater && value < 0) WrongValue();
    return value;
}

double ControlToValue(IControl& control, int mode) {
    try {
        return StrToValue(control.Text(), mode);
    } catch (const Exception&) {
        control.SetFocus();
        throw;
    }
}
