#include "calendar/MsgBox.h"
#include "common/FileSizeLimit.h"
#include "common/TestEnv.h"
#include "common/TestMain.h"
#include "events/EventStore.h"
#include "platform/FileSync.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace {

const QByteArray kThree("\"1/1/2004=New year\"\r\n"
                        "\"5/3/2004=Dentist\"\r\n"
                        "\"25/12/9999=Christmas\"\r\n");

void Verify_Error_Shown(const MsgBoxRecorder& recorder, const QString& text) {
    QCOMPARE(recorder.shown.size(), 1);
    QCOMPARE(recorder.shown.at(0).text, text);
    QCOMPARE(recorder.shown.at(0).caption, QStringLiteral("ERROR"));
    QCOMPARE(recorder.shown.at(0).icon, MsgIcon::Critical);
    QCOMPARE(recorder.shown.at(0).buttons, MsgButtons::Ok);
}

// The editor's road: key, reload, store.
bool Save_Day(EventStore& store, const QString& key, const QString& text, bool every_year) {
    store.current_key = key;
    store.every_year = every_year;
    store.Load_File();
    return store.Check_For_Pre(text);
}

} // namespace

class EventStoreTest : public QObject {
    Q_OBJECT

  private slots:
    void missing_file_means_no_events_and_first_save_creates_it() {
        TestEnv env;
        MsgBoxRecorder recorder;
        EventStore store(env.Data_File());
        store.records = QStringList{"kept"};
        QVERIFY(store.Load_File());
        QVERIFY(store.records.isEmpty());
        store.current_key = QStringLiteral("5/3/2004");
        QCOMPARE(store.Get_Message(true), QString());
        QVERIFY(!store.every_year);
        bool ok = false;
        QVERIFY(Read_Event_Records(env.Data_File(), &ok).isEmpty());
        QVERIFY(ok);
        QVERIFY(recorder.shown.isEmpty());

        EventStore fresh(env.Data_File());
        QVERIFY(
            Save_Day(fresh, QStringLiteral("5/3/2004"), Escape_Event_Text("Tom & Jerry"), false));
        QCOMPARE(TestEnv::Read_File(env.Data_File()), QByteArray("\"5/3/2004=Tom && Jerry\"\r\n"));
        QCOMPARE(Unescape_Event_Text(fresh.Get_Message(false)), QStringLiteral("Tom & Jerry"));
        QVERIFY(recorder.shown.isEmpty());
    }

    void file_deleted_while_running_brings_no_events_back() {
        TestEnv env;
        MsgBoxRecorder recorder;
        env.Write_File(QStringLiteral("Almanor/calendar.dat"), kThree);
        EventStore store(env.Data_File());
        QVERIFY(Save_Day(store, QStringLiteral("9/9/2004"), QStringLiteral("Kept?"), false));
        QVERIFY(QFile::remove(env.Data_File()));
        QVERIFY(Save_Day(store, QStringLiteral("6/3/2004"), QStringLiteral("Only me"), false));
        QCOMPARE(TestEnv::Read_File(env.Data_File()), QByteArray("\"6/3/2004=Only me\"\r\n"));

        // Clearing a day after the file went removes nothing and creates nothing.
        QVERIFY(QFile::remove(env.Data_File()));
        QVERIFY(Save_Day(store, QStringLiteral("6/3/2004"), QString(), false));
        QVERIFY(!QFile::exists(env.Data_File()));
        QVERIFY(recorder.shown.isEmpty());
    }

    void two_line_text_is_one_record_over_two_lines() {
        TestEnv env;
        EventStore store(env.Data_File());
        const QString text = QStringLiteral("Pack bags\r\nTrain at 9 = early");
        QVERIFY(Save_Day(store, QStringLiteral("7/8/2004"), text, false));
        QCOMPARE(TestEnv::Read_File(env.Data_File()),
                 QByteArray("\"7/8/2004=Pack bags\r\nTrain at 9 = early\"\r\n"));
        store.Load_File();
        QCOMPARE(store.records, QStringList{"7/8/2004=" + text});
        QCOMPARE(store.Get_Message(false), text);
    }

    void change_keeps_place_new_is_appended_empty_removes() {
        TestEnv env;
        env.Write_File(QStringLiteral("Almanor/calendar.dat"), kThree);
        EventStore store(env.Data_File());
        QVERIFY(
            Save_Day(store, QStringLiteral("5/3/2004"), QStringLiteral("Dentist at ten"), false));
        QVERIFY(Save_Day(store, QStringLiteral("9/9/2004"), QStringLiteral("New"), false));
        QCOMPARE(TestEnv::Read_File(env.Data_File()),
                 QByteArray("\"1/1/2004=New year\"\r\n\"5/3/2004=Dentist at ten\"\r\n"
                            "\"25/12/9999=Christmas\"\r\n\"9/9/2004=New\"\r\n"));
        QVERIFY(Save_Day(store, QStringLiteral("5/3/2004"), QString(), false));
        QCOMPARE(TestEnv::Read_File(env.Data_File()),
                 QByteArray("\"1/1/2004=New year\"\r\n\"25/12/9999=Christmas\"\r\n"
                            "\"9/9/2004=New\"\r\n"));
    }

    void empty_text_for_a_day_without_event_leaves_file_alone() {
        TestEnv env;
        env.Write_File(QStringLiteral("Almanor/calendar.dat"), kThree);
        const QDateTime old_time(QDate(2001, 2, 3), QTime(4, 5, 6));
        {
            QFile file(env.Data_File());
            QVERIFY(file.open(QIODevice::ReadOnly));
            QVERIFY(file.setFileTime(old_time, QFileDevice::FileModificationTime));
        }
        EventStore store(env.Data_File());
        QVERIFY(Save_Day(store, QStringLiteral("6/3/2004"), QString(), false));
        QCOMPARE(TestEnv::Read_File(env.Data_File()), kThree);
        QCOMPARE(QFileInfo(env.Data_File()).lastModified(), old_time);

        EventStore nowhere(env.Root() + QStringLiteral("/none/calendar.dat"));
        QVERIFY(Save_Day(nowhere, QStringLiteral("6/3/2004"), QString(), false));
        QVERIFY(!QFile::exists(nowhere.Path()));
    }

    void every_year_and_dated_record_order() {
        TestEnv env;
        MsgBoxRecorder recorder;
        env.Write_File(QStringLiteral("Almanor/calendar.dat"),
                       "\"5/3/9999=Yearly\"\r\n\"5/3/2004=Dated\"\r\n");
        EventStore store(env.Data_File());
        store.current_key = QStringLiteral("5/3/2004");
        QCOMPARE(store.Get_Message(false), QStringLiteral("Dated"));
        QVERIFY(!store.every_year);
        // The answer is the dated record: the box stays unticked, so saving it unchanged keeps
        // it a dated record.
        QCOMPARE(store.Get_Message(true), QStringLiteral("Dated"));
        QVERIFY(!store.every_year);
        QVERIFY(Save_Day(store, QStringLiteral("5/3/2004"), QStringLiteral("Changed"), false));
        QCOMPARE(TestEnv::Read_File(env.Data_File()),
                 QByteArray("\"5/3/9999=Yearly\"\r\n\"5/3/2004=Changed\"\r\n"));
        // Another year shows the every-year record, and that one is changed.
        store.current_key = QStringLiteral("5/3/2005");
        QCOMPARE(store.Get_Message(true), QStringLiteral("Yearly"));
        QVERIFY(store.every_year);
        QVERIFY(Save_Day(store, QStringLiteral("5/3/2005"), QStringLiteral("Every"), true));
        QCOMPARE(TestEnv::Read_File(env.Data_File()),
                 QByteArray("\"5/3/9999=Every\"\r\n\"5/3/2004=Changed\"\r\n"));
        QVERIFY(recorder.shown.isEmpty());
    }

    void save_and_clear_act_on_the_record_shown() {
        TestEnv env;
        MsgBoxRecorder recorder;
        // A dated note, then an every-year note of the same day saved later from another year:
        // 5 March 2004 shows the every-year one.
        const QByteArray both("\"1/1/2004=New year\"\r\n\"5/3/2004=Dentist\"\r\n"
                              "\"5/3/9999=Birthday\"\r\n");
        env.Write_File(QStringLiteral("Almanor/calendar.dat"), both);
        EventStore store(env.Data_File());
        store.current_key = QStringLiteral("5/3/2004");
        QCOMPARE(store.Get_Message(true), QStringLiteral("Birthday"));
        QVERIFY(store.every_year);

        QVERIFY(
            Save_Day(store, QStringLiteral("5/3/2004"), QStringLiteral("Birthday party"), true));
        QCOMPARE(TestEnv::Read_File(env.Data_File()),
                 QByteArray("\"1/1/2004=New year\"\r\n\"5/3/2004=Dentist\"\r\n"
                            "\"5/3/9999=Birthday party\"\r\n"));

        // Unticked, the shown record becomes a dated record of the year edited, in its place.
        QVERIFY(Save_Day(store, QStringLiteral("5/3/2004"), QStringLiteral("Party"), false));
        QCOMPARE(TestEnv::Read_File(env.Data_File()),
                 QByteArray("\"1/1/2004=New year\"\r\n\"5/3/2004=Dentist\"\r\n"
                            "\"5/3/2004=Party\"\r\n"));

        // Clear removes the record shown, then the one shown after it.
        env.Write_File(QStringLiteral("Almanor/calendar.dat"), both);
        QVERIFY(Save_Day(store, QStringLiteral("5/3/2004"), QString(), false));
        QCOMPARE(TestEnv::Read_File(env.Data_File()),
                 QByteArray("\"1/1/2004=New year\"\r\n\"5/3/2004=Dentist\"\r\n"));
        store.current_key = QStringLiteral("5/3/2004");
        QCOMPARE(store.Get_Message(false), QStringLiteral("Dentist"));
        QVERIFY(Save_Day(store, QStringLiteral("5/3/2004"), QString(), false));
        QCOMPARE(TestEnv::Read_File(env.Data_File()), QByteArray("\"1/1/2004=New year\"\r\n"));
        QVERIFY(recorder.shown.isEmpty());
    }

    void keys_with_leading_zeros_or_spaces_are_the_same_day() {
        TestEnv env;
        MsgBoxRecorder recorder;
        env.Write_File(QStringLiteral("Almanor/calendar.dat"),
                       "\"05/03/2004=Zeros\"\r\n\" 6/3/2004=Space\"\r\n\"7/03/9999=Yearly\"\r\n"
                       "\"15/3/2004=Other day\"\r\n");
        EventStore store(env.Data_File());
        store.current_key = QStringLiteral("5/3/2004");
        QCOMPARE(store.Get_Message(false), QStringLiteral("Zeros"));
        store.current_key = QStringLiteral("6/3/2004");
        QCOMPARE(store.Get_Message(false), QStringLiteral("Space"));
        store.current_key = QStringLiteral("7/3/2010");
        QCOMPARE(store.Get_Message(true), QStringLiteral("Yearly"));
        QVERIFY(store.every_year);

        // A save writes the plain key in the record's place; a removal finds the record.
        QVERIFY(Save_Day(store, QStringLiteral("5/3/2004"), QStringLiteral("Changed"), false));
        QVERIFY(Save_Day(store, QStringLiteral("6/3/2004"), QString(), false));
        QVERIFY(Save_Day(store, QStringLiteral("7/3/2010"), QStringLiteral("Still"), true));
        QCOMPARE(TestEnv::Read_File(env.Data_File()),
                 QByteArray("\"5/3/2004=Changed\"\r\n\"7/3/9999=Still\"\r\n"
                            "\"15/3/2004=Other day\"\r\n"));
        QVERIFY(recorder.shown.isEmpty());
    }

    void record_without_equals() {
        TestEnv env;
        MsgBoxRecorder recorder;
        env.Write_File(QStringLiteral("Almanor/calendar.dat"),
                       "\"5/3/2004=First\"\r\nstray line\r\n\"5/3/2004=Last\"\r\n");
        EventStore store(env.Data_File());
        store.current_key = QStringLiteral("5/3/2004");
        // The lookup stops at the bad record with what it found before it.
        QCOMPARE(store.Get_Message(false), QStringLiteral("First"));
        Verify_Error_Shown(recorder, QStringLiteral("Error loading in data file."));

        bool ok = false;
        const QStringList records = Read_Event_Records(env.Data_File(), &ok);
        QVERIFY(ok);
        QVERIFY(Record_Key(records.at(1)).isNull());

        // An update can't match it, so it stays where it was and is written back as read.
        recorder.shown.clear();
        QVERIFY(Save_Day(store, QStringLiteral("5/3/2004"), QString(), false));
        QVERIFY(Save_Day(store, QStringLiteral("6/3/2004"), QStringLiteral("x"), false));
        QCOMPARE(TestEnv::Read_File(env.Data_File()),
                 QByteArray("\"stray line\"\r\n\"5/3/2004=Last\"\r\n\"6/3/2004=x\"\r\n"));
        QVERIFY(recorder.shown.isEmpty());
    }

    void unreadable_file_is_reported_and_never_overwritten() {
        TestEnv env;
        MsgBoxRecorder recorder;
        QVERIFY(QDir().mkpath(env.Data_File()));
        EventStore store(env.Data_File());
        store.current_key = QStringLiteral("5/3/2004");
        QVERIFY(!store.Load_File());
        Verify_Error_Shown(recorder, QStringLiteral("Error loading in data file."));
        recorder.shown.clear();
        QCOMPARE(store.Get_Message(false), QString());
        Verify_Error_Shown(recorder, QStringLiteral("Error loading in data file."));
        recorder.shown.clear();
        QVERIFY(!store.Check_For_Pre(QStringLiteral("x")));
        Verify_Error_Shown(recorder, QStringLiteral("Error saving data file."));
        bool ok = true;
        Read_Event_Records(env.Data_File(), &ok);
        QVERIFY(!ok);
    }

    // The only guard against writing a partial list over the whole file: after a failed load a
    // save is refused even when it would succeed.
    void failed_load_refuses_a_save_that_could_succeed() {
        TestEnv env;
        MsgBoxRecorder recorder;
        QVERIFY(QDir().mkpath(env.Data_File()));
        EventStore store(env.Data_File());
        store.current_key = QStringLiteral("5/3/2004");
        QVERIFY(!store.Load_File());
        // The file is writable again, but the list in memory is not the file's.
        QVERIFY(QDir().rmdir(env.Data_File()));
        recorder.shown.clear();
        QVERIFY(!store.Check_For_Pre(QStringLiteral("x")));
        Verify_Error_Shown(recorder, QStringLiteral("Error saving data file."));
        QVERIFY(!QFile::exists(env.Data_File()));
    }

    void refused_save_keeps_old_file() {
        TestEnv env;
        MsgBoxRecorder recorder;
        // The program folder can't be made: its parent is a regular file.
        const QString blocker = env.Write_File(QStringLiteral("blocker"), "keep");
        EventStore nowhere(blocker + QStringLiteral("/calendar.dat"));
        QVERIFY(!Save_Day(nowhere, QStringLiteral("5/3/2004"), QStringLiteral("x"), false));
        Verify_Error_Shown(recorder, QStringLiteral("Error saving data file."));
        QCOMPARE(TestEnv::Read_File(blocker), QByteArray("keep"));

#ifdef ALMANOR_HAVE_RLIMIT
        recorder.shown.clear();
        env.Write_File(QStringLiteral("Almanor/calendar.dat"), kThree);
        EventStore store(env.Data_File());
        store.current_key = QStringLiteral("5/3/2004");
        QVERIFY(store.Load_File());
        bool saved = true;
        {
            FileSizeLimit full_disk(16);
            saved = store.Check_For_Pre(QString(1000, QLatin1Char('z')));
        }
        QVERIFY(!saved);
        Verify_Error_Shown(recorder, QStringLiteral("Error saving data file."));
        QCOMPARE(TestEnv::Read_File(env.Data_File()), kThree);
        QCOMPARE(QDir(env.Program_Dir()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"calendar.dat"});
#endif
    }

    // The new bytes are written but can't be flushed to the disk: the rename must not happen.
    void unflushed_save_keeps_old_file() {
        TestEnv env;
        MsgBoxRecorder recorder;
        env.Write_File(QStringLiteral("Almanor/calendar.dat"), kThree);
        EventStore store(env.Data_File());
        Set_File_Sync([](QFile&) { return false; });
        const bool saved = Save_Day(store, QStringLiteral("5/3/2004"), QStringLiteral("x"), false);
        Set_File_Sync(nullptr);
        QVERIFY(!saved);
        Verify_Error_Shown(recorder, QStringLiteral("Error saving data file."));
        QCOMPARE(TestEnv::Read_File(env.Data_File()), kThree);
        QCOMPARE(QDir(env.Program_Dir()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"calendar.dat"});
    }
};

ALMANOR_TEST(EventStoreTest)
#include "test_event_store.moc"
