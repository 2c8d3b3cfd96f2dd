#include "RemoteTestSupport.h"
#include "TestServers.h"

#include "common/TestEnv.h"
#include "common/TestMain.h"
#include "remote/RemoteCache.h"
#include "remote/RemoteFetchLauncher.h"

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
};

ALMANOR_TEST(FetchLauncherTest)
#include "test_fetch_launcher.moc"
