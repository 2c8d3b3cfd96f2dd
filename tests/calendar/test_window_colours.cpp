// The calendar window's colours as they are drawn: the frame and header strip from the settings
// or from the desktop, the active and inactive header text, and system colours that follow the
// palette.
#include "calendar/ColourValue.h"
#include "calendar/gui/ColourLabel.h"
#include "common/CalendarWorld.h"
#include "common/TestMain.h"

#include <QApplication>
#include <QImage>
#include <QTest>

namespace {
// The window as drawn now.
QImage Drawn(Main_Frm& window) {
    return window.grab().toImage();
}

// Pixels of exactly colour inside the label's place in the drawn window.
int Pixels_Of(const QImage& drawn, const QWidget* label, const QColor& colour) {
    const QRect place = label->geometry();
    int count = 0;
    for (int y = place.top(); y <= place.bottom(); ++y)
        for (int x = place.left(); x <= place.right(); ++x)
            if (drawn.pixelColor(x, y).rgb() == colour.rgb())
                ++count;
    return count;
}

// The window background as seen through the title strip, left of its centred text.
QColor Strip_Background(const QImage& drawn, const Main_Frm& window) {
    return drawn.pixelColor(window.Which_Month_Lbl->geometry().topLeft() + QPoint(3, 3));
}

// Another window takes the activity from the calendar.
void Activate(QWidget& other) {
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
}
} // namespace

class WindowColoursTest : public QObject {
    Q_OBJECT
  private slots:
    void desktop_colours_from_the_first_paint() {
        CalendarWorld world;
        world.Set(QStringLiteral("Menu Colour Source"), 0, QStringLiteral("Colours"));
        Main_Frm& window = world.Start();
        window.show();
        // No tick of the date watch, no click: dark grey behind the strip from the start.
        QCOMPARE(window.Back_Colour(), Dark_Grey);
        QImage drawn = Drawn(window);
        QCOMPARE(Strip_Background(drawn, window), QColor(75, 75, 75));

        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.Date_Watch_Tick();
        drawn = Drawn(window);
        QVERIFY(Pixels_Of(drawn, window.Which_Month_Lbl, Qt::white) > 10);
        QVERIFY(Pixels_Of(drawn, window.Day_Lbl[0], Qt::white) > 5);
        QCOMPARE(Pixels_Of(drawn, window.Which_Month_Lbl, Qt::black), 0);
    }

    void own_colours_active_and_inactive() {
        CalendarWorld world;
        world.Set(QStringLiteral("Menu Colour Source"), 1, QStringLiteral("Colours"));
        world.Set(QStringLiteral("Back"), 0x00804020, QStringLiteral("Colours"));
        world.Set(QStringLiteral("Fore"), 0x0000FF00, QStringLiteral("Colours"));
        world.Set(QStringLiteral("Inactive"), 0x000000FF, QStringLiteral("Colours"));
        Main_Frm& window = world.Start();
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.Date_Watch_Tick();
        QImage drawn = Drawn(window);
        QCOMPARE(Strip_Background(drawn, window), QColor(0x20, 0x40, 0x80));
        QVERIFY(Pixels_Of(drawn, window.Which_Month_Lbl, QColor(0, 255, 0)) > 10);
        QVERIFY(Pixels_Of(drawn, window.Day_Lbl[6], QColor(0, 255, 0)) > 5);

        // Another window active: the header text in "Inactive", the background as it was.
        QWidget other;
        Activate(other);
        window.Date_Watch_Tick();
        QVERIFY(window.InactiveShown);
        drawn = Drawn(window);
        QCOMPARE(Strip_Background(drawn, window), QColor(0x20, 0x40, 0x80));
        QVERIFY(Pixels_Of(drawn, window.Which_Month_Lbl, QColor(255, 0, 0)) > 10);
        QVERIFY(Pixels_Of(drawn, window.Day_Lbl[3], QColor(255, 0, 0)) > 5);
        QCOMPARE(Pixels_Of(drawn, window.Which_Month_Lbl, QColor(0, 255, 0)), 0);

        // And back.
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.Date_Watch_Tick();
        QVERIFY(!window.InactiveShown);
        drawn = Drawn(window);
        QVERIFY(Pixels_Of(drawn, window.Which_Month_Lbl, QColor(0, 255, 0)) > 10);
    }

    void system_colours_follow_a_palette_change() {
        CalendarWorld world;
        // The defaults: day numbers in the button text colour, inactive headers in the inactive
        // caption colour.
        Main_Frm& window = world.Start();
        window.show();
        QWidget other;
        Activate(other);
        window.Date_Watch_Tick();
        QVERIFY(Is_System_Colour(window.Settings.Num));
        QVERIFY(Is_System_Colour(window.Settings.Inactive));

        const QPalette old_palette = QApplication::palette();
        QPalette palette = old_palette;
        const QColor numbers(0x12, 0x9a, 0x34);
        const QColor inactive(0xa0, 0x10, 0xc0);
        palette.setColor(QPalette::Active, QPalette::ButtonText, numbers);
        palette.setColor(QPalette::Disabled, QPalette::WindowText, inactive);
        QApplication::setPalette(palette);
        QApplication::processEvents();
        const QImage drawn = Drawn(window);
        QApplication::setPalette(old_palette);
        QVERIFY(Pixels_Of(drawn, window.Box_Lbl[20], numbers) > 3);
        QVERIFY(Pixels_Of(drawn, window.Which_Month_Lbl, inactive) > 10);
    }
};

ALMANOR_TEST(WindowColoursTest)
#include "test_window_colours.moc"
