#include "RefreshSupport.h"
#include "RemoteTestSupport.h"
#include "TestServers.h"

#include "common/TestEnv.h"
#include "common/TestMain.h"
#include "remote/RemoteCache.h"

#include <QProcess>
#include <QTest>

namespace {

const QString User = QStringLiteral("anna");
const QString Password = QStringLiteral("secret");

QByteArray Calendar_Named(const QByteArray& name) {
    return "<?xml version='1.0' encoding='utf-8'?><C:mkcalendar xmlns:D='DAV:' "
           "xmlns:C='urn:ietf:params:xml:ns:caldav'><D:set><D:prop><D:displayname>" +
           name + "</D:displayname></D:prop></D:set></C:mkcalendar>";
}

// An event in the current month, so that it lies in the window of the calendar query.
QByteArray Event_Named(const QByteArray& uid, const QByteArray& summary) {
    const QByteArray day = QDate::currentDate().toString("yyyyMMdd").toLatin1();
    return Remote_Calendar_Of(Remote_Event_Of("UID:" + uid + "\nDTSTART;VALUE=DATE:" + day +
                                              "\nSUMMARY:" + summary + "\n"));
}

// Makes two calendars in the user's calendar home on the server, one with an event.
bool Fill_Server(const QString& home) {
    return Send_And_Wait("MKCALENDAR", home + "work/", Calendar_Named("Work"), User, Password,
                         "application/xml")
                   .status == 201 &&
           Send_And_Wait("MKCALENDAR", home + "home/", Calendar_Named("Home"), User, Password,
                         "application/xml")
                   .status == 201 &&
           Send_And_Wait("PUT", home + "work/standup.ics", Event_Named("standup", "Standup"), User,
                         Password)
                   .status == 201;
}

// What both servers must show: discovery from the root finds the two calendars; the first
// refresh downloads, an unchanged calendar costs one request, a change is seen.
void Check_Server(const TestServer& server, const QString& home, const QString& cache) {
    QVERIFY(Fill_Server(home));
    const DiscoveryOutcome found = Discover_And_Wait(server.Base() + "/", User, Password);
    QVERIFY2(found.ok, qPrintable(found.error));
    QStringList names;
    for (const FoundCalendar& calendar : found.calendars)
        names << calendar.name;
    QVERIFY2(names.contains("Work") && names.contains("Home"), qPrintable(names.join(", ")));

    RemoteCalendar work;
    work.name = QStringLiteral("Work");
    work.url = home + "work/";
    work.user = User;
    RefreshOutcome outcome = Refresh_And_Wait(work, cache, {}, Password);
    QVERIFY2(outcome.ok, qPrintable(outcome.error));
    QVERIFY(outcome.changed);
    QVERIFY(Read_Remote_Data(cache, work).contains("SUMMARY:Standup"));

    outcome = Refresh_And_Wait(work, cache, {}, Password);
    QVERIFY2(outcome.ok, qPrintable(outcome.error));
    QVERIFY(!outcome.changed);
    QCOMPARE(outcome.requests, 1);

    QCOMPARE(Send_And_Wait("PUT", work.url + "review.ics", Event_Named("review", "Review"), User,
                           Password)
                 .status,
             201);
    outcome = Refresh_And_Wait(work, cache, {}, Password);
    QVERIFY(outcome.changed);
    QVERIFY(Read_Remote_Data(cache, work).contains("SUMMARY:Review"));
}

} // namespace

class CalDavTest : public QObject {
    Q_OBJECT

  private slots:
    void radicale_calendars_are_found_and_kept_through_failures() {
        TestEnv env;
        TestServer server;
        QVERIFY2(server.Start_Radicale(env.Root() + "/radicale", User, Password),
                 qPrintable(server.Output()));
        const QString home = server.Base() + "/" + User + "/";
        const QString cache = env.Root() + "/cache";
        Check_Server(server, home, cache);
        if (QTest::currentTestFailed())
            return;

        RemoteCalendar work;
        work.name = QStringLiteral("Work");
        work.url = home + "work/";
        work.user = User;
        // The settings window asks the fetch program, which has the network code.
        QProcess discover;
        discover.start(QStringLiteral(FETCH_PROGRAM),
                       {"--discover", server.Base(), "--user", User, "--passwords"});
        discover.write(("0=" + Password + "\n").toUtf8());
        discover.closeWriteChannel();
        QVERIFY(discover.waitForFinished(60000));
        QStringList lines =
            QString::fromUtf8(discover.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        lines.sort();
        QCOMPARE(lines, QStringList({home + "home/\tHome\t", home + "work/\tWork\t"}));

        const QByteArray kept = Read_Remote_Data(cache, work);
        RefreshOutcome outcome = Refresh_And_Wait(work, cache, {}, QStringLiteral("wrong"));
        QVERIFY(outcome.error.contains("(401)"));
        server.Stop();
        outcome = Refresh_And_Wait(work, cache, {}, Password);
        QVERIFY(outcome.error.contains("not running"));
        QCOMPARE(Read_Remote_Data(cache, work), kept);
        QCOMPARE(Read_Remote_State(cache, work).error, outcome.error);
    }

    void xandikos_calendars_are_found_and_refreshed() {
        TestEnv env;
        TestServer server;
        QVERIFY2(server.Start_Xandikos(env.Root() + "/xandikos", User),
                 qPrintable(server.Output()));
        Check_Server(server, server.Base() + "/" + User + "/calendars/", env.Root() + "/cache");
    }
};

ALMANOR_TEST(CalDavTest)
#include "test_caldav.moc"
