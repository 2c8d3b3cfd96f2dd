#include "RemoteTestSupport.h"
#include "TestServers.h"

#include "common/TestEnv.h"
#include "common/TestMain.h"
#include "remote/RemoteCache.h"
#include "remote/RemoteFetchLauncher.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>

class FetchLauncherTest : public QObject {
    Q_OBJECT

  private slots:
    void the_fetch_runs_only_for_calendars_that_are_on() {
        TestEnv env;
        const QString ini = env.Config_Home() + "/Almanor/Almanor.ini";
        const QString cache = env.Root() + "/cache/Almanor";
        const auto now = [] { return QDateTime::currentDateTimeUtc(); };
        RemoteFetchLauncher launcher(FETCH_PROGRAM, ini, cache, {}, now);
        // Without a calendar that is on, no timer and no process.
        launcher.Schedule();
        QVERIFY(!launcher.Next_Fetch().isValid());

        env.Write_File("served/team.ics",
                       Remote_Calendar_Of(Remote_Event_Of("DTSTART;VALUE=DATE:20270310\n"
                                                          "SUMMARY:Holiday\n")));
        TestServer server;
        QVERIFY(server.Start_Ics(env.Root() + "/served"));
        RemoteCalendar team;
        team.name = "Team";
        team.url = server.Base() + "/team.ics";
        team.refresh_minutes = 30;
        QVERIFY(Write_Remote_Calendars(ini, {team}));
        launcher.Schedule();
        QVERIFY(launcher.Next_Fetch().isValid());
        QVERIFY(launcher.Next_Fetch() <= now());

        QSignalSpy finished(&launcher, &RemoteFetchLauncher::Fetch_Finished);
        QVERIFY(launcher.Refresh_Now());
        QVERIFY(!launcher.Refresh_Now());
        QVERIFY(finished.wait(60000));
        QCOMPARE(finished.first().first().toBool(), true);
        QVERIFY(Read_Remote_Data(cache, team).contains("Holiday"));
        // The next one is due an interval after this one.
        const qint64 wait = now().secsTo(launcher.Next_Fetch());
        QVERIFY2(wait > 29 * 60 && wait <= 30 * 60, qPrintable(QString::number(wait)));

        // A fetch program that can't start is tried again only after the least interval, not
        // at once and again and again.
        RemoteFetchLauncher missing(env.Root() + "/no/AlmanorFetch", ini, env.Root() + "/other", {},
                                    now);
        QSignalSpy failed(&missing, &RemoteFetchLauncher::Fetch_Finished);
        QVERIFY(missing.Refresh_Now());
        QVERIFY(failed.wait(10000));
        QCOMPARE(failed.first().first().toBool(), false);
        QVERIFY(now().secsTo(missing.Next_Fetch()) > 4 * 60);
    }

    // The note sync: started on demand and once changes pause, never lost to a fetch that runs,
    // and never started without a calendar that keeps the notes.
    void the_note_sync_follows_changes_and_waits_for_a_running_fetch() {
        TestEnv env;
        const QString ini = env.Config_Home() + "/Almanor/Almanor.ini";
        const QString log = env.Root() + "/runs.log";
        // Records each run's arguments; a refresh of all takes a while, so a sync asked for
        // meanwhile has to wait for it.
        const QString program = env.Write_File(
            "fake/AlmanorFetch", "#!/bin/sh\necho \"$*\" >> '" + log.toUtf8() +
                                     "'\n[ \"$1\" = --all ] && sleep 1\n[ -e '" +
                                     env.Root().toUtf8() + "/offline' ] && exit 1\nexit 0\n");
        QVERIFY(QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner));
        const auto runs = [&] {
            QStringList lines = QString::fromUtf8(TestEnv::Read_File(log)).split('\n');
            lines.removeAll(QString());
            return lines;
        };
        RemoteFetchLauncher launcher(program, ini, env.Root() + "/cache", {},
                                     [] { return QDateTime::currentDateTimeUtc(); });
        launcher.Set_Notes_File(env.Data_File());
        QSignalSpy finished(&launcher, &RemoteFetchLauncher::Fetch_Finished);

        RemoteCalendar feed;
        feed.name = "Feed";
        feed.url = "https://127.0.0.1:9/feed.ics";
        feed.enabled = false;
        RemoteCalendar notes;
        notes.name = "Notes";
        notes.url = "http://127.0.0.1:9/user/notes/";
        QVERIFY(Write_Remote_Calendars(ini, {feed, notes}));
        QVERIFY(!launcher.Sync_Notes_Now());
        launcher.Notes_Changed();
        QVERIFY(!launcher.Notes_Sync_Waiting());

        notes.keep_notes = true;
        QVERIFY(Write_Remote_Calendars(ini, {feed, notes}));
        QVERIFY(launcher.Sync_Notes_Now());
        QVERIFY(finished.wait(10000));
        const QString sync = "--calendar 2 --passwords --settings " + ini + " --cache " +
                             env.Root() + "/cache --data " + env.Data_File();
        QCOMPARE(runs(), QStringList{sync});
        // It has no cache to date it by: its interval counts from that sync, not from never.
        QVERIFY(QDateTime::currentDateTimeUtc().secsTo(launcher.Next_Fetch()) > 59 * 60);

        // Changes one after another make one sync, once they have paused.
        launcher.Notes_Changed();
        launcher.Notes_Changed();
        QVERIFY(launcher.Notes_Sync_Waiting());
        QVERIFY(finished.wait(10000));
        QVERIFY(!finished.wait(RemoteFetchLauncher::Notes_Delay.count() + 500));
        QCOMPARE(runs(), (QStringList{sync, sync}));

        // A sync asked for while a refresh runs follows it: the change may be newer than what
        // that refresh read.
        finished.clear();
        QVERIFY(launcher.Refresh_Now());
        QVERIFY(launcher.Sync_Notes_Now());
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 2, 10000);
        QCOMPARE(runs().mid(2), (QStringList{"--all" + sync.mid(12), sync}));
        QVERIFY(!launcher.Notes_Sync_Waiting());

        // Offline, waiting changes are tried again after the least interval, not the hour.
        env.Write_File("offline", "");
        finished.clear();
        QVERIFY(launcher.Sync_Notes_Now());
        QVERIFY(finished.wait(10000));
        QVERIFY(!finished.last().at(0).toBool());
        const qint64 wait = QDateTime::currentDateTimeUtc().secsTo(launcher.Next_Fetch());
        QVERIFY2(wait > 4 * 60 && wait <= 5 * 60, qPrintable(QString::number(wait)));
    }
};

ALMANOR_TEST(FetchLauncherTest)
#include "test_fetch_launcher.moc"
