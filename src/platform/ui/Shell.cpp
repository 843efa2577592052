#include "platform/ui/Shell.h"

#include "platform/ui/CommandGuard.h"

#include <QCoreApplication>
#include <QProcess>

#include <memory>
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

bool OpenUrl(const QUrl& url, std::function<void()> failed) {
    if (Hook()) {
        if (Hook()(url)) return true;
        if (failed) failed();
        return false;
    }
    // Owned by the application until it ends; it frees itself once the opener has.
    auto* opener = new QProcess(QCoreApplication::instance());
    opener->setProgram(QStringLiteral("xdg-open"));
    opener->setArguments({url.toString(QUrl::FullyEncoded)});
    // Its complaints reach the user through `failed`, not the terminal.
    opener->setStandardOutputFile(QProcess::nullDevice());
    opener->setStandardErrorFile(QProcess::nullDevice());
    auto end = [opener, failed = std::move(failed)](bool ok) mutable {
        // An opener killed because the program quits is nobody's failure.
        if (QCoreApplication::closingDown()) return;
        opener->deleteLater();
        if (!ok && failed) RunCommand(std::exchange(failed, {}));
    };
    auto shared = std::make_shared<decltype(end)>(std::move(end));
    QObject::connect(opener, &QProcess::errorOccurred, opener, [shared](QProcess::ProcessError error) {
        // A crash is also reported as finished, below.
        if (error == QProcess::FailedToStart) (*shared)(false);
    });
    QObject::connect(opener, &QProcess::finished, opener, [shared](int exitCode, QProcess::ExitStatus status) {
        (*shared)(status == QProcess::NormalExit && exitCode == 0);
    });
    opener->start();
    return true;
}

OpenUrlHook SetOpenUrlHook(OpenUrlHook hook) {
    return std::exchange(Hook(), std::move(hook));
}
