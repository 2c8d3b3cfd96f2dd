#include "InteractionWorld.h"
#include "calendar/gui/ColourLabel.h"
#include "common/TestMain.h"
#include "events/BalloonPlacement.h"
#include "events/gui/frmBalloon.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QToolTip>

class BalloonTest : public QObject {
    Q_OBJECT

    // Presses the left button on a day's caption and releases it after ms milliseconds.
    static void Hold(QWidget* caption, int ms) {
        QTimer::singleShot(ms, caption, [caption] {
            QTest::mouseRelease(caption, Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
        });
        QTest::mousePress(caption, Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
        // The press returns after the balloon's wait; let the release come before going on.
        QTest::qWait(ms);
    }

  private slots:
    void titles_say_how_far_the_day_is() {
        QCOMPARE(Balloon_Title(-5), QStringLiteral("5 days ago"));
        QCOMPARE(Balloon_Title(-1), QStringLiteral("Yesterday"));
        QCOMPARE(Balloon_Title(0), QStringLiteral("Today"));
        QCOMPARE(Balloon_Title(1), QStringLiteral("Tomorrow"));
        QCOMPARE(Balloon_Title(2), QStringLiteral("2 days time"));
        QCOMPARE(Balloon_Font_Name(QStringLiteral("Tahoma, if exists"), false),
                 QStringLiteral("MS Sans Serif"));
        QCOMPARE(Balloon_Font_Name(QStringLiteral("Tahoma, if exists"), true),
                 QStringLiteral("Tahoma"));
    }

    void placement_near_the_work_area_edges() {
        // Box at 100..130 pixels down a window whose top is 3000 twips; balloon 1620 twips high.
        // Room below in a 15360-twip work area: just below the box.
        QCOMPARE(GetBalloonTop(100, 30, 15.0, 3000, 1620, 15360), 3000 + 130 * 15);
        // Near the bottom: above the box with a 125-twip gap.
        QCOMPARE(GetBalloonTop(100, 30, 15.0, 12000, 1620, 15360), 12000 + 1500 - 1620 - 125);
        // Exactly touching the edge counts as no room.
        QCOMPARE(GetBalloonTop(100, 30, 15.0, 11790, 1620, 15360), 11790 + 1500 - 1745);
        QCOMPARE(GetBalloonLeft(40, 60, 15.0, 1000, 4680, 19200), 1000 + 100 * 15);
        QCOMPARE(GetBalloonLeft(40, 60, 15.0, 15000, 4680, 19200), 15000 + 600 - 4680);
    }

    void long_press_shows_a_balloon_quick_click_does_not() {
        InteractionWorld world;
        world.Set(QStringLiteral("Tooltips"), 2);
        world.Write_Events(
            {QStringLiteral("12/2/2026=Two & two"), QStringLiteral("5/2/2026=Past")});
        Main_Frm& window = world.Start();
        QVERIFY(world.Caption(12)->toolTip().isEmpty());

        Hold(world.Caption(12), 50);
        QVERIFY(!window.Balloon());
        QVERIFY(!window.Balloon_Showing);

        Hold(world.Caption(12), 500);
        frmBalloon* balloon = window.Balloon();
        QVERIFY(balloon);
        QVERIFY(window.Balloon_Showing);
        QCOMPARE(balloon->lblTitle->text(), QStringLiteral("2 days time"));
        QCOMPARE(balloon->lblText->text(), QStringLiteral("Two & two"));
        QVERIFY(!balloon->imgDisplayIcon->isHidden());
        QVERIFY(!balloon->mask().isEmpty());
        QCOMPARE(window.Hovered_Box, world.Box_Index(12));

        // A click on the balloon closes it.
        QTest::mouseClick(balloon, Qt::LeftButton);
        QTRY_VERIFY(!window.Balloon());
        QVERIFY(!window.Balloon_Showing);

        Hold(world.Caption(5), 500);
        QVERIFY(window.Balloon());
        QCOMPARE(window.Balloon()->lblTitle->text(), QStringLiteral("5 days ago"));

        // A day without a caption shows nothing.
        window.Balloon()->HideBalloon();
        QTRY_VERIFY(!window.Balloon());
        Hold(world.Caption(20), 500);
        QVERIFY(!window.Balloon());
    }

    void click_outside_closes_a_balloon_the_window_manager_never_activated() {
        InteractionWorld world;
        world.Write_Events({QStringLiteral("12/2/2026=Two")});
        Main_Frm& window = world.Start();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto* balloon = new frmBalloon(&window);
        balloon->setAttribute(Qt::WA_ShowWithoutActivating);
        window.Hovered_Box = world.Box_Index(12);
        window.Balloon_Showing = true;
        balloon->SetBalloon(QStringLiteral("2 days time"), QStringLiteral("Two"), 0, 0,
                            QStringLiteral("i"), false, 0, 1620, 4680,
                            QStringLiteral("Tahoma, if exists"), 8);
        balloon->show();
        const QPointer<frmBalloon> shown(balloon);
        // Ticks of its timer with the calendar still active leave it open.
        QTest::qWait(350);
        QVERIFY(shown);
        // A click on another day of the calendar closes it.
        QTest::mouseClick(world.Box(20), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!shown, 1000);
        QVERIFY(!window.Balloon_Showing);
    }

    void tips_show_while_another_program_is_active() {
        InteractionWorld world;
        world.Write_Events({QStringLiteral("12/2/2026=Two")});
        Main_Frm& window = world.Start();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QApplication::setActiveWindow(nullptr);
        QTest::mouseMove(world.Caption(12), QPoint(4, 4));
        QTRY_VERIFY_WITH_TIMEOUT(QToolTip::isVisible(), 3000);
        QVERIFY(!window.isActiveWindow());
        QCOMPARE(QToolTip::text(), QStringLiteral("Two"));
        QToolTip::hideText();

        // A balloon the window manager never activated stays like a tooltip while another
        // program is active and the pointer rests on the calendar or the balloon.
        QVERIFY(Balloon_Stays(BalloonActivity::Other_Program, false, true));
        QVERIFY(!Balloon_Stays(BalloonActivity::Other_Program, false, false));
        QVERIFY(!Balloon_Stays(BalloonActivity::Other_Program, true, true));
        QVERIFY(Balloon_Stays(BalloonActivity::Calendar, false, false));
        QVERIFY(!Balloon_Stays(BalloonActivity::Other_Program_Window, false, true));
    }

    void balloon_wait_survives_a_month_change() {
        InteractionWorld world;
        world.Set(QStringLiteral("Tooltips"), 2);
        world.Write_Events({QStringLiteral("11/2/2026=Soon")});
        Main_Frm& window = world.Start();
        QTimer::singleShot(50, &window, [&window] { window.Next_Month(); });
        QTest::mousePress(world.Caption(11), Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
        QVERIFY(!window.Balloon());
        QCOMPARE(window.ViewMonth, qint16(3));
    }

    void balloon_sits_beside_its_box() {
        InteractionWorld world(QDateTime(QDate(2026, 1, 10), QTime(9, 0)));
        // The 31st is in the last row and the last column of January 2026.
        world.Write_Events({QStringLiteral("31/1/2026=Later")});
        Main_Frm& window = world.Start();
        window.Hovered_Box = world.Box_Index(31);
        window.Balloon_Tooltip(QStringLiteral("Later"));
        frmBalloon* balloon = window.Balloon();
        QVERIFY(balloon);
        QCOMPARE(balloon->lblTitle->text(), QStringLiteral("21 days time"));
        const TwipScale scale = window.Scale();
        const qint32 top =
            window.GetBalloonTop(window.Hovered_Box, scale.Y_Twips(balloon->height()));
        const qint32 left =
            window.GetBalloonLeft(window.Hovered_Box, scale.X_Twips(balloon->width()));
        QCOMPARE(balloon->pos(), scale.Pixels(QPoint(left, top)));
        // The calendar sits at the bottom right of the work area: the balloon goes above and left
        // of the box.
        const QRect box(window.mapToGlobal(world.Box(31)->geometry().topLeft()),
                        world.Box(31)->size());
        QVERIFY(balloon->geometry().bottom() < box.top());
        QVERIFY(balloon->geometry().right() < box.left() + 1);
    }
};

ALMANOR_TEST(BalloonTest)
#include "test_balloon.moc"
