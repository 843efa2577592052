#pragma once
// Number texts and letter case as the component library's utilities give
// them, never through the process locale (Qt sets it from the environment).
// Texts are Windows-1250 bytes.

#include "platform/base/Exception.h"

#include <cstddef>
#include <string>
#include <string_view>

// The user's decimal separator: used only where numbers are shown to or typed
// by the user in the platform's own format (FloatToStr*, StrToFloat).
// Printf-style texts always use '.'. Starts as '.'.
char DecimalSeparator();
void SetDecimalSeparator(char separator);
// Takes the separator from the user's numeric locale (LC_ALL, else LC_NUMERIC,
// else LANG) without touching the process locale; '.' when that locale is
// unset, unknown to the system, or has no one-byte ASCII separator.
void InitDecimalSeparatorFromLocale();

std::string IntToStr(long long value);

// General format: the shortest of fixed and scientific notation for the given
// number of significant digits (clamped to 1 .. 18), rounded half away from
// zero, trailing zeros and a bare separator dropped, DecimalSeparator as the
// point. Scientific notation when the decimal exponent is below -4 or not
// below the digit count: mantissa, "E", "-" only when negative, exponent
// without leading zeros (1.5E20, 1E-5). Zero (also -0) gives "0"; infinities
// and NaN give "INF", "-INF", "NAN".
std::string FloatToStrG(double value, int significantDigits);
// FloatToStrG with 15 significant digits.
std::string FloatToStr(double value);
// A single-precision value in general format with as few significant digits
// as read back to the same float, so 88.9f gives "88.9" and not the digits of
// its binary approximation; notation chosen as by FloatToStr.
std::string SingleToStr(float value);

// Whole decimal integer in the int range, leading blanks allowed; anything
// else raises EConvertError "'<text>' is not a valid integer value".
int StrToInt(std::string_view text);
// Decimal number with DecimalSeparator as the point (optional sign, digits
// before or after the point, optional exponent), blanks allowed around it;
// anything else, or a value beyond the double range, raises EConvertError
// "'<text>' is not a valid floating point value".
double StrToFloat(std::string_view text);
// The error StrToFloat raises for `text`, for a caller whose own range is narrower.
EConvertError FloatConvertError(std::string_view text);

// Days since 30 December 1899 (the platform's date value) of a calendar date
// of the years 1 to 9999; any other date raises EConvertError
// "'<year>-<month>-<day>' is not a valid date".
double EncodeDate(int year, int month, int day);

// The longest leading decimal number of `text` with '.' as the point:
// optional sign, digits with an optional point (at least one digit), optional
// exponent ("e"/"E", optional sign, digits). Returns the bytes it takes and
// sets `value`; 0 (and value 0) when the text doesn't start with such a number.
// Beyond the double range the value is +-infinity, below it +-0.
std::size_t ParseDoublePrefix(std::string_view text, double& value);
// True when the whole text is such a number within the double range.
bool TryParseDouble(std::string_view text, double& value);

// Letter case of Windows-1250 text (ASCII and the accented letters).
std::string AnsiUpperCase(std::string_view text);
std::string AnsiLowerCase(std::string_view text);
bool AnsiSameText(std::string_view a, std::string_view b);
