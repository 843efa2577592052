#pragma once
// Installs the Qt implementations of the program's hooks for as long as the
// object lives: the message box, the clipboard, the short date text. Create
// it right after the application object; the previous hooks come back at its end.

#include "platform/base/Controls.h"
#include "platform/ui/QtClipboard.h"
#include "platform/win/MessageBox.h"

#include <memory>
#include <string>

class QLocale;
class QTranslator;

// A day in a locale's short date format; "" for a day that does not exist.
std::string ShortDateTextOf(const QLocale& locale, const win::TDate& date);
// The same in the user's locale (its date settings).
std::string QtShortDateText(const win::TDate& date);

// Qt's own texts (message-box buttons, the file dialogs) in the locale's
// language, as the system's own dialogs speak the user's language whatever
// the program's. Installed while the returned object lives; null when Qt has
// no translation for that language (its texts stay English).
std::unique_ptr<QTranslator> InstallToolkitTranslation(const QLocale& locale);

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
