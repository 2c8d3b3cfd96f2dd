#include "NotesServer.h"
#include "RefreshSupport.h"
#include "RemoteTestSupport.h"
#include "TestServers.h"

#include "common/TestEnv.h"
#include "common/TestMain.h"
#include "remote/net/DavSync.h"

#include <QTest>

namespace {

const QString User = QStringLiteral("anna");
const QString Password = QStringLiteral("secret");

DavListing List(const QUrl& collection, const QString& token) {
    return Wait_For<DavListing>([&](QNetworkAccessManager& network, auto done) {
        List_Dav_Changes(network, collection, User, Password, token, {}, done);
    });
}

DavWrite Put(const QUrl& resource, const QByteArray& summary, const QByteArray& if_match) {
    const QByteArray ics = Remote_Calendar_Of(
        Remote_Event_Of("UID:" + resource.fileName().toUtf8() +
                        "\nDTSTART;VALUE=DATE:20261208\nSUMMARY:" + summary + "\n"));
    return Wait_For<DavWrite>([&](QNetworkAccessManager& network, auto done) {
        Put_Dav_Resource(network, resource, User, Password, ics, if_match, {}, done);
    });
}

DavWrite Delete(const QUrl& resource, const QByteArray& if_match) {
    return Wait_For<DavWrite>([&](QNetworkAccessManager& network, auto done) {
        Delete_Dav_Resource(network, resource, User, Password, if_match, {}, done);
    });
}

// The member whose href ends in name, or an empty one.
DavMember Member(const DavListing& listing, const QString& name) {
    for (const DavMember& member : listing.members)
        if (member.href.endsWith(name))
            return member;
    return {};
}

// The etag a listing gives for name, for servers that don't send one with every write.
QByteArray Etag_Of(const QUrl& collection, const QString& name) {
    return Member(List(collection, {}), name).etag;
}

} // namespace

class DavSyncTest : public QObject {
    Q_OBJECT

  private slots:
    void changes_are_listed_fetched_and_written_only_over_what_was_seen_data() {
        QTest::addColumn<bool>("radicale");
        QTest::newRow("Radicale") << true;
        QTest::newRow("Xandikos") << false;
    }

    void changes_are_listed_fetched_and_written_only_over_what_was_seen() {
        QFETCH(bool, radicale);
        TestEnv env;
        TestServer server;
        const QUrl collection =
            Start_Notes_Calendar(server, radicale, env.Root() + "/server", User, Password);
        QVERIFY2(!collection.isEmpty(), qPrintable(server.Output()));

        const DavListing empty = List(collection, {});
        QVERIFY2(empty.ok, qPrintable(empty.error));
        QVERIFY(empty.full && empty.members.isEmpty() && !empty.sync_token.isEmpty());

        // A create goes through once; the repeat of a killed run meets 412 instead of a copy.
        const QUrl a = collection.resolved(QUrl("a.ics"));
        DavWrite write = Put(a, "First", {});
        QVERIFY2(write.status == 201, qPrintable(write.error));
        QCOMPARE(Put(a, "Twice", {}).status, 412);
        const QByteArray first = write.etag.isEmpty() ? Etag_Of(collection, "a.ics") : write.etag;
        write = Put(a, "Second", first);
        QVERIFY2(write.error.isEmpty(), qPrintable(write.error));
        const QByteArray second = write.etag.isEmpty() ? Etag_Of(collection, "a.ics") : write.etag;
        QVERIFY(!second.isEmpty() && second != first);
        write = Put(a, "Stale", first);
        QCOMPARE(write.status, 412);
        QVERIFY(!write.error.isEmpty());
        QCOMPARE(Put(collection.resolved(QUrl("b.ics")), "Other", {}).status, 201);

        DavListing changes = List(collection, empty.sync_token);
        QVERIFY2(changes.ok, qPrintable(changes.error));
        QVERIFY(!changes.full && changes.requests == 1);
        QCOMPARE(Member(changes, "a.ics").etag, second);
        QVERIFY(!Member(changes, "b.ics").href.isEmpty());

        QCOMPARE(Delete(a, first).status, 412);
        write = Delete(a, second);
        QVERIFY2(write.error.isEmpty(), qPrintable(write.error));
        changes = List(collection, changes.sync_token);
        QVERIFY(changes.ok && !changes.full);
        QVERIFY(Member(changes, "a.ics").deleted);

        // A token the server doesn't know lists everything again.
        const DavListing refused = List(collection, server.Base() + "/sync/unknown");
        QVERIFY2(refused.ok, qPrintable(refused.error));
        QVERIFY(refused.full && refused.members.size() == 1 && !refused.members[0].deleted);

        const QString b = Member(refused, "b.ics").href;
        const DavFetch fetch = Wait_For<DavFetch>([&](QNetworkAccessManager& network, auto done) {
            Fetch_Dav_Resources(network, collection, User, Password,
                                {b, Member(changes, "a.ics").href}, {}, done);
        });
        QVERIFY2(fetch.ok, qPrintable(fetch.error));
        QCOMPARE(fetch.requests, 1);
        for (const DavResource& resource : fetch.resources) {
            if (resource.href == b) {
                QCOMPARE(resource.status, 200);
                QCOMPARE(resource.etag, Member(refused, "b.ics").etag);
                QVERIFY(resource.ics.contains("SUMMARY:Other"));
            } else {
                QVERIFY(resource.status != 200);
            }
        }
        QVERIFY(!fetch.resources.isEmpty());
    }
};

ALMANOR_TEST(DavSyncTest)
#include "test_dav_sync.moc"
