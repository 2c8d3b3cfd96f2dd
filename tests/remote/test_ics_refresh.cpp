#include "RefreshSupport.h"
#include "RemoteTestSupport.h"
#include "TestServers.h"

#include "common/TestEnv.h"
#include "common/TestMain.h"
#include "remote/RemoteCache.h"

#include <QProcess>
#include <QTest>

namespace {

const QByteArray Good = Remote_Calendar_Of(
    Remote_Event_Of("DTSTART;TZID=Europe/Berlin:20270310T090000\nSUMMARY:Dentist\n"));

QByteArray Counts(const TestServer& server) {
    QNetworkAccessManager network;
    QNetworkReply* reply = network.get(QNetworkRequest(QUrl(server.Base() + "/counts")));
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    reply->deleteLater();
    return reply->readAll();
}

RemoteCalendar Calendar_At(const QString& url) {
    RemoteCalendar calendar;
    calendar.name = QStringLiteral("Test");
    calendar.url = url;
    return calendar;
}

} // namespace

class IcsRefreshTest : public QObject {
    Q_OBJECT

  private slots:
    void an_unchanged_file_costs_one_304() {
        TestEnv env;
        const QString served = env.Root() + QStringLiteral("/served");
        env.Write_File(QStringLiteral("served/team.ics"), Good);
        TestServer server;
        QVERIFY(server.Start_Ics(served));
        const QString cache = env.Root() + QStringLiteral("/cache");
        const RemoteCalendar calendar = Calendar_At(server.Base() + "/team.ics");

        RefreshOutcome outcome = Refresh_And_Wait(calendar, cache);
        QVERIFY2(outcome.ok, qPrintable(outcome.error));
        QVERIFY(outcome.changed);
        // The server compressed it; the cache holds the calendar itself.
        QCOMPARE(Read_Remote_Data(cache, calendar), Good);
        // Each refresh has a manager of its own, as each run of the fetch program has.
        outcome = Refresh_And_Wait(calendar, cache);
        QVERIFY(outcome.ok);
        QVERIFY(!outcome.changed);
        QCOMPARE(outcome.requests, 1);
        QCOMPARE(Counts(server), QByteArray("200=1 304=1"));

        const QByteArray changed =
            Remote_Calendar_Of(Remote_Event_Of("DTSTART;VALUE=DATE:20270311\nSUMMARY:Moved\n"));
        env.Write_File(QStringLiteral("served/team.ics"), changed);
        QVERIFY(Refresh_And_Wait(calendar, cache).changed);
        QCOMPARE(Read_Remote_Data(cache, calendar), changed);
        QCOMPARE(Counts(server), QByteArray("200=2 304=1"));

        const QString local = env.Write_File(QStringLiteral("local.ics"), Good);
        const RemoteCalendar file = Calendar_At(QUrl::fromLocalFile(local).toString());
        QVERIFY(Refresh_And_Wait(file, cache).ok);
        QCOMPARE(Read_Remote_Data(cache, file), Good);
    }

    void a_failed_refresh_keeps_the_cache_and_records_why() {
        TestEnv env;
        const QString served = env.Root() + QStringLiteral("/served");
        env.Write_File(QStringLiteral("served/page.html"), "<!DOCTYPE html><html>Login</html>");
        env.Write_File(QStringLiteral("served/broken.ics"), "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n");
        TestServer server;
        QVERIFY(server.Start_Ics(served));
        const QString cache = env.Root() + QStringLiteral("/cache");
        RefreshOptions quick;
        quick.timeout_ms = 1000;
        quick.max_bytes = 1024 * 1024;
        const struct {
            QString url;
            QString error;
        } cases[] = {
            {QStringLiteral("http://127.0.0.1:%1/a.ics").arg(Free_Port()), "not running"},
            {server.Base() + "/status/500", "(500)"},
            {server.Base() + "/status/401", "user name or password (401)"},
            {server.Base() + "/page.html", "a web page"},
            {server.Base() + "/broken.ics", "before the calendar is closed"},
            {server.Base() + "/loop", "redirects more than 5 times"},
            {server.Base() + "/big", "larger than 1 MB"},
            {server.Base() + "/slow", "no answer within 1 seconds"},
            {QStringLiteral("ftp://127.0.0.1/a.ics"), "not an http"},
        };
        for (const auto& c : cases) {
            const RemoteCalendar calendar = Calendar_At(c.url);
            RemoteCacheState state;
            state.url = Fetch_Url(c.url);
            state.etag = QStringLiteral("\"kept\"");
            QVERIFY(Store_Remote_Data(cache, calendar, Good, state));
            const RefreshOutcome outcome = Refresh_And_Wait(calendar, cache, quick);
            QVERIFY2(!outcome.ok && outcome.error.contains(c.error),
                     qPrintable(c.url + ": " + outcome.error));
            QCOMPARE(Read_Remote_Data(cache, calendar), Good);
            const RemoteCacheState after = Read_Remote_State(cache, calendar);
            QCOMPARE(after.error, outcome.error);
            QCOMPARE(after.etag, state.etag);
        }
    }

    void an_untrusted_certificate_fails_the_refresh() {
        TestEnv env;
        const QString certificate = env.Root() + "/cert.pem";
        const QString key = env.Root() + "/key.pem";
        QVERIFY(Make_Self_Signed(certificate, key));
        env.Write_File(QStringLiteral("served/team.ics"), Good);
        TestServer server;
        QVERIFY(server.Start_Ics(env.Root() + "/served", certificate, key));
        const QString cache = env.Root() + "/cache";
        // As typed by a user: webcal is fetched over TLS.
        const RemoteCalendar calendar =
            Calendar_At(server.Base().replace("https:", "webcal:") + "/team.ics");
        const RefreshOutcome outcome = Refresh_And_Wait(calendar, cache);
        QVERIFY2(outcome.error.contains("certificate is not trusted"), qPrintable(outcome.error));
        QVERIFY(Read_Remote_Data(cache, calendar).isEmpty());
        QCOMPARE(Read_Remote_State(cache, calendar).error, outcome.error);
    }

    void the_fetch_program_refreshes_what_is_due() {
        TestEnv env;
        env.Write_File(QStringLiteral("served/team.ics"), Good);
        TestServer server;
        QVERIFY(server.Start_Ics(env.Root() + "/served"));
        RemoteCalendar team = Calendar_At(server.Base() + "/team.ics");
        RemoteCalendar off = Calendar_At(server.Base() + "/off.ics");
        off.enabled = false;
        RemoteCalendar gone = Calendar_At(server.Base() + "/gone.ics");
        RemoteCalendar ftp = Calendar_At("ftp://127.0.0.1/a.ics");
        const QString ini = env.Config_Home() + "/Almanor/Almanor.ini";
        QVERIFY(Write_Remote_Calendars(ini, {team, off, gone, ftp}));

        const auto run = [&](const QStringList& arguments) {
            QProcess fetch;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert("XDG_CACHE_HOME", env.Root() + "/cache");
            fetch.setProcessEnvironment(environment);
            fetch.start(QStringLiteral(FETCH_PROGRAM), arguments);
            fetch.waitForFinished(60000);
            return QString::fromUtf8(fetch.readAllStandardOutput()) +
                   QString::number(fetch.exitCode());
        };
        QCOMPARE(run({}), QStringLiteral("Calendar 1 (Test): updated\n"
                                         "Calendar 3 (Test): The server has nothing at this "
                                         "address (404).\n"
                                         "Calendar 4 (Test): The address is not an http, "
                                         "https, webcal or file address.\n1"));
        QVERIFY(Read_Remote_Data(env.Root() + "/cache/Almanor", team) == Good);
        // Nothing is due an hour early.
        QCOMPARE(run({}), QStringLiteral("0"));
        QCOMPARE(run({"--calendar", "1"}), QStringLiteral("Calendar 1 (Test): unchanged\n0"));
        // An answer that comes at once still ends the program.
        QCOMPARE(run({"--calendar", "4"}).right(1), QStringLiteral("1"));
        QCOMPARE(run({"--discover", "ftp://127.0.0.1/"}), QStringLiteral("1"));
    }
};

ALMANOR_TEST(IcsRefreshTest)
#include "test_ics_refresh.moc"
