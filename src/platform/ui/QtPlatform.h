#pragma once
// Installs the Qt implementations of the program's hooks for as long as the
// object lives: the message box, the clipboard, the short date text. Create
// it right after the application object; the previous hooks come back at its end.

#include "platform/base/Controls.h"
#include "platform/ui/QtClipboard.h"
#include "platform/win/MessageBox.h"

#include <string>

class QLocale;

// A day in a locale's short date format; "" for a day that does not exist.
std::string ShortDateTextOf(const QLocale& locale, const win::TDate& date);
// The same in the user's locale (its date settings).
std::string QtShortDateText(const win::TDate& date);

class TQtPlatform {
public:
    TQtPlatform();
    ~TQtPlatform();
    TQtPlatform(const TQtPlatform&) = delete;
    TQtPlatform& operator=(const TQtPlatform&) = delete;

private:
    TQtClipboard clipboard_;
    IClipboard* previousClipboard_ = nullptr;
    win::MessageBoxHook previousMessageBox_;
    ShortDateTextHook previousDateText_;
};
