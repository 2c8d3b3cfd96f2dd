#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Almanor"));
    window.setWindowTitle(QStringLiteral("Almanor"));
    window.resize(427, 385);
    window.show();
    return app.exec();
}
