#include "IcalTestSupport.h"

#include "common/TestEnv.h"
#include "common/TestMain.h"
#include "events/EventStore.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

const QByteArray kExisting("\"10/3/2026=Old note\"\r\n\"1/1/9999=New year\"\r\n");

const QByteArray kTwoOnOneDay = Calendar_Of(
    Event_Of("DTSTART;TZID=Europe/Berlin:20260310T093000\nSUMMARY:Dentist\n") +
    Event_Of("DTSTART;VALUE=DATE:20260310\nSUMMARY:Tom & Jerry \"live\"\n") +
    Event_Of("DTSTART;VALUE=DATE:19800505\nRRULE:FREQ=YEARLY\nSUMMARY:Anna's birthday\n") +
    Event_Of("DTSTART;VALUE=DATE:20270101\nSUMMARY:Fireworks\n") +
    Event_Of("UID:again\nDTSTART;VALUE=DATE:20260310\nSUMMARY:Tom & Jerry \"live\"\n"));

QString Backup_Of(const TestEnv& env) {
    return env.Program_Dir() + QStringLiteral("/data.bak");
}

} // namespace

class ICalFileTest : public QObject {
    Q_OBJECT

  private slots:
    void events_merge_into_their_days_once() {
        TestEnv env;
        env.Write_File(QStringLiteral("Almanor/calendar.dat"), kExisting);
        const QString ics = env.Write_File(QStringLiteral("in.ics"), kTwoOnOneDay);

        const ICalFileOutcome first = Import_ICal_File(ics, env.Data_File(), Berlin_Context());
        QVERIFY2(first.ok, qPrintable(first.error));
        QCOMPARE(first.count, 5);
        // The one-off on New Year's Day keeps to its own year; both "live" shows of the file stay.
        const QByteArray merged = TestEnv::Read_File(env.Data_File());
        QCOMPARE(merged, QByteArray("\"10/3/2026=Old note + 09:30 Dentist + Tom && Jerry 'live' + "
                                    "Tom && Jerry 'live'\"\r\n"
                                    "\"1/1/9999=New year\"\r\n"
                                    "\"5/5/9999=Anna's birthday\"\r\n"
                                    "\"1/1/2027=Fireworks\"\r\n"));
        QCOMPARE(TestEnv::Read_File(Backup_Of(env)), kExisting);

        const ICalFileOutcome again = Import_ICal_File(ics, env.Data_File(), Berlin_Context());
        QVERIFY(again.ok);
        QCOMPARE(again.count, 0);
        QCOMPARE(TestEnv::Read_File(env.Data_File()), merged);
        QCOMPARE(ICal_Import_Message(again, ics),
                 "Successfully imported 0 events from the iCalendar file...\r\n\r\n" + ics);
    }

    void the_import_message_tells_of_series_cut_at_the_limit() {
        TestEnv env;
        const QString ics = env.Write_File(
            QStringLiteral("daily.ics"),
            Calendar_Of(Event_Of("DTSTART;VALUE=DATE:20200101\nRRULE:FREQ=DAILY\nSUMMARY:Pill\n") +
                        Event_Of("DTSTART:20200101T000000\nRRULE:FREQ=HOURLY\nSUMMARY:Sip\n")));
        const ICalFileOutcome outcome = Import_ICal_File(ics, env.Data_File(), Berlin_Context());
        QVERIFY(outcome.ok);
        QCOMPARE(outcome.count, 2 * Max_ICal_Occurrences);
        QCOMPARE(
            ICal_Import_Message(outcome, ics),
            "Successfully imported 800 events from the iCalendar file...\r\n\r\n"
            "2 repeating events were cut at 400 occurrences each, the first \"Pill\".\r\n\r\n" +
                ics);
    }

    void broken_files_leave_calendar_dat_as_it_was() {
        TestEnv env;
        env.Write_File(QStringLiteral("Almanor/calendar.dat"), kExisting);
        QByteArray png("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
        png += QByteArray(300, '\x7f');
        const QString missing = env.Root() + QStringLiteral("/none.ics");
        const struct {
            QString path;
            QString error;
        } cases[] = {
            {env.Write_File(QStringLiteral("cut.ics"),
                            kTwoOnOneDay.first(kTwoOnOneDay.indexOf("Jerry"))),
             QStringLiteral("The file ends at line 14 before the calendar is closed.")},
            {env.Write_File(QStringLiteral("picture.ics"), png),
             QStringLiteral("Line 1 is not the start of a calendar (BEGIN:VCALENDAR).")},
            {missing, QStringLiteral("The file can't be read.")},
        };
        for (const auto& broken : cases) {
            const ICalFileOutcome outcome =
                Import_ICal_File(broken.path, env.Data_File(), Berlin_Context());
            QVERIFY(!outcome.ok);
            QCOMPARE(outcome.error, broken.error);
            QCOMPARE(TestEnv::Read_File(env.Data_File()), kExisting);
            QVERIFY(!QFile::exists(Backup_Of(env)));
        }
    }

    void export_and_import_give_the_same_records_back() {
        TestEnv env;
        const QStringList records{
            "5/3/2004=Tom && Jerry",
            "25/12/9999=Christmas",
            "29/2/9999=Leap day",
            "7/8/2004=Pack bags\r\nTrain; early, at 9",
            QStringLiteral("14/2/2004=Blumen für Jürgen — 花 — and a text long enough that "
                           "libical must fold its line at least once"),
            "31/12/1999=Party = fun",
        };
        env.Write_File(QStringLiteral("Almanor/calendar.dat"), Format_Event_File(records));
        const QString ics = env.Root() + QStringLiteral("/out.ics");
        const QDateTime now(QDate(2026, 12, 7), QTime(9, 0));
        const ICalFileOutcome exported = Export_ICal_File(env.Data_File(), ics, now);
        QVERIFY2(exported.ok, qPrintable(exported.error));
        QCOMPARE(exported.count, records.size());

        const QString empty = env.Root() + QStringLiteral("/other/calendar.dat");
        QVERIFY(QDir().mkpath(env.Root() + QStringLiteral("/other")));
        const ICalFileOutcome imported = Import_ICal_File(ics, empty, Berlin_Context());
        QVERIFY2(imported.ok, qPrintable(imported.error));
        QCOMPARE(imported.count, records.size());
        bool read = false;
        QCOMPARE(Read_Event_Records(empty, &read), records);
        QVERIFY(read);

        // Records that are not a day are told, not passed over in silence.
        env.Write_File(QStringLiteral("Almanor/calendar.dat"),
                       Format_Event_File(records + QStringList{"31/2/2004=Never", "no date",
                                                               "1/13/2004=Nor this"}));
        const ICalFileOutcome partly = Export_ICal_File(env.Data_File(), ics, now);
        QVERIFY(partly.ok);
        QCOMPARE(partly.count, records.size());
        QCOMPARE(ICal_Export_Message(partly, ics),
                 QStringLiteral("Successfully exported %1 events to the iCalendar file...\r\n\r\n"
                                "3 records couldn't be read and were left out, the first "
                                "\"31/2/2004\".\r\n\r\n")
                         .arg(records.size()) +
                     ics);

        // A folder that isn't there can't take the file; nothing half-written is left.
        const QString nowhere = env.Root() + QStringLiteral("/missing/out.ics");
        const ICalFileOutcome failed = Export_ICal_File(env.Data_File(), nowhere, now);
        QVERIFY(!failed.ok);
        QCOMPARE(failed.error, QStringLiteral("The file can't be written."));
        QVERIFY(!QFile::exists(nowhere));
    }
};

ALMANOR_TEST(ICalFileTest)

#include "test_ical_files.moc"
