#include "platform/ui/QtPlatform.h"

#include "platform/ui/MessageBoxQt.h"
#include "platform/ui/QtText.h"
#include "platform/win/Clock.h"

#include <QDate>
#include <QLocale>

#include <utility>

std::string ShortDateTextOf(const QLocale& locale, const win::TDate& date) {
    return FromQString(locale.toString(QDate(date.Year, date.Month, date.Day), QLocale::ShortFormat));
}

std::string QtShortDateText(const win::TDate& date) {
    return ShortDateTextOf(QLocale::system(), date);
}

TQtPlatform::TQtPlatform()
    : previousClipboard_(SetClipboard(&clipboard_)),
      previousMessageBox_(win::SetMessageBoxHook(QtMessageBox)),
      previousDateText_(SetShortDateTextHook(QtShortDateText)) {}

TQtPlatform::~TQtPlatform() {
    SetShortDateTextHook(std::move(previousDateText_));
    win::SetMessageBoxHook(std::move(previousMessageBox_));
    SetClipboard(previousClipboard_);
}
