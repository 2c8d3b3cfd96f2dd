#include "common/TestMain.h"
#include "remote/Multistatus.h"

#include <QTest>

class MultistatusTest : public QObject {
    Q_OBJECT

  private slots:
    void properties_of_good_propstats_are_read() {
        const QByteArray xml =
            "<?xml version='1.0'?><D:multistatus xmlns:D='DAV:' "
            "xmlns:C='urn:ietf:params:xml:ns:caldav' xmlns:CS='http://calendarserver.org/ns/'>"
            "<D:response><D:href>/anna/work/</D:href>"
            "<D:propstat><D:prop><D:resourcetype><D:collection/><C:calendar/></D:resourcetype>"
            "<D:displayname>Work &amp; more</D:displayname><CS:getctag>\"7\"</CS:getctag>"
            "<D:current-user-principal><D:href>/anna/</D:href></D:current-user-principal>"
            "<C:supported-calendar-component-set><C:comp name='vevent'/>"
            "</C:supported-calendar-component-set>"
            "<C:calendar-data><![CDATA[BEGIN:VCALENDAR]]>\r\nEND:VCALENDAR</C:calendar-data>"
            "</D:prop><D:status>HTTP/1.1 200 OK</D:status></D:propstat>"
            "<D:propstat><D:prop><D:sync-token/></D:prop>"
            "<D:status>HTTP/1.1 404 Not Found</D:status></D:propstat></D:response>"
            "<D:response><D:href>/gone/</D:href><D:status>HTTP/1.1 404 Not Found</D:status>"
            "</D:response><D:sync-token>t-9</D:sync-token></D:multistatus>";
        const DavMultistatus result = Read_Multistatus(xml);
        QVERIFY2(result.ok, qPrintable(result.error));
        QCOMPARE(result.responses.size(), 2);
        const DavResponse& work = result.responses[0];
        QCOMPARE(work.href, QStringLiteral("/anna/work/"));
        QVERIFY(work.Is_Calendar());
        QCOMPARE(work.properties.value("DAV:displayname"), QStringLiteral("Work & more"));
        QCOMPARE(work.properties.value(CalServer_Ns + "getctag"), QStringLiteral("\"7\""));
        QCOMPARE(work.hrefs.value("DAV:current-user-principal"), QStringList("/anna/"));
        QCOMPARE(work.components, QStringList("VEVENT"));
        QCOMPARE(work.properties.value(CalDav_Ns + "calendar-data"),
                 QStringLiteral("BEGIN:VCALENDAR\nEND:VCALENDAR"));
        QVERIFY(!work.Has("DAV:sync-token"));
        QCOMPARE(result.responses[1].status, 404);
        QCOMPARE(result.sync_token, QStringLiteral("t-9"));
    }

    void hostile_or_broken_answers_are_refused() {
        QByteArray deep = "<D:multistatus xmlns:D='DAV:'>";
        for (int i = 0; i < 100000; ++i)
            deep += "<D:x>";
        const QByteArray laughs =
            "<?xml version='1.0'?><!DOCTYPE m [<!ENTITY a 'aaaaaaaaaa'>"
            "<!ENTITY b '&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;'><!ENTITY c '&b;&b;&b;&b;&b;&b;&b;'>]>"
            "<D:multistatus xmlns:D='DAV:'><D:response><D:href>&c;</D:href></D:response>"
            "</D:multistatus>";
        const QByteArray external =
            "<?xml version='1.0'?><!DOCTYPE m [<!ENTITY x SYSTEM 'file:///etc/passwd'>]>"
            "<D:multistatus xmlns:D='DAV:'><D:response><D:href>&x;</D:href></D:response>"
            "</D:multistatus>";
        const struct {
            QByteArray xml;
            const char* error;
        } cases[] = {
            {deep, "nested too deeply"},
            {laughs, "document type"},
            {external, "document type"},
            {"<D:multistatus xmlns:D='DAV:'><D:response><D:href>&x;</D:href>", "not well-formed"},
            {"<html><body>Login</body></html>", "not a WebDAV multistatus"},
            {"<D:multistatus xmlns:D='DAV:'><D:response>", "not well-formed"},
            {"", "empty"},
        };
        for (const auto& c : cases) {
            const DavMultistatus result = Read_Multistatus(c.xml);
            QVERIFY2(!result.ok && result.error.contains(QLatin1String(c.error)),
                     qPrintable(result.error));
            QVERIFY(result.responses.isEmpty());
        }
    }
};

ALMANOR_TEST(MultistatusTest)
#include "test_multistatus.moc"
