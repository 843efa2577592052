#pragma once
// Number texts typed by the user or read from the data files: "," and "."
// both serve as the decimal point, whatever the process locale.

#include <string_view>

class IControl;

// Which values StrToValue accepts.
constexpr int kAnyValue = 0;
constexpr int kGreaterThanZero = 1;
constexpr int kZeroOrGreater = 2;  // any other mode accepts any value, like 0

// The value of the longest leading decimal number of `text` (sign, digits,
// point, fraction, exponent; characters after it are ignored; no digit at
// all gives 0). Raises Exception with the translated "IDS_WRONGVALUE" when
// the text starts with anything but a digit, "+", "-", "." or ",", when the
// number is beyond double's range (one below it reads as 0), or when the value
// fails the mode's check.
double StrToValue(std::string_view text, int mode);

// StrToValue on the control's text; on failure the control gets the focus
// and the exception goes on to the caller.
double ControlToValue(IControl& control, int mode);
