#pragma once
// The font dialog as a component of its form: a named object holding the
// font it starts with and the one the user chose, run by Execute. Tests
// install a hook that answers in place of the user.

#include <QFont>
#include <QObject>

#include <functional>
#include <optional>

class TFontDialog : public QObject {
    Q_OBJECT

public:
    explicit TFontDialog(QObject* owner = nullptr);

    // Preset before Execute, the chosen font after it.
    QFont& Font() { return font_; }
    const QFont& Font() const { return font_; }

    // Runs the dialog over the owner's window; true, with Font set, when the
    // user confirmed a font.
    bool Execute();

private:
    QFont font_;
};

// Answers the dialog in place of the user: the chosen font, or nothing for Cancel.
using FontDialogHook = std::function<std::optional<QFont>(const TFontDialog& dialog)>;
// Installs a hook and returns the previous one; an empty hook restores the real dialog.
FontDialogHook SetFontDialogHook(FontDialogHook hook);
