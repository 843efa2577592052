#include "platform/ui/FontDialog.h"

#include "platform/ui/FileDialogs.h"

#include <QFontDialog>

#include <utility>

namespace {

FontDialogHook& Hook() {
    static FontDialogHook hook;
    return hook;
}

}  // namespace

TFontDialog::TFontDialog(QObject* owner) : QObject(owner) {}

bool TFontDialog::Execute() {
    std::optional<QFont> chosen;
    if (Hook()) {
        chosen = Hook()(*this);
    } else {
        bool ok = false;
        const QFont font = QFontDialog::getFont(&ok, font_, OwnerWindow(parent()));
        if (ok) chosen = font;
    }
    if (!chosen) return false;
    font_ = *chosen;
    return true;
}

FontDialogHook SetFontDialogHook(FontDialogHook hook) {
    return std::exchange(Hook(), std::move(hook));
}
