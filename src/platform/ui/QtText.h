#pragma once
// The one place where program text (Windows-1250 bytes) meets Qt's Unicode.

#include <QString>

#include <string>
#include <string_view>

// Every byte has a character, so ToQString loses nothing.
QString ToQString(std::string_view cp1250);
// Characters that Windows-1250 lacks become '?'.
std::string FromQString(const QString& text);
