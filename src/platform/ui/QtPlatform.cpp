#include "platform/ui/QtPlatform.h"

#include "platform/ui/MessageBoxQt.h"
#include "platform/ui/QtText.h"
#include "platform/win/Clock.h"

#include <QCoreApplication>
#include <QDate>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <utility>

std::string ShortDateTextOf(const QLocale& locale, const win::TDate& date) {
    return FromQString(locale.toString(QDate(date.Year, date.Month, date.Day), QLocale::ShortFormat));
}

std::string QtShortDateText(const win::TDate& date) {
    return ShortDateTextOf(QLocale::system(), date);
}

std::unique_ptr<QTranslator> InstallToolkitTranslation(const QLocale& locale) {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator.get())) {
        return nullptr;
    }
    return translator;
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
