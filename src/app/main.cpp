#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("Valdorine\n\nThe main window is not built yet."));
    label.setAlignment(Qt::AlignCenter);
    label.resize(420, 160);
    label.show();
    return app.exec();
}
