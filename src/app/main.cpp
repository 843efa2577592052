#include "platform/base/SysUtils.h"
#include "platform/ui/Form.h"
#include "platform/ui/QtPlatform.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const TQtPlatform platform;
    InitDecimalSeparatorFromLocale();
    // Stands in for the main window until it exists.
    TMainWindowForm window;
    window.setObjectName(QStringLiteral("MainForm"));
    window.setWindowTitle(QStringLiteral("Valdorine"));
    auto* label = new QLabel(QStringLiteral("Valdorine\n\nThe main window is not built yet."), &window);
    label->setAlignment(Qt::AlignCenter);
    window.setCentralWidget(label);
    window.resize(505, 389);
    window.show();
    return app.exec();
}
