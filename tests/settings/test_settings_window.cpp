// The settings window as a whole: tabs, pages, OK, Cancel, Apply and activation.
#include "SettingsWorld.h"

#include "calendar/gui/ColourLabel.h"
#include "common/TestMain.h"
#include "registry/Registry.h"
#include "settings/RunEntry.h"
#include "settings/gui/Colours_Page.h"
#include "settings/gui/General_Page.h"
#include "settings/gui/TabStrip.h"
#include "settings/gui/Tooltips_Page.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {
int Visible_Pages(const Settings_Frm& frame, int* which) {
    int visible = 0;
    for (int i = 0; i < Settings_Frm::Page_Count; ++i)
        if (frame.Settings_Fra[i]->isVisible()) {
            ++visible;
            *which = i;
        }
    return visible;
}

qint16 Today_Box(const Main_Frm& window) {
    return qint16(window.Start_Box(window.ViewMonth, window.ViewYear) +
                  Current_Clock().Today().day() - 1);
}
} // namespace

class SettingsWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void the_tab_last_left_open_comes_back() {
        SettingsWorld world;
        world.Set(QStringLiteral("Settings Tab"), 6);
        Settings_Frm& frame = world.Open();
        QCOMPARE(frame.windowTitle(), QStringLiteral("Almanor Settings"));
        QCOMPARE(frame.Which_Tab(), qint16(6));
        int page = -1;
        QCOMPARE(Visible_Pages(frame, &page), 1);
        QCOMPARE(page, 5);

        world.Click_Tab(3);
        world.Click(frame.Cancel_Btn);
        QVERIFY(!world.settings);
        QCOMPARE(world.Stored(QStringLiteral("Settings Tab")), QStringLiteral("3"));
        Settings_Frm& again = world.Reopen();
        QCOMPARE(again.Which_Tab(), qint16(3));
        QVERIFY(again.General()->isVisible());
        // A stored tab out of range opens the first tab.
        world.Click_Tab(8);
        again.close();
        QCOMPARE(world.window->Settings.Settings_Tab, qint16(8));
        world.window->Settings.Settings_Tab = 42;
        QCOMPARE(world.Reopen().Which_Tab(), qint16(1));
    }

    void only_one_page_is_ever_visible() {
        SettingsWorld world;
        Settings_Frm& frame = world.Open();
        QCOMPARE(frame.Which_Tab(), qint16(4)); // the default tab
        QCOMPARE(frame.TabStrip1->count(), 9);
        QCOMPARE(frame.TabStrip1->tabText(3), QStringLiteral("Style && Position"));
        for (int tab : {1, 8, 2, 2, 7, 3, 5, 4, 6, 1}) {
            world.Click_Tab(tab);
            int page = -1;
            QCOMPARE(Visible_Pages(frame, &page), 1);
            QCOMPARE(page, tab - 1);
            QCOMPARE(frame.Which_Tab(), qint16(tab));
            // Every tab lies inside the strip, and none overlaps its neighbour.
            const QRect rect = frame.TabStrip1->tabRect(tab - 1);
            QVERIFY(frame.TabStrip1->rect().contains(rect));
            if (tab % 5 != 0)
                QVERIFY(!rect.intersects(frame.TabStrip1->tabRect(tab)));
            // The selected tab's row lies next to the page, whichever row it is.
            QCOMPARE(rect.bottom(), frame.TabStrip1->height() - 1);
        }
        // The wheel over the strip steps a tab a notch, the arrow keys too; neither runs past
        // the ends.
        for (int notch = 0; notch < 6; ++notch) {
            QWheelEvent wheel(QPointF(20, 10), frame.TabStrip1->mapToGlobal(QPointF(20, 10)),
                              QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
            QApplication::sendEvent(frame.TabStrip1, &wheel);
        }
        QCOMPARE(frame.Which_Tab(), qint16(7));
        int page = -1;
        QCOMPARE(Visible_Pages(frame, &page), 1);
        QCOMPARE(page, 6);
        frame.TabStrip1->setFocus();
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(frame.TabStrip1, Qt::Key_Right);
        QCOMPARE(frame.Which_Tab(), qint16(9));
        // The pages lie where the frame puts them, all in the same place.
        for (QWidget* each : frame.Settings_Fra)
            QCOMPARE(each->geometry(), frame.Settings_Fra[0]->geometry());
    }

    void f8_brings_back_a_minimised_window() {
        SettingsWorld world;
        Settings_Frm& frame = world.Open();
        frame.showMinimized();
        world.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(world.window.get()));
        QVERIFY(frame.isMinimized());
        world.Reopen();
        QCOMPARE(world.settings.data(), &frame);
        QVERIFY(!frame.isMinimized());
        QVERIFY(frame.isActiveWindow());
    }

    void cancel_stores_nothing_but_the_tab() {
        SettingsWorld world;
        Settings_Frm& frame = world.Open();
        const AppSettings before = world.window->Settings;
        world.Click_Tab(2);
        Colours_Page* colours = frame.Colours();
        world.Click(colours->Col_Lbl[1]);
        world.Click(colours->Pal, Qt::NoModifier, QPoint(3, 24));
        QCOMPARE(colours->Col_Pic[1]->Back_Colour(), Palette_Colour(3, 24));
        world.Click(colours->Col_Sys_Opt);
        world.Click_Tab(3);
        world.Click(frame.General()->Splash_Chk);
        world.Click(frame.General()->Bar_Time_Chk);
        world.Click_Tab(5);
        world.Click(frame.Tooltips()->Tips_Opt[0]);
        world.Click(frame.Cancel_Btn);

        QCOMPARE(world.Stored_Keys(),
                 (QMap<QString, QString>{
                     {QStringLiteral("Settings/Settings Tab"), QStringLiteral("5")}}));
        AppSettings expected = before;
        expected.Settings_Tab = 5;
        QVERIFY(world.window->Settings == expected);
        QCOMPARE(world.window->Box_Lbl[0]->Back_Colour(), before.Normal);

        // The close box is Cancel as well.
        Settings_Frm& again = world.Reopen();
        world.Click(again.General()->Alert_Chk);
        again.close();
        QCOMPARE(world.Stored_Keys().size(), 1);
        QCOMPARE(world.window->Settings.Show_Alerts, qint16(1));
    }

    void apply_with_nothing_changed_writes_the_fixed_steps() {
        SettingsWorld world;
        // An entry with an old path is rewritten with the program's own.
        Write_Value(QStringLiteral("HKCU"), Run_Key(), Run_Value_Name(), QStringLiteral("S"),
                    QStringLiteral("/old/Almanor"));
        Settings_Frm& frame = world.Open();
        QVERIFY(frame.General()->Startup_Chk->isChecked());
        const qint16 today = Today_Box(*world.window);
        world.window->Box_Lbl[today]->Set_Back_Colour(0);
        world.Click(frame.Apply_Btn);

        QVERIFY(world.settings); // Apply leaves the window open
        const QMap<QString, QString> stored = world.Stored_Keys();
        for (const char* key : {"Use Other Display Mode", "Other Display Mode", "Bar Time",
                                "Bar Time Format", "Bar Date Format"})
            QVERIFY2(stored.contains(QStringLiteral("Settings/") + QString::fromLatin1(key)), key);
        QCOMPARE(stored.value(QStringLiteral("Settings/Bar Time")), QStringLiteral("False"));
        QCOMPARE(stored.value(QStringLiteral("Settings/Bar Time Format")), QStringLiteral("H:mm"));
        QCOMPARE(stored.value(QStringLiteral("Settings/Bar Date Format")),
                 QStringLiteral("d Month - yyyy"));
        // Besides them only the style and position of the packs step; no colour, no option.
        const QStringList allowed = {"Settings/Use Other Display Mode",
                                     "Settings/Other Display Mode",
                                     "Settings/Bar Time",
                                     "Settings/Bar Time Format",
                                     "Settings/Bar Date Format",
                                     "Settings/Style",
                                     "Settings/Alignment"};
        for (const QString& key : stored.keys())
            QVERIFY2(allowed.contains(key), qPrintable(key));
        QVariant entry;
        QCOMPARE(Read_Value(QStringLiteral("HKCU"), Run_Key(), Run_Value_Name(),
                            QStringLiteral("S"), QString(), entry),
                 0);
        QCOMPARE(entry.toString(), Run_Entry_Program());
        QCOMPARE(world.window->Box_Lbl[today]->Back_Colour(), world.window->Settings.Today);

        // With the box cleared, Apply removes the entry.
        world.Click_Tab(3);
        world.Click(frame.General()->Startup_Chk);
        world.Click(frame.Ok_Btn);
        QVERIFY(!world.settings);
        QVERIFY(!Get_Startup_Value());
    }

    void reactivation_reloads_colours_and_tips_but_keeps_the_settings_tab() {
        SettingsWorld world;
        Settings_Frm& frame = world.Open();
        Colours_Page* colours = frame.Colours();
        world.Click_Tab(2);
        world.Click(colours->Col_Pic[0]);
        world.Click(colours->Pal, Qt::NoModifier, QPoint(40, 20));
        QCOMPARE(colours->Col_Pic[0]->Back_Colour(), Palette_Colour(40, 20));
        world.Click(colours->Col_Sys_Opt);
        world.Click_Tab(5);
        world.Click(frame.Tooltips()->Tips_Opt[2]);
        world.Click_Tab(3);
        world.Click(frame.General()->Splash_Chk);
        QVERIFY(!frame.General()->Splash_Chk->isChecked());

        world.Reactivate_Through_Calendar();
        QCOMPARE(colours->Col_Pic[0]->Back_Colour(), world.window->Settings.Today);
        QCOMPARE(colours->Preview_Today_Lbl->Back_Colour(), world.window->Settings.Today);
        QVERIFY(colours->Col_Other_Opt->isChecked());
        QVERIFY(colours->Col_Pic[4]->isEnabled());
        QVERIFY(frame.Tooltips()->Tips_Opt[1]->isChecked());
        QCOMPARE(frame.Tooltips()->TipsTrigger_Lbl->text(), QStringLiteral("Hover Over..."));
        QVERIFY(!frame.General()->Splash_Chk->isChecked());
        // The kept edit is stored by Apply.
        world.Click(frame.Apply_Btn);
        QCOMPARE(world.Stored(QStringLiteral("Show Splash")), QStringLiteral("0"));
        QCOMPARE(world.Stored(QStringLiteral("Today"), QStringLiteral("Colours")),
                 QStringLiteral("<none>"));
    }

    void exit_unloads_the_window_and_remembers_the_tab() {
        SettingsWorld world;
        world.Set(QStringLiteral("Auto Compact"), 1);
        Settings_Frm& frame = world.Open();
        world.Click_Tab(7);
        world.window->Compact_Deadline = QDateTime();
        frame.close();
        QCOMPARE(world.Stored(QStringLiteral("Settings Tab")), QStringLiteral("7"));
        // Closing restarts the compact-mode countdown.
        QCOMPARE(world.window->Compact_Deadline,
                 world.clock.Now().addSecs(world.window->Settings.Idle_Seconds()));
        world.Reopen();
        world.Click_Tab(2);
        world.window->Exit_Click();
        QVERIFY(!world.settings);
        QCOMPARE(world.Stored(QStringLiteral("Settings Tab")), QStringLiteral("2"));
    }
};

ALMANOR_TEST(SettingsWindowTest)
#include "test_settings_window.moc"
