// The ends of the start-up: the splash over the calendar and the move of a machine-wide
// run-at-logon entry to the user.
#include "calendar/AppPath.h"
#include "calendar/gui/Splash_Frm.h"
#include "common/CalendarWorld.h"
#include "common/TestMain.h"
#include "registry/Registry.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTimer>

namespace {
const QString Run = QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Run");

// Starts the calendar as the program does, splash and run entry included, but alone.
Main_Frm& Start_Whole(CalendarWorld& world) {
    world.window = std::make_unique<Main_Frm>();
    StartOptions options;
    options.single_instance = false;
    world.window->Form_Load(options);
    world.window->show();
    return *world.window;
}

qint32 Read_Run(const QString& root, QString* text) {
    QVariant result;
    const qint32 status =
        Read_Value(root, Run, QStringLiteral("Almanor"), QStringLiteral("S"), QString(), result);
    *text = result.toString();
    return status;
}
} // namespace

class StartupTest : public QObject {
    Q_OBJECT
  private slots:
    void splash_shows_centred_with_the_picture_and_goes_after_its_time() {
        CalendarWorld world;
        Main_Frm& window = Start_Whole(world);
        const QPointer<Splash_Frm> splash = window.Splash();
        QVERIFY(splash);
        QVERIFY(splash->isVisible());
        QCOMPARE(splash->Label9->text(), QStringLiteral("Almanor"));
        QVERIFY(qAbs(splash->geometry().center().x() - window.geometry().center().x()) <= 1);
        QVERIFY(splash->geometry().top() >= window.geometry().top());
        QVERIFY(splash->geometry().bottom() <= window.geometry().bottom());

        // The picture area shows the program's picture: its red title strip is drawn there.
        const QImage drawn = splash->grab().toImage();
        const QRect picture = splash->Image1->geometry();
        int red = 0;
        for (int y = picture.top(); y <= picture.bottom(); ++y)
            for (int x = picture.left(); x <= picture.right(); ++x)
                if (drawn.pixelColor(x, y).rgb() == QColor(0xc8, 0x3c, 0x3c).rgb())
                    ++red;
        QVERIFY(red > 50);

        QCOMPARE(splash->Start_Timer->interval(), 1500);
        QVERIFY(splash->Start_Timer->isSingleShot());
        // Shown for its whole time, then gone.
        QTest::qWait(1000);
        QVERIFY(splash && splash->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!splash, 5000);
        QVERIFY(window.isVisible());
    }

    void no_splash_when_turned_off() {
        CalendarWorld world;
        world.Set(QStringLiteral("Show Splash"), 0);
        Main_Frm& window = Start_Whole(world);
        QVERIFY(!window.Splash());
    }

    void machine_wide_run_entry_moves_to_the_user() {
        CalendarWorld world;
        QCOMPARE(Write_Value(QStringLiteral("HKLM"), Run, QStringLiteral("Almanor"),
                             QStringLiteral("S"), QStringLiteral("/opt/old/Almanor")),
                 0);
        Start_Whole(world);
        QString text;
        QCOMPARE(Read_Run(QStringLiteral("HKLM"), &text), 2);
        QCOMPARE(Read_Run(QStringLiteral("HKCU"), &text), 0);
        QCOMPARE(text, App_Path() + QLatin1Char('/') +
                           QFileInfo(QCoreApplication::applicationFilePath()).fileName());
    }

    void empty_machine_wide_entry_is_removed_and_nothing_written() {
        CalendarWorld world;
        QCOMPARE(Write_Value(QStringLiteral("HKLM"), Run, QStringLiteral("Almanor"),
                             QStringLiteral("S"), QString()),
                 0);
        Start_Whole(world);
        QString text;
        QCOMPARE(Read_Run(QStringLiteral("HKLM"), &text), 2);
        QCOMPARE(Read_Run(QStringLiteral("HKCU"), &text), 2);
    }

    void without_an_entry_nothing_is_written() {
        CalendarWorld world;
        QCOMPARE(Write_Value(QStringLiteral("HKCU"), Run, QStringLiteral("Almanor"),
                             QStringLiteral("S"), QStringLiteral("/home/me/Almanor")),
                 0);
        Start_Whole(world);
        QString text;
        QCOMPARE(Read_Run(QStringLiteral("HKLM"), &text), 2);
        QCOMPARE(Read_Run(QStringLiteral("HKCU"), &text), 0);
        QCOMPARE(text, QStringLiteral("/home/me/Almanor"));
    }
};

ALMANOR_TEST(StartupTest)
#include "test_startup.moc"
