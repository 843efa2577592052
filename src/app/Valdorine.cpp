#include "app/Main.h"
#include "lang/Languages.h"
#include "platform/base/SysUtils.h"
#include "platform/ui/CommandGuard.h"
#include "platform/ui/QtPlatform.h"

#include <QApplication>
#include <QLocale>
#include <QTranslator>

#include <memory>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const TQtPlatform platform;
    // Qt's buttons and file dialogs speak the user's language, like the system's.
    const auto toolkitTexts = InstallToolkitTranslation(QLocale::system());
    InitDecimalSeparatorFromLocale();
    LanguageList = std::make_unique<TLanguages>();
    int result = 1;
    // A failure while the window is built is shown instead of ending the
    // program silently.
    RunCommand([&] {
        auto* window = new TMainForm;
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->show();
        result = app.exec();
    });
    LanguageList.reset();
    return result;
}
