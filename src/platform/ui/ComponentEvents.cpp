#include "platform/ui/ComponentEvents.h"

#include <QEvent>
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

}  // namespace

void OnClick(QLabel& label, const QObject* context, std::function<void()> handler) {
    label.installEventFilter(new TClickFilter(label, context, std::move(handler)));
}
