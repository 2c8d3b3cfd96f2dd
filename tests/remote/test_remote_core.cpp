#include "RemoteTestSupport.h"

#include "common/TestEnv.h"
#include "common/TestMain.h"
#include "remote/RemoteAccounts.h"
#include "remote/RemoteCache.h"
#include "remote/RemoteEventSource.h"
#include "remote/RemoteIndex.h"
#include "remote/RemoteSchedule.h"

#include <QFile>
#include <QTest>

namespace {

const QTimeZone Berlin("Europe/Berlin");

QStringList Listing(const QList<RemoteOccurrence>& occurrences) {
    QStringList lines;
    for (const RemoteOccurrence& o : occurrences)
        lines << o.day.toString(Qt::ISODate) + QLatin1Char(' ') +
                     (o.All_Day() ? QStringLiteral("all-day") : o.time.toString("HH:mm")) +
                     QLatin1Char(' ') + o.summary;
    return lines;
}

QStringList Expanded(const QByteArray& lines, const QDate& first, const QDate& last) {
    ICalParseResult parsed = Parse_ICal_Calendars(Remote_Calendar_Of(lines));
    if (!parsed.ok)
        return {parsed.error};
    return Listing(Expand_Remote_Events(parsed.calendars, first, last, Berlin));
}

RemoteCalendar Calendar(const QString& name, const QString& url) {
    RemoteCalendar calendar;
    calendar.name = name;
    calendar.url = url;
    return calendar;
}

} // namespace

class RemoteCoreTest : public QObject {
    Q_OBJECT

  private slots:
    void hand_edited_groups_read_as_added_and_writing_keeps_the_rest() {
        TestEnv env;
        const QString ini = env.Write_File(
            QStringLiteral("config/Almanor/Almanor.ini"),
            "[Settings]\nStyle=2\n\n"
            "[Calendar 10]\nURL=webcal://example.org/school.ics\nRefresh Minutes=2\n"
            "Colour=-2147483630\nEnabled=0\nKeep Notes=1\n\n"
            "[Calendar 2]\nName=Team\nURL=https://dav.example.org/cal/team/\nUser=anna\n"
            "Refresh Minutes=lots\nKeep Notes=1\n\n"
            "[Calendar 3]\nName=No address\n\n[Calendars]\nURL=x\n"
            "[Calendar 11]\nURL=https://dav.example.org/cal/home/\nKeep Notes=1\n");
        QList<RemoteCalendar> calendars = Read_Remote_Calendars(ini);
        QCOMPARE(calendars.size(), 3);
        // Only the first CalDAV calendar keeps the notes: an .ics file can't take them.
        QCOMPARE(Notes_Calendar_Index(calendars), 0);
        QVERIFY(!calendars[1].keep_notes && !calendars[2].keep_notes);
        calendars.removeLast();
        QCOMPARE(calendars[0].name, QStringLiteral("Team"));
        QCOMPARE(calendars[0].user, QStringLiteral("anna"));
        QCOMPARE(calendars[0].refresh_minutes, 60);
        QVERIFY(calendars[0].enabled);
        QCOMPARE(calendars[1].name, QStringLiteral("example.org"));
        QCOMPARE(calendars[1].refresh_minutes, 5);
        QCOMPARE(calendars[1].colour, qint32(-2147483630));
        QVERIFY(!calendars[1].enabled);
        QCOMPARE(Fetch_Url(calendars[1].url), QStringLiteral("https://example.org/school.ics"));

        calendars.removeFirst();
        calendars.append(Calendar(QStringLiteral("Holidays"), QStringLiteral("file:///h.ics")));
        QVERIFY(Write_Remote_Calendars(ini, calendars));
        QCOMPARE(Read_Remote_Calendars(ini), calendars);
        const QByteArray written = TestEnv::Read_File(ini);
        QVERIFY(written.contains("Style=2"));
        QVERIFY(!written.contains("Team"));
        QVERIFY(!written.contains("No address"));
    }

    void the_cache_keeps_data_and_validators_through_failures() {
        TestEnv env;
        const QString dir = env.Root() + QStringLiteral("/cache/Almanor");
        const RemoteCalendar calendar =
            Calendar(QStringLiteral("Team"), QStringLiteral("https://example.org/a.ics"));
        RemoteCacheState state;
        state.url = Fetch_Url(calendar.url);
        state.etag = QStringLiteral("\"v1\"");
        state.last_modified = QStringLiteral("Tue, 08 Dec 2026 10:00:00 GMT");
        state.last_success = QDateTime(QDate(2026, 12, 8), QTime(10, 0), Qt::UTC);
        QVERIFY(Store_Remote_Data(dir, calendar, "BEGIN:VCALENDAR", state));
        state.data_digest = Remote_Data_Digest("BEGIN:VCALENDAR");
        QCOMPARE(Read_Remote_State(dir, calendar), state);
        QCOMPARE(QFile::permissions(dir) & 0x0077, QFileDevice::Permissions());

        const QDateTime later = state.last_success.addSecs(3600);
        QVERIFY(Record_Remote_Error(dir, calendar, QStringLiteral("Server down"), later));
        const RemoteCacheState failed = Read_Remote_State(dir, calendar);
        QCOMPARE(failed.etag, state.etag);
        QCOMPARE(failed.error, QStringLiteral("Server down"));
        QCOMPARE(failed.last_attempt, later);
        QCOMPARE(Read_Remote_Data(dir, calendar), QByteArray("BEGIN:VCALENDAR"));

        // Another calendar never shares the files, even under the same name.
        RemoteCalendar other = calendar;
        other.url = QStringLiteral("https://example.org/b.ics");
        QVERIFY(Read_Remote_Data(dir, other).isEmpty());
        QVERIFY(Read_Remote_State(dir, other).etag.isEmpty());

        const QLocale uk(QLocale::English, QLocale::UnitedKingdom);
        QCOMPARE(Remote_State_Text(failed, uk).section(' ', 1),
                 uk.toString(later.toLocalTime().time(), QLocale::ShortFormat) + ": Server down");

        // The refresh comes due an interval after the last attempt; a calendar that is off
        // never.
        RemoteCalendar hourly = calendar;
        QCOMPARE(Next_Remote_Refresh({hourly}, dir, later), later.addSecs(3600));
        QCOMPARE(Next_Remote_Refresh({hourly}, dir, later.addSecs(7200)), later.addSecs(7200));
        QCOMPARE(Next_Remote_Refresh({other}, dir, later), later);
        hourly.enabled = false;
        QVERIFY(!Next_Remote_Refresh({hourly}, dir, later).isValid());

        Remove_Remote_Cache(dir, calendar);
        QVERIFY(Read_Remote_Data(dir, calendar).isEmpty());
        QVERIFY(Read_Remote_State(dir, calendar).url.isEmpty());
    }

    void events_expand_into_local_days() {
        const QByteArray lines =
            // 09:00 in New York is 15:00 in Berlin.
            Remote_Event_Of("DTSTART;TZID=America/New_York:20270310T090000\n"
                            "DTEND;TZID=America/New_York:20270310T100000\nSUMMARY:Call\n") +
            // 23:30 UTC on the last of February is the first of March in Berlin.
            Remote_Event_Of("DTSTART:20270228T233000Z\nSUMMARY:Late\n") +
            // All-day from 30 March to 1 April: three days, two of them in March.
            Remote_Event_Of("DTSTART;VALUE=DATE:20270330\nDTEND;VALUE=DATE:20270402\n"
                            "SUMMARY:Trip\nDESCRIPTION:long\n") +
            // Weekly since 1990 on Mondays at 08:00 Berlin time, but not on 8 March, and
            // the one of 15 March moved to the 16th at 12:00.
            Remote_Event_Of("UID:weekly\nDTSTART;TZID=Europe/Berlin:19900101T080000\n"
                            "RRULE:FREQ=WEEKLY\nEXDATE;TZID=Europe/Berlin:20270308T080000\n"
                            "SUMMARY:Standup\n") +
            Remote_Event_Of("UID:weekly\nRECURRENCE-ID;TZID=Europe/Berlin:20270315T080000\n"
                            "DTSTART;TZID=Europe/Berlin:20270316T120000\nSUMMARY:Standup moved\n") +
            Remote_Event_Of("DTSTART;VALUE=DATE:20270305\nRRULE:FREQ=DAILY;COUNT=2\n"
                            "RDATE;VALUE=DATE:20270320\nSUMMARY:Course\n") +
            Remote_Event_Of("DTSTART;VALUE=DATE:20270311\nSTATUS:CANCELLED\nSUMMARY:Gone\n") +
            Remote_Event_Of("DTSTART;VALUE=DATE:20270312\nSUMMARY:\n");
        const QStringList expected = {
            "2027-03-01 00:30 Late",     "2027-03-01 08:00 Standup",
            "2027-03-05 all-day Course", "2027-03-06 all-day Course",
            "2027-03-10 15:00 Call",     "2027-03-16 12:00 Standup moved",
            "2027-03-20 all-day Course", "2027-03-22 08:00 Standup",
            "2027-03-29 08:00 Standup",  "2027-03-30 all-day Trip",
            "2027-03-31 all-day Trip",
        };
        QCOMPARE(Expanded(lines, QDate(2027, 3, 1), QDate(2027, 3, 31)), expected);
        // The index the fetch writes places the same occurrences, after a round trip through
        // its file form.
        const std::optional<RemoteIndex> index = Read_Remote_Index(
            Format_Remote_Index(Build_Remote_Index(Remote_Calendar_Of(lines), QDate(2027, 2, 9))));
        QVERIFY(index && index->Covers(QDate(2026, 1, 1), QDate(2028, 3, 31)));
        QCOMPARE(Listing(Place_Remote_Instances(index->instances, QDate(2027, 3, 1),
                                                QDate(2027, 3, 31), Berlin)),
                 expected);
        // The trip still covers the first of April.
        QCOMPARE(Expanded(lines, QDate(2027, 4, 1), QDate(2027, 4, 1)),
                 QStringList({"2027-04-01 all-day Trip"}));
    }

    void the_source_merges_enabled_calendars_in_time_order() {
        TestEnv env;
        const QString dir = env.Root() + QStringLiteral("/cache/Almanor");
        RemoteCalendar work = Calendar(QStringLiteral("Work"), QStringLiteral("https://w/a.ics"));
        work.colour = 255;
        RemoteCalendar home = Calendar(QStringLiteral("Home"), QStringLiteral("https://h/b.ics"));
        RemoteCalendar off = Calendar(QStringLiteral("Off"), QStringLiteral("https://o/c.ics"));
        off.enabled = false;
        const auto store = [&](const RemoteCalendar& calendar, const QByteArray& lines) {
            RemoteCacheState state;
            state.url = Fetch_Url(calendar.url);
            QVERIFY(Store_Remote_Data(dir, calendar, Remote_Calendar_Of(lines), state));
        };
        store(work,
              Remote_Event_Of("DTSTART;TZID=Europe/Berlin:20270310T140000\nSUMMARY:Review\n"));
        store(home,
              Remote_Event_Of("DTSTART;TZID=Europe/Berlin:20270310T090000\nSUMMARY:Dentist\n") +
                  Remote_Event_Of("DTSTART;VALUE=DATE:20270310\nSUMMARY:Birthday\n"));
        store(off, Remote_Event_Of("DTSTART;VALUE=DATE:20270310\nSUMMARY:Hidden\n"));
        // A damaged index is passed over for the data itself.
        QFile index(Remote_Data_Path(dir, work).replace(".ics", ".days"));
        QVERIFY(index.open(QIODevice::ReadWrite));
        QVERIFY(index.resize(index.size() - 3));
        index.close();

        CachedRemoteEvents source({work, home, off}, dir, Berlin);
        const QList<RemoteDayEvent> expected = {
            {QTime(), QStringLiteral("Birthday"), QStringLiteral("Home"), home.colour},
            {QTime(9, 0), QStringLiteral("Dentist"), QStringLiteral("Home"), home.colour},
            {QTime(14, 0), QStringLiteral("Review"), QStringLiteral("Work"), 255},
        };
        QCOMPARE(source.Day_Events(QDate(2027, 3, 10)), expected);
        const QLocale uk(QLocale::English, QLocale::UnitedKingdom);
        QCOMPARE(Remote_Event_Line(expected[1], uk), QStringLiteral("09:00 Dentist (Home)"));
        QCOMPARE(Remote_Event_Line(expected[0], uk), QStringLiteral("Birthday (Home)"));
        QVERIFY(source.Day_Events(QDate(2027, 3, 11)).isEmpty());
        // Far beyond the index, the data itself is expanded.
        store(home, Remote_Event_Of("DTSTART;VALUE=DATE:20270310\nRRULE:FREQ=YEARLY\n"
                                    "SUMMARY:Birthday\n"));
        source.Reload();
        QCOMPARE(source.Day_Events(QDate(2040, 3, 10)),
                 QList<RemoteDayEvent>({{QTime(), "Birthday", "Home", home.colour}}));
        QCOMPARE(source.Day_Events(QDate(2027, 3, 10)).size(), 2);

        store(work, "not a calendar");
        QCOMPARE(source.Day_Events(QDate(2027, 3, 10)).size(), 2);
        source.Reload();
        QCOMPARE(source.Day_Events(QDate(2027, 3, 10)).size(), 1);
        QVERIFY(source.Read_Errors().contains(QStringLiteral("Work")));

        // Removing a calendar takes its cache along; the others keep theirs.
        const QString ini = env.Root() + "/Almanor.ini";
        QVERIFY(Write_Remote_Calendars(ini, {work, home, off}));
        QVERIFY(Remove_Remote_Calendar(ini, dir, 1));
        QCOMPARE(Read_Remote_Calendars(ini), QList<RemoteCalendar>({work, off}));
        QVERIFY(Read_Remote_Data(dir, home).isEmpty());
        QVERIFY(!Read_Remote_Data(dir, off).isEmpty());
    }
};

ALMANOR_TEST(RemoteCoreTest)
#include "test_remote_core.moc"
