// A save killed at any moment loses nothing: calendar.dat and the settings file always read back
// whole, holding what they held before the interrupted save or after it.
#include "calendar/AppSettings.h"
#include "calendar/SettingsStore.h"
#include "common/TestEnv.h"
#include "common/TestMain.h"
#include "events/EventStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>
#include <QThread>

namespace {

// How many kills a run makes: ALMANOR_KILLS, 100 unless set.
int Kill_Count() {
    bool ok = false;
    const int count = qEnvironmentVariableIntValue("ALMANOR_KILLS", &ok);
    return ok && count > 0 ? count : 100;
}

QString Driver() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/save_loop");
}

// Starts the driver, lets it save for a random while and kills it with SIGKILL.
void Run_And_Kill(const QString& mode, const QString& file, QRandomGenerator& random) {
    QProcess driver;
    driver.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    driver.start(Driver(), {mode, file});
    QVERIFY2(driver.waitForStarted(), qPrintable(driver.errorString()));
    QVERIFY(driver.waitForReadyRead(30000)); // the first save is done
    QThread::usleep(random.bounded(0, 30000));
    QCOMPARE(driver.state(), QProcess::Running); // it saves until killed, never stops by itself
    driver.kill();
    QVERIFY(driver.waitForFinished());
}

// The files of the folder other than the expected ones: temporaries a save left behind.
QStringList Strays(const QString& folder, const QStringList& expected) {
    QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    for (const QString& name : expected)
        files.removeAll(name);
    return files;
}

} // namespace

class KillWhileSavingTest : public QObject {
    Q_OBJECT
  private slots:
    void calendar_file_survives_every_kill() {
        TestEnv env;
        QStringList base;
        for (int i = 1; i <= 400; ++i)
            base.append(QStringLiteral("%1/%2/2004=Event number %3 with some text to write")
                            .arg(i % 28 + 1)
                            .arg(i % 12 + 1)
                            .arg(i));
        env.Write_File(QStringLiteral("Almanor/calendar.dat"), Format_Event_File(base));
        QRandomGenerator random(20261207);
        qint64 last = 0;
        int lost = 0, unreadable = 0;
        const int kills = Kill_Count();
        for (int kill = 0; kill < kills; ++kill) {
            Run_And_Kill(QStringLiteral("events"), env.Data_File(), random);
            bool ok = false;
            QStringList records = Read_Event_Records(env.Data_File(), &ok);
            // The counter record is added after the base records and then changed in place.
            const QString counter =
                Record_Key(records.value(records.size() - 1)) == QLatin1String("1/1/2000")
                    ? records.takeLast()
                    : QString();
            const qint64 value = Record_Text(counter).toLongLong();
            if (!ok)
                ++unreadable;
            else if (records != base || (!counter.isEmpty() && value < last))
                ++lost;
            last = qMax(last, value);
            // A killed save may leave its temporary file; the next save takes it away, so no
            // more than the one of the last kill is ever there.
            const QStringList strays =
                Strays(env.Program_Dir(),
                       {QStringLiteral("calendar.dat"), QStringLiteral("calendar.dat.saving")});
            QVERIFY2(strays.isEmpty(), qPrintable(strays.join(QLatin1Char(' '))));
        }
        QCOMPARE(unreadable, 0);
        QCOMPARE(lost, 0);
        // One more save after the last kill leaves the program folder holding calendar.dat only.
        EventStore store(env.Data_File());
        store.current_key = QStringLiteral("2/1/2000");
        QVERIFY(store.Load_File());
        QVERIFY(store.Check_For_Pre(QStringLiteral("after")));
        QCOMPARE(Strays(env.Program_Dir(), {QStringLiteral("calendar.dat")}), QStringList());
        QVERIFY(last >= kills); // every run saved at least once
        qInfo("%d kills, %lld saves completed, 0 records lost, 0 unreadable files", kills, last);
    }

    void settings_file_survives_every_kill() {
        TestEnv env;
        const QString path = Settings_File_Path();
        {
            // A full file: every key written once, so a cut file would lose some of them.
            SettingsStore store(path);
            AppSettings settings;
            settings.Style = 2;
            Save_Setting(store, settings, QStringLiteral("Settings"), QStringLiteral("Style"), 2);
            Save_Setting(store, settings, QStringLiteral("Colours"), QStringLiteral("Today"), 255);
            Save_Setting(store, settings, QStringLiteral("Settings"),
                         QStringLiteral("Bar Time Format"), QStringLiteral("HH:mm:ss"));
        }
        QRandomGenerator random(7122026);
        qint32 last = 0;
        const int kills = qMax(10, Kill_Count() / 4);
        for (int kill = 0; kill < kills; ++kill) {
            Run_And_Kill(QStringLiteral("settings"), path, random);
            QList<IgnoredSetting> ignored;
            const AppSettings read = Load_Settings(SettingsStore(path), &ignored);
            QVERIFY(ignored.isEmpty());
            QCOMPARE(read.Style, qint16(2));
            QCOMPARE(read.Today, 255);
            QCOMPARE(read.Bar_Time_Format, QStringLiteral("HH:mm:ss"));
            QVERIFY(read.Manual_PosX >= last);
            last = read.Manual_PosX;
        }
        QVERIFY(last >= kills);
        qInfo("%d kills, %d settings saves completed, the file read whole after each", kills, last);
    }
};

ALMANOR_TEST(KillWhileSavingTest)
#include "test_kill_while_saving.moc"
