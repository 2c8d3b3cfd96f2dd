// The "Settings", "Tooltips" and "About" tabs, driven as a user does.
#include "SettingsWorld.h"

#include "calendar/gui/ColourLabel.h"
#include "common/TestMain.h"
#include "events/gui/frmBalloon.h"
#include "platform/Platform.h"
#include "registry/Registry.h"
#include "settings/ProgramInfo.h"
#include "settings/RunEntry.h"
#include "settings/gui/About_Page.h"
#include "settings/gui/General_Page.h"
#include "settings/gui/Tooltips_Page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>

namespace {
General_Page& General(SettingsWorld& world) {
    world.Set(QStringLiteral("Settings Tab"), 3);
    return *world.Open().General();
}

Tooltips_Page& Tooltips(SettingsWorld& world) {
    world.Set(QStringLiteral("Settings Tab"), 5);
    return *world.Open().Tooltips();
}

void Type_Delay(QComboBox* list, const QString& text) {
    list->lineEdit()->selectAll();
    QTest::keyClicks(list->lineEdit(), text);
}

// Opens files by recording them.
class RecordingOpener : public Platform {
  public:
    RecordingOpener() { Set_Platform(this); }
    ~RecordingOpener() override { Set_Platform(nullptr); }
    RegistryBackend& Registry() override { return native.Registry(); }
    bool Open_File(const QString& path) override {
        opened.append(path);
        return true;
    }
    Platform& native = Current_Platform();
    QStringList opened;
};
} // namespace

class GeneralTabsTest : public QObject {
    Q_OBJECT

  private slots:
    void a_delay_that_is_no_whole_number_from_1_to_60_is_refused() {
        SettingsWorld world;
        world.Set(QStringLiteral("Auto Compact"), 1);
        world.Set(QStringLiteral("Timeout Value"), 20);
        General_Page& page = General(world);
        QCOMPARE(page.Timeout_Value_Cbo->currentText(), QStringLiteral("20"));
        QCOMPARE(page.Timeout_Value_Cbo->count(), 60);
        QVERIFY(page.Timeout_Value_Cbo->isEnabled());
        for (const QString& bad : {QStringLiteral("0"), QStringLiteral("61"), QStringLiteral("abc"),
                                   QStringLiteral("2.5")}) {
            Type_Delay(page.Timeout_Value_Cbo, bad);
            world.boxes.shown.clear();
            world.Click(world.settings->Apply_Btn);
            QCOMPARE(world.boxes.shown.size(), 1);
            QVERIFY2(world.boxes.shown[0].text.contains(QLatin1Char('"') + bad + QLatin1Char('"')),
                     qPrintable(world.boxes.shown[0].text));
            QCOMPARE(world.boxes.shown[0].icon, MsgIcon::Exclamation);
            QCOMPARE(world.window->Settings.Timeout_Value, qint16(20));
            QCOMPARE(world.Stored(QStringLiteral("Timeout Value")), QStringLiteral("20"));
            QCOMPARE(page.Timeout_Value_Cbo->currentText(), QStringLiteral("20"));
        }
        Type_Delay(page.Timeout_Value_Cbo, QStringLiteral("7"));
        world.boxes.shown.clear();
        world.Click(world.settings->Apply_Btn);
        QVERIFY(world.boxes.shown.isEmpty());
        QCOMPARE(world.Stored(QStringLiteral("Timeout Value")), QStringLiteral("7"));
        QCOMPARE(world.window->Settings.Idle_Seconds(), 7);
    }

    void options_are_stored_when_changed_and_auto_compact_restarts_the_countdown() {
        SettingsWorld world;
        General_Page& page = General(world);
        QVERIFY(!page.Timeout_Value_Cbo->isEnabled()); // Auto Compact is off
        world.Click(page.Auto_Compact_Chk);
        QVERIFY(page.Timeout_Value_Cbo->isEnabled() && page.Timeout_Format_Cbo->isEnabled());
        page.Timeout_Format_Cbo->setFocus();
        QTest::keyClick(page.Timeout_Format_Cbo, Qt::Key_Down);
        world.Click(page.Carriage_Return_Chk);
        world.Click(page.Allow_Dragging_Chk);
        world.window->Compact_Deadline = QDateTime();
        world.Click(world.settings->Apply_Btn);
        QCOMPARE(world.Stored(QStringLiteral("Auto Compact")), QStringLiteral("1"));
        QCOMPARE(world.Stored(QStringLiteral("Timeout Format")), QStringLiteral("1"));
        QCOMPARE(world.Stored(QStringLiteral("Carriage_Return")), QStringLiteral("1"));
        QCOMPARE(world.Stored(QStringLiteral("Allow Dragging")), QStringLiteral("0"));
        QCOMPARE(world.Stored(QStringLiteral("Show Alerts")), QStringLiteral("<none>"));
        QCOMPARE(world.window->Compact_Deadline, world.clock.Now().addSecs(45 * 60));
    }

    void reminder_choices_are_stored_on_apply() {
        SettingsWorld world;
        world.Set(QStringLiteral("Remind Time"), QStringLiteral("9:00"));
        General_Page& page = General(world);
        QCOMPARE(page.Remind_Days_Spn->value(), 0);
        QCOMPARE(page.Remind_Time_Edt->time(), QTime(9, 0));
        QVERIFY(page.Notifications_Chk->isChecked());
        // Unchanged, the stored time keeps its own form.
        world.Click(world.settings->Apply_Btn);
        QCOMPARE(world.Stored(QStringLiteral("Remind Time")), QStringLiteral("9:00"));
        QCOMPARE(world.Stored(QStringLiteral("Remind Days")), QStringLiteral("<none>"));
        page.Remind_Days_Spn->setFocus();
        page.Remind_Days_Spn->selectAll();
        QTest::keyClicks(page.Remind_Days_Spn, QStringLiteral("45"));
        page.Remind_Time_Edt->setTime(QTime(18, 30));
        world.Click(page.Notifications_Chk);
        world.Click(world.settings->Apply_Btn);
        QCOMPARE(world.Stored(QStringLiteral("Remind Days")), QStringLiteral("4"));
        QCOMPARE(world.Stored(QStringLiteral("Remind Time")), QStringLiteral("18:30"));
        QCOMPARE(world.Stored(QStringLiteral("Use Notifications")), QStringLiteral("0"));
        QCOMPARE(world.window->Settings.Remind_Days, qint16(4));
    }

    void the_title_preview_follows_the_chosen_formats() {
        SettingsWorld world(QDateTime(QDate(2026, 2, 10), QTime(9, 5, 7)));
        General_Page& page = General(world);
        QCOMPARE(page.Bar_Preview_Lbl->text(), QStringLiteral("10th February - 2026"));
        world.Click(page.Bar_Time_Chk);
        QCOMPARE(page.Bar_Preview_Lbl->text(), QStringLiteral("9:05 - 10th February - 2026"));
        page.Bar_Date_Cbo->setFocus();
        QTest::keyClick(page.Bar_Date_Cbo, Qt::Key_Up); // "Month - yyyy"
        QCOMPARE(page.Bar_Preview_Lbl->text(), QStringLiteral("9:05 - February - 2026"));
        page.Bar_Time_Cbo->setFocus();
        QTest::keyClick(page.Bar_Time_Cbo, Qt::Key_End); // "h:mm:ss AM/PM"
        QCOMPARE(page.Bar_Preview_Lbl->text(), QStringLiteral("9:05:07 AM - February - 2026"));
        world.Click(world.settings->Ok_Btn);
        QCOMPARE(world.Stored(QStringLiteral("Bar Time")), QStringLiteral("True"));
        QCOMPARE(world.Stored(QStringLiteral("Bar Time Format")), QStringLiteral("h:mm:ss AM/PM"));
        QCOMPARE(world.Stored(QStringLiteral("Bar Date Format")), QStringLiteral("Month - yyyy"));
        QCOMPARE(world.window->Title(), QStringLiteral("9:05:07 AM - February - 2026"));
    }

    void a_format_typed_into_the_settings_file_survives_apply() {
        SettingsWorld world;
        world.Set(QStringLiteral("Bar Time Format"), QStringLiteral("hh.mm"));
        General_Page& page = General(world);
        QCOMPARE(page.Bar_Time_Cbo->currentText(), QStringLiteral("hh.mm"));
        world.Click(world.settings->Apply_Btn);
        QCOMPARE(world.Stored(QStringLiteral("Bar Time Format")), QStringLiteral("hh.mm"));
    }

    void icon_backs_ask_before_turning_on() {
        SettingsWorld world;
        General_Page& page = General(world);
        world.boxes.Set_Next_Answer(MsgAnswer::No);
        world.Click(page.Trans_Icons_Chk);
        QVERIFY(!page.Trans_Icons_Chk->isChecked());
        QCOMPARE(world.boxes.shown.last().buttons, MsgButtons::YesNoCancel);
        world.boxes.Set_Next_Answer(MsgAnswer::Cancel);
        world.Click(page.Trans_Icons_Chk);
        QVERIFY(!page.Trans_Icons_Chk->isChecked());
        world.boxes.Set_Next_Answer(MsgAnswer::Yes);
        world.Click(page.Trans_Icons_Chk);
        QVERIFY(page.Trans_Icons_Chk->isChecked());
        const qsizetype asked = world.boxes.shown.size();
        QTest::mouseClick(page.Trans_Icons_Chk, Qt::RightButton);
        QVERIFY(page.Trans_Icons_Chk->isChecked());
        QCOMPARE(world.boxes.shown.size(), asked);
        world.Click(page.Trans_Icons_Chk);
        QCOMPARE(world.boxes.shown.last().text,
                 QStringLiteral("Changes may not take effect till you restart your computer."));
        QCOMPARE(world.boxes.shown.last().icon, MsgIcon::Information);
    }

    void run_at_startup_follows_the_autostart_entry() {
        SettingsWorld world;
        General_Page& page = General(world);
        QVERIFY(!page.Startup_Chk->isChecked());
        world.Click(page.Startup_Chk);
        world.Click(world.settings->Apply_Btn);
        QVERIFY(
            QFile::exists(world.env.Config_Home() + QStringLiteral("/autostart/Almanor.desktop")));
        world.Click(world.settings->Cancel_Btn);
        QVERIFY(world.Reopen().General()->Startup_Chk->isChecked());
    }

    void tooltip_options_set_the_trigger_tips_and_notes() {
        SettingsWorld world;
        Tooltips_Page& page = Tooltips(world);
        QVERIFY(page.Tips_Opt[1]->isChecked());
        QCOMPARE(page.TipExample_Lbl->toolTip(), QStringLiteral("This is an example."));
        world.Click(page.Tips_Opt[0]);
        QVERIFY(page.TipsTrigger_Lbl->text().isEmpty());
        QVERIFY(page.TipExample_Lbl->toolTip().isEmpty() &&
                page.TipBoxExample_Lbl->toolTip().isEmpty());
        QCOMPARE(page.TipsNotes_Lbl->text(),
                 QStringLiteral("Neither of the two Tooltip styles will be used."));
        world.Click(page.Tips_Opt[2]);
        QCOMPARE(page.TipsTrigger_Lbl->text(), QStringLiteral("Hold Left Mouse Button"));
        QVERIFY(page.TipExample_Lbl->toolTip().isEmpty());
        world.Click(world.settings->Apply_Btn);
        QCOMPARE(world.Stored(QStringLiteral("Tooltips")), QStringLiteral("2"));
        QCOMPARE(world.window->Settings.Tooltips, qint16(2));
    }

    void a_long_press_shows_the_sample_balloon_and_a_short_one_does_not() {
        SettingsWorld world;
        Tooltips_Page& page = Tooltips(world);
        world.Click(page.Tips_Opt[2]);
        auto balloons = [&] { return world.settings->findChildren<frmBalloon*>(); };
        // Released after 0.1 seconds: no balloon.
        QTimer::singleShot(100, page.TipExample_Lbl,
                           [&] { QTest::mouseRelease(page.TipExample_Lbl, Qt::LeftButton); });
        QTest::mousePress(page.TipExample_Lbl, Qt::LeftButton);
        QVERIFY(balloons().isEmpty());
        // Held: the balloon shows below and to the right of the example.
        QTest::mousePress(page.TipBoxExample_Lbl, Qt::LeftButton);
        QCOMPARE(balloons().size(), 1);
        frmBalloon* balloon = balloons().first();
        QCOMPARE(balloon->lblText->text(), QStringLiteral("This is an example."));
        QCOMPARE(balloon->lblTitle->text(), QStringLiteral("2/10/2026"));
        const QPoint corner = page.TipExample_Lbl->mapToGlobal(
            QPoint(page.TipExample_Lbl->width(), page.TipExample_Lbl->height()));
        QVERIFY(balloon->x() >= corner.x() && balloon->y() >= corner.y());
        QTest::mouseRelease(page.TipBoxExample_Lbl, Qt::LeftButton);
        // With standard tooltips a press shows nothing.
        balloon->HideBalloon();
        QTRY_VERIFY(balloons().isEmpty());
        world.Click(page.Tips_Opt[1]);
        QTest::mousePress(page.TipExample_Lbl, Qt::LeftButton);
        QVERIFY(balloons().isEmpty());
    }

    void about_tells_the_platforms_and_opens_the_help_page() {
        SettingsWorld world;
        RecordingOpener opener;
        world.Set(QStringLiteral("Settings Tab"), 8);
        About_Page& page = *world.Open().About();
        QCOMPARE(page.Name_Lbl->text(), QStringLiteral("Almanor"));
        QVERIFY(page.Version_Lbl->text().startsWith(QStringLiteral("Version ")));
        QVERIFY(!page.Platforms_Lbl->text().contains(QStringLiteral("Windows 98")));
        QVERIFY(page.Platforms_Lbl->text().contains(QStringLiteral("Linux")));
        // No help page in the program folder: nothing is opened.
        world.Click(page.Link_Lbl);
        QVERIFY(opener.opened.isEmpty());
        world.env.Write_File(QStringLiteral("Almanor/help.html"), "<html></html>");
        world.Click(page.Link_Lbl);
        QCOMPARE(opener.opened, QStringList{Help_Page_Path()});
        QCOMPARE(Help_Page_Path(), world.env.Program_Dir() + QStringLiteral("/help.html"));
    }
};

ALMANOR_TEST(GeneralTabsTest)
#include "test_general_tabs.moc"
