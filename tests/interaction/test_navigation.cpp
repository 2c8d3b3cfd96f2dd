#include "InteractionWorld.h"
#include "calendar/ViewNavigation.h"
#include "calendar/gui/ColourLabel.h"
#include "common/TestMain.h"
#include "settings/gui/Settings_Frm.h"

#include <QTest>

class NavigationTest : public QObject {
    Q_OBJECT
  private slots:
    void month_steps_cross_years_and_stop_at_the_ends() {
        InteractionWorld world;
        Main_Frm& window = world.Start();
        window.Show_Month(12, 2026);
        QTest::mouseClick(window.Next_Month_Lbl, Qt::LeftButton);
        QCOMPARE(window.ViewMonth, qint16(1));
        QCOMPARE(window.ViewYear, qint16(2027));
        QCOMPARE(window.Which_Month_Lbl->text(), QStringLiteral("January - 2027"));
        QTest::mouseClick(window.Prev_Month_Lbl, Qt::LeftButton);
        QCOMPARE(window.ViewMonth, qint16(12));
        QCOMPARE(window.ViewYear, qint16(2026));

        QCOMPARE(Month_After(12, Max_View_Year), std::nullopt);
        QCOMPARE(Month_Before(1, Min_View_Year), std::nullopt);
        window.Show_Month(12, Max_View_Year);
        window.Form_KeyUp(115, 0);
        QCOMPARE(window.ViewYear, Max_View_Year);
        QCOMPARE(window.ViewMonth, qint16(12));
    }

    void month_menu_marks_the_current_month_of_the_current_year() {
        InteractionWorld world(QDateTime(QDate(2026, 12, 7), QTime(9, 0)));
        Main_Frm& window = world.Start();
        QTest::mouseClick(window.Next_Month_Lbl, Qt::RightButton);
        QCOMPARE(world.menus.shown.size(), 1);
        QCOMPARE(Menu_Items(world.menus.shown[0]),
                 (QStringList{"1:Jan", "2:Feb", "3:Mar", "4:Apr", "5:May", "6:Jun", "7:Jul",
                              "8:Aug", "9:Sep", "10:Oct", "11:Nov", "12:- Dec"}));
        window.Show_Month(12, 2025);
        world.menus.Set_Next_Choice(4);
        QTest::mousePress(window.Prev_Month_Lbl, Qt::RightButton);
        QVERIFY(!Menu_Items(world.menus.shown[1]).join(',').contains(QStringLiteral("- ")));
        QCOMPARE(window.ViewMonth, qint16(4));
        QCOMPARE(window.ViewYear, qint16(2025));
    }

    void year_menu() {
        InteractionWorld world(QDateTime(QDate(2026, 12, 7), QTime(9, 0)));
        Main_Frm& window = world.Start();
        window.Show_Month(5, 2010);
        world.menus.Set_Next_Choice(5);
        QTest::mousePress(window.Which_Month_Lbl, Qt::RightButton);
        QCOMPARE(Menu_Items(world.menus.shown[0]),
                 (QStringList{"1:2008", "2:2009", "3:Current Month\\Year", "4:2011", "5:2012"}));
        QCOMPARE(window.ViewYear, qint16(2012));
        world.menus.Set_Next_Choice(3);
        QTest::mousePress(window.Which_Month_Lbl, Qt::RightButton);
        QCOMPARE(window.ViewMonth, qint16(12));
        QCOMPARE(window.ViewYear, qint16(2026));
        // Dismissed: nothing changes.
        QTest::mousePress(window.Which_Month_Lbl, Qt::RightButton);
        QCOMPARE(window.ViewYear, qint16(2026));

        window.Compact_Mode();
        world.menus.Set_Next_Choice(999);
        QTest::mousePress(window.Which_Month_Lbl, Qt::RightButton);
        QCOMPARE(Menu_Items(world.menus.shown.last()), QStringList{"999:Expand"});
        QVERIFY(!window.Compacted);
    }

    void start_day_menu_makes_the_clicked_weekday_first() {
        InteractionWorld world;
        Main_Frm& window = world.Start();
        QCOMPARE(window.Day_Lbl[2]->text(), QStringLiteral("Tue"));
        world.menus.Set_Next_Choice(1);
        QTest::mousePress(window.Day_Lbl[2], Qt::RightButton);
        QCOMPARE(Menu_Items(world.menus.shown[0]), QStringList{"1:Set as Start Day"});
        QCOMPARE(window.Day_Lbl[0]->text(), QStringLiteral("Tue"));
        QCOMPARE(world.Stored(QStringLiteral("Start Day")), QStringLiteral("3"));
        QCOMPARE(window.Settings.Start_Day, qint16(3));
        // With weeks starting on Tuesday, Sunday (now column 5) gives Start Day 1.
        QCOMPARE(Start_Day_For_Column(5, 3), std::optional<qint16>(1));
    }

    void day_menu_clear_and_edit() {
        InteractionWorld world;
        world.Write_Events({QStringLiteral("3/2/2026=Meeting"), QStringLiteral("4/2/2026=Lunch")});
        Main_Frm& window = world.Start();
        QCOMPARE(world.Caption(3)->Shown_Text().simplified(), QStringLiteral("Meeting"));
        world.menus.Set_Next_Choice(1);
        QTest::mousePress(world.Caption(3), Qt::RightButton);
        const QList<PopMenuItem> items = world.menus.shown[0];
        QCOMPARE(Menu_Items(items), (QStringList{"1:Clear", "2:Edit", "3:Settings", "4:Exit"}));
        for (const PopMenuItem& item : items)
            QVERIFY(!item.icon.isNull());
        QCOMPARE(world.Events(), QStringList{QStringLiteral("4/2/2026=Lunch")});
        QVERIFY(world.Caption(3)->text().isEmpty());
        QVERIFY(world.Box(3)->toolTip().isEmpty());

        // "Clear" on a day without an event writes nothing.
        const QDateTime written = QFileInfo(world.env.Data_File()).lastModified();
        world.menus.Set_Next_Choice(1);
        QTest::mousePress(world.Box(20), Qt::RightButton);
        QCOMPARE(QFileInfo(world.env.Data_File()).lastModified(), written);
        QCOMPARE(world.Events(), QStringList{QStringLiteral("4/2/2026=Lunch")});

        world.menus.Set_Next_Choice(2);
        QTest::mousePress(world.Box(4), Qt::RightButton);
        QVERIFY(window.Editor());
        QCOMPARE(window.Edited_Box, world.Box_Index(4));

        world.menus.Set_Next_Choice(4);
        QTest::mousePress(world.Box(4), Qt::RightButton);
        QVERIFY(!window.isVisible());
        QVERIFY(!window.Editor());
    }

    void function_keys() {
        InteractionWorld world;
        world.Write_Events({QStringLiteral("10/2/2026=Dentist & more")});
        Main_Frm& window = world.Start();
        world.boxes.shown.clear();
        window.Alert_Shown = true;

        QTest::keyClick(&window, Qt::Key_F1);
        QCOMPARE(world.boxes.shown.size(), 1);
        QCOMPARE(world.boxes.shown[0].text,
                 QStringLiteral("Today: 2/10/2026\r\n\r\nDentist & more"));
        QCOMPARE(world.boxes.shown[0].icon, MsgIcon::Information);

        QTest::keyClick(&window, Qt::Key_F4);
        QCOMPARE(window.ViewMonth, qint16(3));
        QTest::keyClick(&window, Qt::Key_F2);
        QTest::keyClick(&window, Qt::Key_F2);
        QCOMPARE(window.ViewMonth, qint16(1));
        QTest::keyClick(&window, Qt::Key_F3);
        QCOMPARE(window.ViewMonth, qint16(2));

        QTest::keyClick(&window, Qt::Key_F12);
        QVERIFY(window.Compacted);
        QVERIFY(!window.Next_Month_Lbl->isVisible());
        // In compact mode a month step changes only the title.
        QTest::keyClick(&window, Qt::Key_F4);
        QCOMPARE(window.Which_Month_Lbl->text(), QStringLiteral("March - 2026"));
        QCOMPARE(world.Caption(10)->Shown_Text().simplified(), QStringLiteral("Dentist & more"));
        QTest::keyClick(&window, Qt::Key_F12);
        QVERIFY(!window.Compacted);
        QVERIFY(world.Caption(10)->Shown_Text().simplified().isEmpty());

        // F8 opens the settings window; a second F8 brings back the same one.
        QTest::keyClick(&window, Qt::Key_F8);
        Settings_Frm* settings = window.Settings_Window();
        QVERIFY(settings);
        QCOMPARE(settings->windowTitle(), QStringLiteral("Almanor Settings"));
        QTest::keyClick(&window, Qt::Key_F8);
        QCOMPARE(window.Settings_Window(), settings);
        QCOMPARE(world.boxes.shown.size(), 1);
    }

    void f9_cycles_styles_and_asks_when_a_pack_style_is_in_force() {
        InteractionWorld world;
        world.Set(QStringLiteral("Style"), 0);
        Main_Frm& window = world.Start();
        QList<qint16> seen;
        for (int i = 0; i < 3; ++i) {
            window.Form_KeyUp(120, 0);
            seen.append(window.Settings.Style);
            QCOMPARE(world.Stored(QStringLiteral("Style")), QString::number(seen.last()));
        }
        QCOMPARE(seen, (QList<qint16>{1, 2, 0}));

        // A pack style in force: No leaves the style but leaves compact mode, whole.
        window.Settings.Use_Themes = 1;
        window.Settings.Use_Theme_Style = 1;
        window.Settings.PackBoxStyle = 0;
        const QSize full = window.size();
        window.Compact_Mode();
        world.boxes.Set_Next_Answer(MsgAnswer::No);
        window.Form_KeyUp(120, 0);
        QCOMPARE(world.boxes.shown.last().text,
                 QStringLiteral("You can't change the box style because Use Theme Style is "
                                "selected. Do you want to turn off Use Theme Style?"));
        QVERIFY(!window.Compacted);
        QCOMPARE(window.size(), full);
        QCOMPARE(window.Settings.Style, qint16(0));
        QCOMPARE(window.Settings.Use_Theme_Style, qint16(1));

        world.boxes.Set_Next_Answer(MsgAnswer::Yes);
        window.Form_KeyUp(120, 0);
        QCOMPARE(window.Settings.Style, qint16(1));
        QCOMPARE(world.Stored(QStringLiteral("Style")), QStringLiteral("1"));
        QCOMPARE(world.Stored(QStringLiteral("Use Theme Style")), QStringLiteral("0"));
    }
};

ALMANOR_TEST(NavigationTest)
#include "test_navigation.moc"
