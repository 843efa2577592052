#pragma once
// The base of every window: the form's own properties (Name is the
// objectName, Caption the window title, Hint, HelpFile, HelpContext), the
// program's colour and font, and the ordered list of its components that
// translation searches by name. Dialogs derive from TForm and run through
// ShowModal; the main window derives from TMainWindowForm.

#include "platform/base/Controls.h"

#include <QColor>
#include <QDialog>
#include <QFont>
#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QAbstractButton;
class QObject;
class QWidget;

// Modal results, with the component library's values.
constexpr int mrNone = 0;
constexpr int mrOk = 1;
constexpr int mrCancel = 2;
constexpr int mrAbort = 3;
constexpr int mrRetry = 4;
constexpr int mrIgnore = 5;
constexpr int mrYes = 6;
constexpr int mrNo = 7;
constexpr int mrAll = 8;
constexpr int mrNoToAll = 9;
constexpr int mrYesToAll = 10;

// A window's frame, with the component library's values; only the sizeable
// frames let the user resize the window.
enum class TFormBorderStyle { bsNone = 0, bsSingle = 1, bsSizeable = 2, bsDialog = 3, bsToolWindow = 4, bsSizeToolWin = 5 };

// Every window, toolbar and status bar: RGB(208, 224, 192) and Arial with a
// character height of 11 pixels (not 11 points).
QColor FormColor();
QFont FormFont();
void ApplyFormStyle(QWidget& widget);

// "short|long": the text before the first bar, and the text after it; a hint
// without a bar is both.
QString ShortHint(const QString& hint);
QString LongHint(const QString& hint);
// Gives a widget, an action or a menu (its entry in the menu bar) the short
// hint as tooltip and the long one as status text, and keeps the whole hint.
void SetComponentHint(QObject& object, const QString& hint);
// The whole hint last set by SetComponentHint; empty when none.
QString ComponentHint(const QObject& object);

class TQtComponent;

class TFormBase : public IForm {
public:
    TFormBase(const TFormBase&) = delete;
    TFormBase& operator=(const TFormBase&) = delete;

    std::string Name() const override;
    std::string Caption() const override;
    void SetCaption(const std::string& caption) override;
    std::string Hint() const override;
    void SetHint(const std::string& hint) override;
    std::string HelpFile() const override;
    void SetHelpFile(const std::string& helpFile) override;
    void SetFontCharset(int charset) override;
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int context) { helpContext_ = context; }
    // F1: the page of HelpContext, from the form's help file or, when it has
    // none, the application's. False when there is nothing to show.
    bool ShowHelp() const;
    // Sizeable unless set otherwise.
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style);

    int ComponentCount() override;
    IComponent& Component(int index) override;
    IComponent* FindComponent(std::string_view name) override;

    // The components in order: the form's named descendants depth-first in
    // creation order (the widgets and actions of setupUi, then what the form
    // made in code with itself as parent), then the objects entered with
    // AddComponent. Qt's own inner objects ("qt_..." names) and unnamed
    // objects are left out; another form among the descendants is listed,
    // its own components are not.
    std::vector<QObject*> ComponentObjects() const;
    // The first component named `name` exactly; null when none.
    QObject* FindComponentObject(const QString& name) const;
    template <class T>
    T* FindComponentAs(const QString& name) const {
        return qobject_cast<T*>(FindComponentObject(name));
    }
    // Enters an object that does not descend from the form (a chart's series,
    // a menu without parent); kept until the object is destroyed.
    void AddComponent(QObject& object);

    QWidget& Window() const { return window_; }

protected:
    // Applies the program's colour and font to the window.
    explicit TFormBase(QWidget& window);
    ~TFormBase() override;

private:
    IComponent& AdapterFor(QObject& object);

    QWidget& window_;
    std::string helpFile_;
    int helpContext_ = 0;
    TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
    std::vector<QPointer<QObject>> added_;
    std::vector<std::unique_ptr<TQtComponent>> adapters_;
    std::vector<IComponent*> listed_;
};

// A dialog window, shown modally.
class TForm : public QDialog, public TFormBase {
    Q_OBJECT

public:
    explicit TForm(QWidget* owner = nullptr);

    // Runs the form modally (or through the installed modal runner) and
    // returns its modal result; closing the window counts as mrCancel.
    int ShowModal();
    int ModalResult() const { return modalResult_; }
    // A result other than mrNone ends the modal run with that result.
    void SetModalResult(int result);
    // A click on the button ends the modal run with `result`.
    void BindModalResult(QAbstractButton& button, int result);

    void accept() override;
    void reject() override;

private:
    int modalResult_ = mrNone;
};

// The program's main window.
class TMainWindowForm : public QMainWindow, public TFormBase {
    Q_OBJECT

public:
    explicit TMainWindowForm(QWidget* parent = nullptr);
};

// Runs a form in place of its modal loop and returns the modal result; tests
// install one so that no dialog ever waits for a user.
using ModalRunner = std::function<int(TForm& form)>;
// Installs a runner and returns the previous one; an empty runner restores exec().
ModalRunner SetModalRunner(ModalRunner runner);
