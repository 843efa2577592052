#include "platform/ui/CursorWait.h"

#include <QCursor>
#include <QGuiApplication>

TCursorWait::TCursorWait() {
    // Without an application object (a tool, a test of the engine) there is no cursor.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        active_ = true;
    }
}

TCursorWait::~TCursorWait() {
    if (active_) QGuiApplication::restoreOverrideCursor();
}
