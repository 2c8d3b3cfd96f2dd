#include "RemoteTestSupport.h"

#include "calendar/SettingsStore.h"
#include "calendar/gui/ColourLabel.h"
#include "common/CalendarWorld.h"
#include "common/TestMain.h"
#include "platform/DesktopNotifier.h"
#include "remote/RemoteCache.h"
#include "remote/RemoteLink.h"

#include <QFile>
#include <QTest>

namespace {
class RecordingNotifier final : public DesktopNotifier {
  public:
    explicit RecordingNotifier(QStringList* notices) : notices_(notices) {}
    bool Available() override { return true; }
    bool May_Be_Available() const override { return true; }
    void Notify(const QDate&, const QString& summary, const QString& body) override {
        notices_->append(summary + QStringLiteral(": ") + body);
    }

  private:
    QStringList* notices_;
};
} // namespace

// The calendar window with remote calendars cached on disk: the events show after the notes,
// and calendar.dat never takes them.
class RemoteViewTest : public QObject {
    Q_OBJECT

    // Stores data as the last good fetch of work, refreshed on the morning of 10 February.
    static bool Cache_Work(const RemoteCalendar& work, const QByteArray& data) {
        RemoteCacheState state;
        state.url = work.url;
        state.kind = "ics";
        state.last_success = QDateTime(QDate(2026, 2, 10), QTime(8, 0));
        return Store_Remote_Data(Remote_Cache_Dir(), work, data, state);
    }

    static QByteArray Bytes_Of(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

  private slots:
    void cached_events_follow_the_notes_and_never_reach_the_file() {
        CalendarWorld world;
        qputenv("XDG_CACHE_HOME", (world.env.Root() + "/cache").toLocal8Bit());
        world.Write_Events({"10/2/2026=Lunch", "11/2/2026=Gym"});
        const QByteArray before = Bytes_Of(world.env.Data_File());

        // Nothing is set up while no calendar is on.
        RemoteCalendar work;
        work.name = "Work";
        work.url = "file://" + world.env.Root() + "/work.ics";
        work.enabled = false;
        QVERIFY(Write_Remote_Calendars(Settings_File_Path(), {work}));
        QVERIFY(world.Start().Remote() == nullptr);
        QVERIFY(world.boxes.shown.size() == 1); // today's note only
        world.window.reset();
        world.boxes.shown.clear();

        work.enabled = true;
        QVERIFY(Write_Remote_Calendars(Settings_File_Path(), {work}));
        QVERIFY(Cache_Work(
            work,
            Remote_Calendar_Of(Remote_Event_Of("DTSTART:20260210T143000\nSUMMARY:Dentist & Co\n") +
                               Remote_Event_Of("DTSTART:20260210T093000\nSUMMARY:Standup\n") +
                               Remote_Event_Of("DTSTART;VALUE=DATE:20260212\nSUMMARY:Trip\n"))));

        Main_Frm& window = world.Start();
        QVERIFY(window.Remote() != nullptr);
        const QLocale locale;
        const QString early = locale.toString(QTime(9, 30), QLocale::ShortFormat);
        const QString late = locale.toString(QTime(14, 30), QLocale::ShortFormat);
        const qint16 tenth = window.Box_Index(QDate(2026, 2, 10));
        QCOMPARE(window.Box_Lbl[tenth]->toolTip(),
                 "Lunch\r\n" + early + " Standup (Work)\r\n" + late + " Dentist & Co (Work)");
        const qint16 twelfth = window.Box_Index(QDate(2026, 2, 12));
        QCOMPARE(window.Box_Caption_Lbl[twelfth]->text().trimmed(), QString("Trip"));
        QCOMPARE(window.Box_Lbl[twelfth]->toolTip(), QString("Trip (Work)"));
        // Below the note, the caption's lines take the calendar's colour.
        QCOMPARE(window.Box_Caption_Lbl[tenth]->Tint_Line(), 1);
        QCOMPARE(window.Box_Caption_Lbl[tenth]->Tint_Colour(), work.colour);
        QCOMPARE(window.Box_Caption_Lbl[twelfth]->Tint_Line(), 0);
        QCOMPARE(window.Box_Caption_Lbl[window.Box_Index(QDate(2026, 2, 11))]->Tint_Line(), -1);
        // The note's box without remote events is as before.
        QCOMPARE(window.Box_Lbl[window.Box_Index(QDate(2026, 2, 11))]->toolTip(), QString("Gym"));
        // The alert of today names the remote events after the note.
        QCOMPARE(world.boxes.shown.size(), 1);
        QVERIFY(world.boxes.shown[0].text.endsWith("Lunch\r\n" + early + " Standup (Work)\r\n" +
                                                   late + " Dentist & Co (Work)"));

        // A refreshed cache rebuilds the month; the file of notes is never touched.
        QVERIFY(Cache_Work(work, Remote_Calendar_Of(Remote_Event_Of(
                                     "DTSTART;VALUE=DATE:20260213\nSUMMARY:Fair\n"))));
        window.Remote_Link().Settings_Changed();
        QCOMPARE(window.Box_Lbl[tenth]->toolTip(), QString("Lunch"));
        QVERIFY(window.Box_Caption_Lbl[twelfth]->text().trimmed().isEmpty());
        QCOMPARE(window.Box_Lbl[window.Box_Index(QDate(2026, 2, 13))]->toolTip(),
                 QString("Fair (Work)"));
        QCOMPARE(Bytes_Of(world.env.Data_File()), before);
        world.window.reset();
        qunsetenv("XDG_CACHE_HOME");
    }

    // Reminders name a day's remote events after its note, and days with remote events only.
    void reminders_name_the_remote_events() {
        CalendarWorld world(QDateTime(QDate(2026, 2, 10), QTime(10, 0)));
        qputenv("XDG_CACHE_HOME", (world.env.Root() + "/cache").toLocal8Bit());
        world.Set(QStringLiteral("Remind Days"), 2);
        world.Write_Events({"10/2/2026=Lunch"});
        RemoteCalendar work;
        work.name = "Work";
        work.url = "file://" + world.env.Root() + "/work.ics";
        QVERIFY(Write_Remote_Calendars(Settings_File_Path(), {work}));
        QVERIFY(Cache_Work(
            work,
            Remote_Calendar_Of(Remote_Event_Of("DTSTART;VALUE=DATE:20260210\nSUMMARY:Fair\n") +
                               Remote_Event_Of("DTSTART;VALUE=DATE:20260212\nSUMMARY:Trip\n"))));
        QStringList notices;
        world.Start(std::make_unique<RecordingNotifier>(&notices));
        QCOMPARE(notices.size(), 2);
        QCOMPARE(notices[0], QStringLiteral("Today: Lunch\nFair (Work)"));
        QVERIFY(notices[1].endsWith(QStringLiteral(": Trip (Work)")));
    }

    // The calendar that keeps the notes is synced once the window is up, and what the sync wrote
    // to calendar.dat shows in the boxes; its events never show a second time as remote ones.
    void the_notes_calendar_shows_through_the_notes() {
        CalendarWorld world;
        qputenv("XDG_CACHE_HOME", (world.env.Root() + "/cache").toLocal8Bit());
        world.Write_Events({"10/2/2026=Lunch"});
        RemoteCalendar notes;
        notes.name = "Notes";
        notes.url = "http://127.0.0.1:9/user/notes/";
        notes.keep_notes = true;
        QVERIFY(Write_Remote_Calendars(Settings_File_Path(), {notes}));
        QVERIFY(Cache_Work(notes, Remote_Calendar_Of(Remote_Event_Of(
                                      "DTSTART;VALUE=DATE:20260210\nSUMMARY:Lunch\n"))));
        // Stands for a sync that brings a change made on the phone.
        const QString program = world.env.Write_File(
            "Almanor/AlmanorFetch",
            "#!/bin/sh\nwhile [ $# -gt 0 ]; do [ \"$1\" = --data ] && data=\"$2\"; shift; done\n"
            "printf '\"10/2/2026=Lunch with Ann\"\\r\\n' > \"$data.new\" && mv \"$data.new\" "
            "\"$data\"\n");
        QVERIFY(QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner));

        Main_Frm& window = world.Start();
        const qint16 tenth = window.Box_Index(QDate(2026, 2, 10));
        QCOMPARE(window.Box_Lbl[tenth]->toolTip(), QString("Lunch"));
        QTRY_COMPARE_WITH_TIMEOUT(window.Box_Lbl[tenth]->toolTip(), QString("Lunch with Ann"),
                                  10000);
        world.window.reset();
        qunsetenv("XDG_CACHE_HOME");
    }

    // A busy day's caption holds one event more than a box can show, not the whole day.
    void busy_day_caption_stops_past_what_a_box_shows() {
        const QList<RemoteDayEvent> day(9, RemoteDayEvent{QTime(9, 0), "Meeting", "Work", 0});
        QCOMPARE(Remote_Caption_Text(day, QLocale::c()).count(QStringLiteral("\r\n")), 3);
    }
};

ALMANOR_TEST(RemoteViewTest)
#include "test_remote_view.moc"
