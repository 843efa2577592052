#include "project/ValueHelpers.h"

#include "lang/Languages.h"
#include "platform/base/Controls.h"
#include "platform/base/Exception.h"
#include "platform/base/SysUtils.h"

#include <cmath>
#include <string>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

[[noreturn]] void WrongValue() { throw Exception(LanguageList->GetString("IDS_WRONGVALUE")); }

}  // namespace

double StrToValue(std::string_view text, int mode) {
    std::string number(text);
    for (char& c : number)
        if (c == ',') c = '.';
    if (!number.empty()) {
        const char first = number.front();
        if (!IsDigit(first) && first != '+' && first != '-' && first != '.') WrongValue();
    }
    // A number below a double's range reads as 0, as the conversion gives it;
    // only one beyond that range is refused.
    double value = 0;
    (void)ParseDoublePrefix(number, value);
    if (!std::isfinite(value)) WrongValue();
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
