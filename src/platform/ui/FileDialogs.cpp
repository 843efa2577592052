#include "platform/ui/FileDialogs.h"

#include <QFileDialog>
#include <QWidget>

#include <utility>

namespace {

FileDialogHook& Hook() {
    static FileDialogHook hook;
    return hook;
}

std::optional<QString> RunQtDialog(const TFileDialog& dialog) {
    QFileDialog qt(OwnerWindow(dialog.parent()), dialog.Title());
    const bool open = dialog.Kind() == TFileDialog::TKind::Open;
    qt.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    qt.setFileMode(open && dialog.FileMustExist() ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    qt.setOption(QFileDialog::DontConfirmOverwrite, !dialog.OverwritePrompt());
    // The descriptions carry their own masks, as the translations write them.
    qt.setOption(QFileDialog::HideNameFilterDetails, true);
    const QStringList filters = QtNameFilters(dialog.Filter());
    if (!filters.isEmpty()) qt.setNameFilters(filters);
    qt.setDefaultSuffix(dialog.DefaultExt());
    if (!dialog.FileName().isEmpty()) qt.selectFile(dialog.FileName());
    if (qt.exec() != QDialog::Accepted || qt.selectedFiles().isEmpty()) return std::nullopt;
    return qt.selectedFiles().front();
}

}  // namespace

QWidget* OwnerWindow(const QObject* owner) {
    for (; owner; owner = owner->parent()) {
        if (const auto* widget = qobject_cast<const QWidget*>(owner)) return widget->window();
    }
    return nullptr;
}

QStringList QtNameFilters(const QString& filter) {
    QStringList result;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList masks;
        for (const QString& mask : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString trimmed = mask.trimmed();
            masks << (trimmed == QLatin1String("*.*") ? QStringLiteral("*") : trimmed);
        }
        if (masks.isEmpty()) masks << QStringLiteral("*");
        result << parts[i] + QStringLiteral(" (") + masks.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return result;
}

TFileDialog::TFileDialog(TKind kind, QObject* owner) : QObject(owner), kind_(kind) {}

bool TFileDialog::Execute() {
    const std::optional<QString> chosen = Hook() ? Hook()(*this) : RunQtDialog(*this);
    if (!chosen) return false;
    fileName_ = *chosen;
    return true;
}

FileDialogHook SetFileDialogHook(FileDialogHook hook) {
    return std::exchange(Hook(), std::move(hook));
}
