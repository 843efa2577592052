#include "platform/ui/ComponentEvents.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>

#include <utility>

namespace {

class TClickFilter : public QObject {
public:
    TClickFilter(QLabel& label, const QObject* context, std::function<void()> handler)
        : QObject(&label), context_(const_cast<QObject*>(context)), handler_(std::move(handler)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease && context_) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const auto* label = static_cast<QWidget*>(watched);
            // Released outside the label: no click, as with a button.
            if (mouse->button() == Qt::LeftButton && label->rect().contains(mouse->position().toPoint())) {
                RunCommand(handler_);
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QPointer<QObject> context_;
    std::function<void()> handler_;
};

class TExitFilter : public QObject {
public:
    TExitFilter(QLineEdit& edit, const QObject* context, std::function<void()> handler)
        : QObject(&edit), edit_(edit), context_(const_cast<QObject*>(context)), handler_(std::move(handler)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusOut && watched == &edit_ && context_ && MovesWithinWindow(*event)) {
            RunCommand(handler_);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    // Qt names the new focus widget before the old one hears of its loss.
    bool MovesWithinWindow(QEvent& event) const {
        const Qt::FocusReason reason = static_cast<QFocusEvent&>(event).reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
            reason == Qt::MenuBarFocusReason) {
            return false;
        }
        const QWidget* next = QApplication::focusWidget();
        return next && next != &edit_ && next->window() == edit_.window();
    }

    QLineEdit& edit_;
    QPointer<QObject> context_;
    std::function<void()> handler_;
};

}  // namespace

void OnExit(QLineEdit& edit, const QObject* context, std::function<void()> handler) {
    edit.installEventFilter(new TExitFilter(edit, context, std::move(handler)));
}

void OnClick(QLabel& label, const QObject* context, std::function<void()> handler) {
    label.installEventFilter(new TClickFilter(label, context, std::move(handler)));
}
