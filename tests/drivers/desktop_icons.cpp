// Stands in for the desktop's icon window, as file managers draw the desktop: a window on the
// desktop layer that covers the whole screen, in one colour. Runs until it is killed.
//   desktop_icons [COLOUR]   the colour, "#2e7d32" unless given
#include "platform/Platform.h"

#include <QGuiApplication>
#include <QPainter>
#include <QRasterWindow>
#include <QScreen>

namespace {
class IconWindow final : public QRasterWindow {
  public:
    explicit IconWindow(const QColor& colour) : colour_(colour) {}

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(QRect(QPoint(), size()), colour_);
    }

  private:
    QColor colour_;
};
} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    IconWindow window(QColor(argc > 1 ? argv[1] : "#2e7d32"));
    window.setTitle(QStringLiteral("Desktop Icons"));
    window.setFlag(Qt::FramelessWindowHint);
    window.setGeometry(app.primaryScreen()->geometry());
    window.create();
    Current_Platform().Keep_On_Desktop(&window);
    window.show();
    return app.exec();
}
