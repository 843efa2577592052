#pragma once
// The shell's "open" verb for the addresses a window shows: web pages and
// mail. Only complete http(s) addresses, "www." addresses and mailto:
// addresses are opened, in the user's browser or mail program; anything else
// (a file, a program, another scheme) is refused.

#include <QString>
#include <QUrl>

#include <functional>

// The address to open for a text, or an invalid URL when the text is not one
// of the accepted kinds. "www.example.com" opens as "http://www.example.com".
QUrl ShellAddress(const QString& text);

// Opens the text's address; false when refused.
bool ShellOpen(const QString& text);

// Opens a URL in the user's program for it (the help pages come this way too)
// by starting the desktop's opener, "xdg-open", without waiting for it.
// `failed`, when given, runs once, later, from the event loop, when the opener
// can't be started, crashes or ends with a non-zero exit code. Tests install a
// hook that records the URL instead; a hook's false counts as such a failure,
// reported at once. False only then.
bool OpenUrl(const QUrl& url, std::function<void()> failed = {});
using OpenUrlHook = std::function<bool(const QUrl& url)>;
// Installs a hook and returns the previous one; an empty hook restores the desktop's.
OpenUrlHook SetOpenUrlHook(OpenUrlHook hook);
