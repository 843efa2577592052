#include "platform/ui/Shell.h"

#include <QDesktopServices>

#include <utility>

namespace {

OpenUrlHook& Hook() {
    static OpenUrlHook hook;
    return hook;
}

}  // namespace

QUrl ShellAddress(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.contains(QLatin1Char(' '))) return {};
    QString address = trimmed;
    if (address.startsWith(QLatin1String("www."), Qt::CaseInsensitive)) address.prepend(QLatin1String("http://"));
    QUrl url(address, QUrl::StrictMode);
    if (!url.isValid()) return {};
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https")) {
        return url.host().isEmpty() ? QUrl() : url;
    }
    if (scheme == QLatin1String("mailto")) {
        return url.path().contains(QLatin1Char('@')) ? url : QUrl();
    }
    return {};
}

bool ShellOpen(const QString& text) {
    const QUrl url = ShellAddress(text);
    return url.isValid() && OpenUrl(url);
}

bool OpenUrl(const QUrl& url) {
    if (Hook()) return Hook()(url);
    return QDesktopServices::openUrl(url);
}

OpenUrlHook SetOpenUrlHook(OpenUrlHook hook) {
    return std::exchange(Hook(), std::move(hook));
}
