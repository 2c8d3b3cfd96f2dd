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
    Event_Of("DTSTART;VALUE=DATE:20270101\nSUMMARY:Fireworks\n"));

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
        QCOMPARE(first.count, 4);
        const QByteArray merged = TestEnv::Read_File(env.Data_File());
        QCOMPARE(merged,
                 QByteArray("\"10/3/2026=Old note + 09:30 Dentist + Tom && Jerry 'live'\"\r\n"
                            "\"1/1/9999=New year + Fireworks\"\r\n"
                            "\"5/5/9999=Anna's birthday\"\r\n"));
        QCOMPARE(TestEnv::Read_File(Backup_Of(env)), kExisting);

        const ICalFileOutcome again = Import_ICal_File(ics, env.Data_File(), Berlin_Context());
        QVERIFY(again.ok);
        QCOMPARE(again.count, 0);
        QCOMPARE(TestEnv::Read_File(env.Data_File()), merged);
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
