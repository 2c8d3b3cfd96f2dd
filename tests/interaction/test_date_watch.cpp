#include "InteractionWorld.h"
#include "calendar/PlacementRules.h"
#include "calendar/gui/ColourLabel.h"
#include "common/TestMain.h"
#include "events/gui/Edit_Frm.h"
#include "platform/DayChangeWatch.h"

#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {
void Send_Mouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button,
                Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), target->mapToGlobal(QPointF(at)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// Presses the title strip, moves the mouse by offset and releases it there. The label moves with
// the window, so after the move the pointer is again at the press point inside the label.
void Drag_Title(Main_Frm& window, QPoint offset) {
    QWidget* title = window.Which_Month_Lbl;
    const QPoint start(10, 5);
    Send_Mouse(title, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    Send_Mouse(title, QEvent::MouseMove, start + offset, Qt::NoButton, Qt::LeftButton);
    Send_Mouse(title, QEvent::MouseButtonRelease, start, Qt::LeftButton, Qt::NoButton);
}
// A menu the user leaves open over midnight: the date watch ticks while it is shown, then the
// menu answers choice.
class MenuOpenPastMidnight final : public PopMenuPresenter {
  public:
    MenuOpenPastMidnight(InteractionWorld& world, QDateTime closed_at, qint32 choice)
        : world_(world), closed_at_(std::move(closed_at)), choice_(choice) {
        Set_Pop_Menu_Presenter(this);
    }
    ~MenuOpenPastMidnight() override { Set_Pop_Menu_Presenter(&world_.menus); }
    MenuOpenPastMidnight(const MenuOpenPastMidnight&) = delete;
    MenuOpenPastMidnight& operator=(const MenuOpenPastMidnight&) = delete;

    qint32 Track(const QList<PopMenuItem>&, QWidget*) override {
        world_.clock.Set(closed_at_);
        world_.window->Date_Watch_Tick();
        return choice_;
    }

  private:
    InteractionWorld& world_;
    QDateTime closed_at_;
    qint32 choice_;
};

// The same for a message box: the first "Today: " alert stays open over midnight.
class AlertOpenPastMidnight final : public MsgBoxPresenter {
  public:
    AlertOpenPastMidnight(InteractionWorld& world, QDateTime closed_at)
        : world_(world), closed_at_(std::move(closed_at)) {
        Set_Msg_Box_Presenter(this);
    }
    ~AlertOpenPastMidnight() override { Set_Msg_Box_Presenter(&world_.boxes); }
    AlertOpenPastMidnight(const AlertOpenPastMidnight&) = delete;
    AlertOpenPastMidnight& operator=(const AlertOpenPastMidnight&) = delete;

    MsgAnswer Show(const MsgBoxRequest& request) override {
        shown.append(request);
        if (shown.size() == 1) {
            world_.clock.Set(closed_at_);
            world_.window->Date_Watch_Tick();
        }
        return MsgAnswer::Ok;
    }
    QList<MsgBoxRequest> shown;

  private:
    InteractionWorld& world_;
    QDateTime closed_at_;
};

QStringList Captions(const Main_Frm& window) {
    QStringList texts;
    for (const ColourLabel* caption : window.Box_Caption_Lbl)
        if (!caption->Shown_Text().simplified().isEmpty())
            texts.append(caption->Shown_Text().simplified());
    return texts;
}
} // namespace

class DateWatchTest : public QObject {
    Q_OBJECT
  private slots:
    void new_year_at_midnight_within_one_tick() {
        InteractionWorld world(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59, 950)));
        world.Write_Events({QStringLiteral("1/1/9999=New Year")});
        Main_Frm& window = world.Start();
        window.Show_Month(6, 2026);
        window.Alert_Shown = true;
        window.Date_Watch_Tick();
        QCOMPARE(window.ViewMonth, qint16(6));

        world.clock.Advance_Ms(100);
        window.Date_Watch_Tick();
        QCOMPARE(window.DayStamp, QStringLiteral("1:1:2027"));
        QCOMPARE(window.ViewMonth, qint16(1));
        QCOMPARE(window.ViewYear, qint16(2027));
        QCOMPARE(world.Caption(1)->Shown_Text().simplified(), QStringLiteral("New Year"));
        QCOMPARE(world.Box(1)->Back_Colour(), window.Settings.Today);
        // The day's event is announced again on the new day.
        QCOMPARE(world.boxes.shown.size(), 1);
        QVERIFY(world.boxes.shown[0].text.startsWith(QStringLiteral("Today: ")));
    }

    void day_menu_left_open_past_midnight_acts_on_the_day_it_was_opened_on() {
        InteractionWorld world(QDateTime(QDate(2026, 3, 31), QTime(23, 59, 57)));
        world.Write_Events({QStringLiteral("5/3/2026=Dentist"), QStringLiteral("2/4/2026=Lunch")});
        Main_Frm& window = world.Start();
        // 5 March and 2 April share a box number.
        QCOMPARE(world.Box_Index(5), qint16(window.Start_Box(4, 2026) + 1));
        {
            MenuOpenPastMidnight menu(world, QDateTime(QDate(2026, 4, 1), QTime(0, 0, 0, 50)), 1);
            QTest::mousePress(world.Caption(5), Qt::RightButton);
        }
        QCOMPARE(window.ViewMonth, qint16(4));
        QCOMPARE(world.Events(), QStringList{QStringLiteral("2/4/2026=Lunch")});
        QCOMPARE(world.Caption(2)->Shown_Text().simplified(), QStringLiteral("Lunch"));

        // "Edit" opens the editor on the chosen day, and its save leaves the shown month alone.
        window.Show_Month(3, 2026);
        {
            MenuOpenPastMidnight menu(world, QDateTime(QDate(2026, 4, 2), QTime(0, 0, 1)), 2);
            QTest::mousePress(world.Box(5), Qt::RightButton);
        }
        QCOMPARE(window.ViewMonth, qint16(4));
        Edit_Frm* editor = window.Editor();
        QVERIFY(editor);
        QCOMPARE(editor->Day(), QDate(2026, 3, 5));
        QCOMPARE(editor->Message_Text(), QString());
        QTest::keyClicks(editor->Message_Txt, QStringLiteral("Dentist again"));
        editor->Ok_Btn->click();
        QCOMPARE(world.Events(), (QStringList{QStringLiteral("2/4/2026=Lunch"),
                                              QStringLiteral("5/3/2026=Dentist again")}));
        QCOMPARE(Captions(window), QStringList{QStringLiteral("Lunch")});
    }

    void alert_left_open_past_midnight_leaves_the_new_month_alone() {
        InteractionWorld world(QDateTime(QDate(2026, 3, 31), QTime(23, 59, 59, 900)));
        world.Write_Events({QStringLiteral("31/3/2026=Due"), QStringLiteral("20/3/2026=Late"),
                            QStringLiteral("25/4/2026=April")});
        Main_Frm& window = world.Start();
        window.Alert_Shown = false;
        {
            AlertOpenPastMidnight alert(world, QDateTime(QDate(2026, 4, 1), QTime(0, 0, 0, 10)));
            window.Show_Month(3, 2026);
            QCOMPARE(alert.shown.size(), 1);
        }
        QCOMPARE(window.ViewMonth, qint16(4));
        QCOMPARE(Captions(window), QStringList{QStringLiteral("April")});
    }

    void auto_compact_after_idle_time_and_back_on_hover() {
        InteractionWorld world;
        world.Set(QStringLiteral("Auto Compact"), 1);
        Main_Frm& window = world.Start();
        const int full_height = window.height();
        world.clock.Advance_Ms(44'000);
        window.Date_Watch_Tick();
        QVERIFY(!window.Compacted);
        // Mouse activity over the boxes moves the deadline.
        Send_Mouse(world.Box(12), QEvent::MouseMove, QPoint(3, 3), Qt::NoButton, Qt::NoButton);
        world.clock.Advance_Ms(44'000);
        window.Date_Watch_Tick();
        QVERIFY(!window.Compacted);
        world.clock.Advance_Ms(1'000);
        window.Date_Watch_Tick();
        QVERIFY(window.Compacted);
        QVERIFY(window.AutoCompacted);
        QCOMPARE(window.height(), window.Scale().Y_Pixels(425));
        QVERIFY(!window.Prev_Month_Lbl->isVisible());

        Send_Mouse(window.Which_Month_Lbl, QEvent::MouseMove, QPoint(20, 5), Qt::NoButton,
                   Qt::NoButton);
        QVERIFY(!window.Compacted);
        QVERIFY(!window.AutoCompacted);
        QCOMPARE(window.height(), full_height);
        QCOMPARE(window.Compact_Deadline, world.clock.Now().addSecs(45));
    }

    void hand_compact_needs_a_double_click_and_an_open_editor_holds_the_deadline() {
        InteractionWorld world;
        world.Set(QStringLiteral("Auto Compact"), 1);
        world.Set(QStringLiteral("Timeout Format"), 1);
        world.Set(QStringLiteral("Timeout Value"), 600);
        Main_Frm& window = world.Start();
        // Minutes: 600 of them would overflow 16 bits in seconds.
        QCOMPARE(window.Compact_Deadline, world.clock.Now().addSecs(36'000));

        QTest::mouseDClick(window.Which_Month_Lbl, Qt::LeftButton);
        QVERIFY(window.Compacted);
        QVERIFY(!window.AutoCompacted);
        Send_Mouse(window.Which_Month_Lbl, QEvent::MouseMove, QPoint(20, 5), Qt::NoButton,
                   Qt::NoButton);
        QVERIFY(window.Compacted);
        QTest::mouseDClick(window.Which_Month_Lbl, Qt::LeftButton);
        QVERIFY(!window.Compacted);

        window.Edit_Box(world.Box_Index(3));
        world.clock.Advance_Ms(40'000'000);
        window.Date_Watch_Tick();
        QVERIFY(!window.Compacted);
    }

    void work_area_changes_are_followed_one_value_per_tick() {
        TwipRect memo{0, 0, 100, 100};
        const TwipRect now{5, 6, 70, 80};
        QList<TwipRect> steps;
        while (Absorb_Work_Area_Change(memo, now))
            steps.append(memo);
        QCOMPARE(steps, (QList<TwipRect>{
                            {0, 0, 100, 80}, {0, 0, 70, 80}, {0, 6, 70, 80}, {5, 6, 70, 80}}));

        InteractionWorld world;
        Main_Frm& window = world.Start();
        const TwipRect real = window.WorkAreaMemo;
        window.WorkAreaMemo = {real.left + 450, real.top, real.width - 450, real.height - 600};
        window.move(0, 0);
        int ticks = 0;
        while (!(window.WorkAreaMemo == real) && ticks < 10) {
            window.Date_Watch_Tick();
            ++ticks;
        }
        QCOMPARE(ticks, 3);
        const TwipScale scale = window.Scale();
        QCOMPARE(scale.X_Twips(window.x()) + scale.X_Twips(window.width()), real.left + real.width);
    }

    // The watch sleeps between wake-ups: each is armed for when the window's text can change.
    void title_clock_wakes_at_its_next_change_only() {
        InteractionWorld world(QDateTime(QDate(2026, 12, 7), QTime(9, 0, 30, 250)));
        Main_Frm& window = world.Start();
        // No clock in the title: nothing to wake for but the next midnight.
        QVERIFY(!window.Title_Clock_Timer->isActive());
        QVERIFY(!window.Compact_Timer->isActive());
        QVERIFY(!window.Dectect_Date_Timer->isActive());
        QVERIFY(window.Day_Watch->Armed());
        QCOMPARE(window.Day_Watch->Armed_Delay_Ms(),
                 world.clock.Now().msecsTo(QDateTime(QDate(2026, 12, 8), QTime(0, 0))));

        window.Settings.Bar_Time = true;
        window.Settings.Bar_Time_Format = QStringLiteral("H:mm");
        window.Date_Watch_Tick();
        QVERIFY(window.Which_Month_Lbl->text().startsWith(QStringLiteral("9:00 - ")));
        QVERIFY(window.Title_Clock_Timer->isActive());
        QCOMPARE(window.Title_Clock_Timer->interval(), 29'750);

        window.Settings.Bar_Time_Format = QStringLiteral("H:mm:ss");
        window.Date_Watch_Tick();
        QCOMPARE(window.Title_Clock_Timer->interval(), 750);
        // The timer itself advances the clock in the title.
        world.clock.Advance_Ms(800);
        QTRY_VERIFY(window.Which_Month_Lbl->text().startsWith(QStringLiteral("9:00:31 - ")));

        // Another month shows no clock; back at today's month the clock runs again.
        window.Next_Month();
        QVERIFY(!window.Title_Clock_Timer->isActive());
        window.Previous_Month();
        QVERIFY(window.Title_Clock_Timer->isActive());
    }

    void midnight_and_clock_changes_wake_the_watch() {
        InteractionWorld world(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59, 900)));
        Main_Frm& window = world.Start();
        QCOMPARE(window.Day_Watch->Armed_Delay_Ms(), 100);
        // No tick from the test: the day watch's own wake-up rolls the calendar over.
        world.clock.Advance_Ms(200);
        QTRY_COMPARE(window.DayStamp, QStringLiteral("1:1:2027"));
        QCOMPARE(window.ViewYear, qint16(2027));
        QCOMPARE(window.Day_Watch->Armed_Delay_Ms(), 86'400'000 - 100);

        // The clock set forward by days, then back: each change is a wake-up of its own.
        world.clock.Set(QDateTime(QDate(2027, 3, 9), QTime(3, 0)));
        emit window.Day_Watch->Changed();
        QCOMPARE(window.DayStamp, QStringLiteral("9:3:2027"));
        QCOMPARE(window.ViewMonth, qint16(3));
        QCOMPARE(window.Day_Watch->Armed_Delay_Ms(), 21 * 3'600'000);
        world.clock.Set(QDateTime(QDate(2027, 2, 28), QTime(22, 0)));
        emit window.Day_Watch->Changed();
        QCOMPARE(window.DayStamp, QStringLiteral("28:2:2027"));
        QCOMPARE(window.ViewMonth, qint16(2));
        QCOMPARE(window.Day_Watch->Armed_Delay_Ms(), 2 * 3'600'000);
    }

    void compact_deadline_is_a_single_timer() {
        InteractionWorld world;
        world.Set(QStringLiteral("Auto Compact"), 1);
        world.Set(QStringLiteral("Timeout Value"), 2);
        Main_Frm& window = world.Start();
        // Reached when less than a whole second is left.
        QVERIFY(window.Compact_Timer->isActive());
        QCOMPARE(window.Compact_Timer->interval(), 1'001);
        // The pointer moves the deadline, and the timer with it.
        world.clock.Advance_Ms(1'500);
        Send_Mouse(world.Box(12), QEvent::MouseMove, QPoint(3, 3), Qt::NoButton, Qt::NoButton);
        QCOMPARE(window.Compact_Deadline, world.clock.Now().addSecs(2));
        QCOMPARE(window.Compact_Timer->interval(), 1'001);
        // The timer compacts the window once the clock has reached the deadline.
        world.clock.Advance_Ms(1'200);
        QTRY_VERIFY_WITH_TIMEOUT(window.Compacted, 3'000);
        QVERIFY(window.AutoCompacted);
        QVERIFY(!window.Compact_Timer->isActive());
        // Leaving compact mode starts a new deadline.
        Send_Mouse(window.Which_Month_Lbl, QEvent::MouseMove, QPoint(20, 5), Qt::NoButton,
                   Qt::NoButton);
        QVERIFY(!window.Compacted);
        QVERIFY(window.Compact_Timer->isActive());
    }

    void activation_alone_recolours_the_header() {
        InteractionWorld world;
        Main_Frm& window = world.Start();
        window.activateWindow();
        QTRY_VERIFY(!window.InactiveShown);
        const qint32 active = window.Which_Month_Lbl->Fore_Colour();
        QWidget other;
        other.resize(50, 50);
        other.show();
        other.activateWindow();
        QTRY_VERIFY(window.InactiveShown);
        QCOMPARE(window.Which_Month_Lbl->Fore_Colour(), window.Settings.Inactive);
        window.activateWindow();
        QTRY_VERIFY(!window.InactiveShown);
        QCOMPARE(window.Which_Month_Lbl->Fore_Colour(), active);
    }

    void drag_by_the_title_strip() {
        InteractionWorld world;
        Main_Frm& window = world.Start();
        const QPoint before = window.pos();
        // Across only: the place is stored, no question.
        Drag_Title(window, QPoint(-40, 0));
        QCOMPARE(window.pos(), before + QPoint(-40, 0));
        QVERIFY(world.boxes.shown.isEmpty());
        const TwipScale scale = window.Scale();
        QCOMPARE(world.Stored(QStringLiteral("Manual_PosX")),
                 QString::number(scale.X_Twips(window.x())));
        QCOMPARE(world.Stored(QStringLiteral("Manual_PosY")),
                 QString::number(scale.Y_Twips(window.y())));

        // Across and down: the question; Yes makes the dropped place the position.
        world.boxes.Set_Next_Answer(MsgAnswer::Yes);
        Drag_Title(window, QPoint(-30, -20));
        QCOMPARE(world.boxes.shown.size(), 1);
        QVERIFY(world.boxes.shown[0].text.startsWith(
            QStringLiteral("Manual Positioning is not selected.")));
        QCOMPARE(world.Stored(QStringLiteral("Alignment")), QStringLiteral("7"));
        const QPoint dropped = window.pos();
        window.Next_Month();
        QCOMPARE(window.pos(), dropped);

        // Not allowed: "Allow Dragging" 0 with a fixed position.
        window.Settings.Alignment = 0;
        window.Settings.Allow_Dragging = 0;
        window.Position_Form(0);
        const QPoint fixed = window.pos();
        Drag_Title(window, QPoint(-30, -20));
        QCOMPARE(window.pos(), fixed);
    }
};

ALMANOR_TEST(DateWatchTest)
#include "test_date_watch.moc"
