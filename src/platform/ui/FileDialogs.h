#pragma once
// The open and save dialogs as components of their form: named objects with
// the component library's properties, run by Execute. Tests install a hook
// that answers in place of the user.

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QWidget;

// The window of the nearest widget among `owner` and its parents; null when
// none is a widget. Dialogs of a form's components open over it.
QWidget* OwnerWindow(const QObject* owner);

// "desc|mask|desc|mask...", masks separated by ';' -> Qt's name filters
// "desc (mask mask)"; "*.*" means every file and becomes "*", as does an
// empty mask. A description at the end without a mask is left out.
QStringList QtNameFilters(const QString& filter);

class TFileDialog : public QObject {
    Q_OBJECT

public:
    enum class TKind { Open, Save };

    TKind Kind() const { return kind_; }
    const QString& Filter() const { return filter_; }
    void SetFilter(const QString& filter) { filter_ = filter; }
    const QString& Title() const { return title_; }
    void SetTitle(const QString& title) { title_ = title; }
    // Appended (after a dot) to a chosen name without extension.
    const QString& DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(const QString& ext) { defaultExt_ = ext; }
    // Preset before Execute, the chosen file after it.
    const QString& FileName() const { return fileName_; }
    void SetFileName(const QString& fileName) { fileName_ = fileName; }
    // Open: only an existing file can be chosen. Save: replacing a file asks first.
    bool FileMustExist() const { return fileMustExist_; }
    void SetFileMustExist(bool on) { fileMustExist_ = on; }
    bool OverwritePrompt() const { return overwritePrompt_; }
    void SetOverwritePrompt(bool on) { overwritePrompt_ = on; }

    // Runs the dialog over the owner's window; true, with FileName set, when
    // the user chose a file.
    bool Execute();

protected:
    TFileDialog(TKind kind, QObject* owner);

private:
    TKind kind_;
    QString filter_;
    QString title_;
    QString defaultExt_;
    QString fileName_;
    bool fileMustExist_ = false;
    bool overwritePrompt_ = false;
};

class TOpenDialog : public TFileDialog {
    Q_OBJECT

public:
    explicit TOpenDialog(QObject* owner = nullptr) : TFileDialog(TKind::Open, owner) {}
};

class TSaveDialog : public TFileDialog {
    Q_OBJECT

public:
    explicit TSaveDialog(QObject* owner = nullptr) : TFileDialog(TKind::Save, owner) {}
};

// Answers a dialog in place of the user: the chosen file, or nothing for Cancel.
using FileDialogHook = std::function<std::optional<QString>(const TFileDialog& dialog)>;
// Installs a hook and returns the previous one; an empty hook restores the real dialogs.
FileDialogHook SetFileDialogHook(FileDialogHook hook);
