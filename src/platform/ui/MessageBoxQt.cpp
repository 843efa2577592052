#include "platform/ui/MessageBoxQt.h"

#include "platform/ui/QtText.h"
#include "platform/win/MessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QObject>
#include <QWidget>

#include <vector>

namespace {

constexpr unsigned kDefaultButtonShift = 8;

struct TButtonChoice {
    QMessageBox::StandardButton Button;
    int Id;
};

std::vector<TButtonChoice> ButtonsOf(unsigned flags) {
    using B = QMessageBox::StandardButton;
    switch (flags & win::MB_TYPEMASK) {
        case win::MB_OKCANCEL: return {{B::Ok, win::IDOK}, {B::Cancel, win::IDCANCEL}};
        case win::MB_ABORTRETRYIGNORE:
            return {{B::Abort, win::IDABORT}, {B::Retry, win::IDRETRY}, {B::Ignore, win::IDIGNORE}};
        case win::MB_YESNOCANCEL: return {{B::Yes, win::IDYES}, {B::No, win::IDNO}, {B::Cancel, win::IDCANCEL}};
        case win::MB_YESNO: return {{B::Yes, win::IDYES}, {B::No, win::IDNO}};
        case win::MB_RETRYCANCEL: return {{B::Retry, win::IDRETRY}, {B::Cancel, win::IDCANCEL}};
        default: return {{B::Ok, win::IDOK}};
    }
}

QMessageBox::Icon IconOf(unsigned flags) {
    switch (flags & win::MB_ICONMASK) {
        case win::MB_ICONHAND: return QMessageBox::Critical;
        case win::MB_ICONQUESTION: return QMessageBox::Question;
        case win::MB_ICONEXCLAMATION: return QMessageBox::Warning;
        case win::MB_ICONASTERISK: return QMessageBox::Information;
        default: return QMessageBox::NoIcon;
    }
}

// A box without a Cancel button can't be dismissed by Esc or by closing its
// window, as on Windows: a yes/no question needs an answer. (A button's own
// close of the box is not seen here: QDialog eats that event first.)
class TNoDismissFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) return true;
        if (event->type() == QEvent::Close) {
            event->ignore();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

std::unique_ptr<QMessageBox> CreateMessageBox(const std::string& text, const std::string& caption,
                                              unsigned flags, QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(parent);
    box->setWindowTitle(ToQString(caption));
    box->setTextFormat(Qt::PlainText);
    box->setText(ToQString(text));
    box->setIcon(IconOf(flags));
    const auto buttons = ButtonsOf(flags);
    bool hasCancel = false;
    for (const auto& entry : buttons) {
        box->addButton(entry.Button);
        if (entry.Id == win::IDCANCEL) hasCancel = true;
    }
    const auto defaultIndex = (flags & win::MB_DEFMASK) >> kDefaultButtonShift;
    box->setDefaultButton(buttons[defaultIndex < buttons.size() ? defaultIndex : 0].Button);
    if (hasCancel) {
        box->setEscapeButton(QMessageBox::Cancel);
    } else if (buttons.size() == 1) {
        box->setEscapeButton(buttons.front().Button);
    } else {
        box->installEventFilter(new TNoDismissFilter(box.get()));
    }
    return box;
}

int MessageBoxAnswer(const QMessageBox& box) {
    const auto button = box.standardButton(box.clickedButton());
    switch (button) {
        case QMessageBox::Ok: return win::IDOK;
        case QMessageBox::Cancel: return win::IDCANCEL;
        case QMessageBox::Yes: return win::IDYES;
        case QMessageBox::No: return win::IDNO;
        case QMessageBox::Abort: return win::IDABORT;
        case QMessageBox::Retry: return win::IDRETRY;
        case QMessageBox::Ignore: return win::IDIGNORE;
        default: return 0;
    }
}

int QtMessageBox(const std::string& text, const std::string& caption, unsigned flags) {
    QWidget* parent = QApplication::activeModalWidget();
    if (!parent) parent = QApplication::activeWindow();
    const auto box = CreateMessageBox(text, caption, flags, parent);
    box->exec();
    return MessageBoxAnswer(*box);
}
