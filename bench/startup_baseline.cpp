// The floor under the calendar's start-up: a Qt Widgets program that shows one window titled
// "Almanor" with one line of text (so fonts are set up as in any window with text) and does
// nothing else. startup.sh times it beside the calendar.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("December 2026"));
    window.setWindowTitle(QStringLiteral("Almanor"));
    window.resize(427, 451);
    window.show();
    return app.exec();
}
