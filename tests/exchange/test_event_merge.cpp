#include "common/FileSizeLimit.h"
#include "common/TestEnv.h"
#include "common/TestMain.h"
#include "events/EventFileLock.h"
#include "events/EventStore.h"
#include "events/ReplaceFile.h"
#include "exchange/EventMerge.h"

#include <QFile>
#include <QTest>

#include <chrono>
#include <memory>
#include <thread>

namespace {

ImportedEvent Dated(int y, int m, int d, const QString& text) {
    return ImportedEvent{QDate(y, m, d), false, text};
}

const QByteArray kStored("\"1/1/2004=New year\"\r\n"
                         "\"5/3/2004=Dentist\"\r\n"
                         "\"25/12/9999=Christmas\"\r\n");

} // namespace

class EventMergeTest : public QObject {
    Q_OBJECT

  private slots:
    void same_day_events_join_one_record_in_place() {
        QStringList records{"1/1/2004=New year", "5/3/2004=Dentist", "25/12/9999=Christmas"};
        const int added = Merge_Imported_Events(
            records, {Dated(2004, 3, 5, "Lunch"), Dated(2004, 12, 25, "Dinner"),
                      Dated(2004, 4, 1, "Meeting"), Dated(2004, 4, 1, "Room 2, floor 3")});
        QCOMPARE(added, 4);
        QCOMPARE(records, (QStringList{"1/1/2004=New year", "5/3/2004=Dentist + Lunch",
                                       "25/12/9999=Christmas", "25/12/2004=Dinner",
                                       "1/4/2004=Meeting + Room 2, floor 3"}));
    }

    void one_off_and_every_year_events_keep_to_their_own_records() {
        // A yearly holiday calendar first, then another calendar's one-offs on the same days.
        QStringList records{"25/12/9999=Christmas", "1/1/9999=New year"};
        const int added = Merge_Imported_Events(
            records, {Dated(2026, 12, 25, "Christmas Day"), Dated(2026, 1, 1, "New year"),
                      ImportedEvent{QDate(2030, 12, 25), true, "Carols"},
                      ImportedEvent{QDate(2030, 12, 24), true, "Eve"}});
        QCOMPARE(added, 3);
        QCOMPARE(records, (QStringList{"25/12/9999=Christmas + Carols", "1/1/9999=New year",
                                       "25/12/2026=Christmas Day", "24/12/9999=Eve"}));
        // An every-year event never joins the record of one year only.
        QStringList dated{"25/12/2004=Party", "25/12/2004=Later"};
        Merge_Imported_Events(dated, {ImportedEvent{QDate(2030, 12, 25), true, "Party"},
                                      Dated(2004, 12, 25, "Dinner")});
        QCOMPARE(dated, (QStringList{"25/12/2004=Party + Dinner", "25/12/2004=Later",
                                     "25/12/9999=Party"}));
    }

    void text_is_stored_as_the_editor_stores_typed_text() {
        QStringList records;
        Merge_Imported_Events(records, {Dated(2026, 3, 5, "Tom & Jerry say \"hi\"")});
        QCOMPARE(records, QStringList{"5/3/2026=Tom && Jerry say 'hi'"});
        QCOMPARE(Unescape_Event_Text(Record_Text(records.at(0))),
                 QStringLiteral("Tom & Jerry say 'hi'"));
    }

    void only_texts_stored_before_count_as_already_there() {
        QStringList records{"5/3/2004=Dentist + Tom && Jerry", "6/3/2004=Lunch + Gym",
                            "8/3/2004=Birthday Party + A Day Out"};
        const QList<ImportedEvent> events{
            Dated(2004, 3, 5, "Tom & Jerry"), Dated(2004, 3, 5, "Dentist"),
            Dated(2004, 3, 6, "Lunch + Gym"), // a run of whole parts
            Dated(2004, 3, 6, "Gy"),          // only part of a part: new
            Dated(2004, 3, 6, "Gy"),          // the same again in one file: kept
            Dated(2004, 3, 8, "Party"),       // the end of a part: new
            Dated(2004, 3, 8, "Day"),         // the middle of a part: new
            Dated(2004, 3, 7, "Walk"),        Dated(2004, 3, 7, "Walk")};
        QCOMPARE(Merge_Imported_Events(records, events), 6);
        QCOMPARE(records,
                 (QStringList{"5/3/2004=Dentist + Tom && Jerry", "6/3/2004=Lunch + Gym + Gy + Gy",
                              "8/3/2004=Birthday Party + A Day Out + Party + Day",
                              "7/3/2004=Walk + Walk"}));
        // The same file twice changes nothing the second time.
        const QStringList after_first = records;
        QCOMPARE(Merge_Imported_Events(records, events), 0);
        QCOMPARE(records, after_first);

        // A long day is looked up by its parts.
        QStringList long_day{"5/3/2004=Start"};
        QList<ImportedEvent> many;
        for (int i = 0; i < 2000; ++i)
            many.append(Dated(2004, 3, 5, QStringLiteral("Item %1").arg(i % 1000)));
        QCOMPARE(Merge_Imported_Events(long_day, many), 2000);
        QCOMPARE(long_day.at(0).count(QStringLiteral(" + ")), 2000);
        QCOMPARE(Merge_Imported_Events(long_day, many), 0);
    }

    void invalid_days_empty_texts_and_odd_records_are_passed_over() {
        QStringList records{"no equals sign here", "5/3/2004="};
        const QList<ImportedEvent> events{ImportedEvent{QDate(), false, "Lost"},
                                          Dated(2004, 3, 5, ""), Dated(2004, 3, 5, "Filled")};
        QCOMPARE(Merge_Imported_Events(records, events), 1);
        QCOMPARE(records, (QStringList{"no equals sign here", "5/3/2004=Filled"}));
    }
};

class DataFileImportTest : public QObject {
    Q_OBJECT

  private slots:
    void import_saves_once_and_keeps_the_old_file_as_data_bak() {
        TestEnv env;
        const QString data = env.Write_File("Almanor/calendar.dat", kStored);
        const ImportOutcome outcome =
            Import_Events_Into_Data_File(data, {Dated(2004, 3, 5, "Lunch & more")});
        QVERIFY(outcome.ok);
        QCOMPARE(outcome.added, 1);
        QCOMPARE(TestEnv::Read_File(env.Program_Dir() + "/data.bak"), kStored);
        bool ok = false;
        QCOMPARE(Read_Event_Records(data, &ok),
                 (QStringList{"1/1/2004=New year", "5/3/2004=Dentist + Lunch && more",
                              "25/12/9999=Christmas"}));
        QVERIFY(ok);
    }

    // The note sync, in its own process, holds calendar.dat while it reads, changes and writes
    // it: an import meanwhile merges into the sync's result rather than writing over it.
    void import_waits_for_a_writer_that_holds_the_lock() {
        TestEnv env;
        const QString data = env.Write_File("Almanor/calendar.dat", "\"1/1/2004=New year\"\r\n");
        auto lock = std::make_unique<EventFileLock>(data);
        QVERIFY(lock->Locked());
        std::thread sync([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            Replace_File(data, "\"1/1/2004=New year\"\r\n\"2/1/2004=From the phone\"\r\n");
            lock.reset();
        });
        const ImportOutcome outcome =
            Import_Events_Into_Data_File(data, {Dated(2004, 3, 5, "Lunch")});
        sync.join();
        QVERIFY(outcome.ok);
        bool ok = false;
        QCOMPARE(Read_Event_Records(data, &ok),
                 (QStringList{"1/1/2004=New year", "2/1/2004=From the phone", "5/3/2004=Lunch"}));
    }

    void import_into_a_missing_file_creates_it_and_drops_a_stale_backup() {
        TestEnv env;
        env.Write_File("Almanor/data.bak", "\"1/1/1999=Old\"\r\n");
        const QString data = env.Data_File();
        QVERIFY(Import_Events_Into_Data_File(data, {Dated(2026, 3, 5, "New")}).ok);
        QCOMPARE(TestEnv::Read_File(data), QByteArray("\"5/3/2026=New\"\r\n"));
        QVERIFY(!QFile::exists(env.Program_Dir() + "/data.bak"));
    }

    void nothing_new_leaves_the_file_untouched() {
        TestEnv env;
        // Windows-1252 bytes: a rewrite would turn them into UTF-8.
        const QByteArray old("\"5/3/2004=Caf\xE9\"\r\n");
        const QString data = env.Write_File("Almanor/calendar.dat", old);
        const ImportOutcome outcome =
            Import_Events_Into_Data_File(data, {Dated(2004, 3, 5, QStringLiteral("Caf\u00E9"))});
        QVERIFY(outcome.ok);
        QCOMPARE(outcome.added, 0);
        QCOMPARE(TestEnv::Read_File(data), old);
    }

    void failed_save_leaves_calendar_dat_byte_for_byte_and_no_backup() {
#ifndef ALMANOR_HAVE_RLIMIT
        QSKIP("no file size limit on this system");
#else
        TestEnv env;
        const QString data = env.Write_File("Almanor/calendar.dat", kStored);
        ImportOutcome outcome;
        {
            // Room for the backup, not for the grown file.
            FileSizeLimit full_disk(kStored.size() + 4);
            outcome = Import_Events_Into_Data_File(data, {Dated(2004, 3, 5, "Lunch")});
        }
        QVERIFY(!outcome.ok);
        QCOMPARE(outcome.added, 0);
        QCOMPARE(outcome.error, QStringLiteral("The data file couldn't be saved."));
        QCOMPARE(TestEnv::Read_File(data), kStored);
        QVERIFY(!QFile::exists(env.Program_Dir() + "/data.bak"));
#endif
    }

    void restore_puts_back_only_what_changed_and_removes_the_backup() {
        TestEnv env;
        const QString data = env.Write_File("Almanor/calendar.dat", kStored);
        QVERIFY(Backup_Data_File(data));
        env.Write_File("Almanor/calendar.dat", "\"half");
        Restore_Data_File(data);
        QCOMPARE(TestEnv::Read_File(data), kStored);
        QVERIFY(!QFile::exists(Data_Backup_Path(data)));
        Restore_Data_File(data); // no backup: nothing happens
        QCOMPARE(TestEnv::Read_File(data), kStored);
    }
};

ALMANOR_TEST(EventMergeTest)
ALMANOR_TEST(DataFileImportTest)

#include "test_event_merge.moc"
