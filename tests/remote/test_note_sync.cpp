#include "NotesServer.h"
#include "RefreshSupport.h"
#include "RemoteTestSupport.h"
#include "TestServers.h"

#include "common/TestEnv.h"
#include "common/TestMain.h"
#include "events/EventStore.h"
#include "events/ReplaceFile.h"
#include "remote/net/DavSync.h"
#include "remote/net/NoteSync.h"
#include "remote/sync/NoteSyncPlan.h"

#include <QProcess>
#include <QTest>

namespace {

const QString User = QStringLiteral("anna");
const QString Password = QStringLiteral("secret");

ICalImportContext Context() {
    return {QDate::currentDate(), QTimeZone::systemTimeZone(), QLocale()};
}

struct ServerNote {
    QString href;
    QString uid;
    QString note;
    QByteArray ics;
};

// What the server holds, as notes "key=text" in order of their keys, read without the sync.
QList<ServerNote> Server_Notes(const QUrl& collection) {
    const DavListing listing = Wait_For<DavListing>([&](QNetworkAccessManager& network, auto done) {
        List_Dav_Changes(network, collection, User, Password, {}, {}, done);
    });
    QStringList hrefs;
    for (const DavMember& member : listing.members)
        hrefs << member.href;
    const DavFetch fetch = Wait_For<DavFetch>([&](QNetworkAccessManager& network, auto done) {
        Fetch_Dav_Resources(network, collection, User, Password, hrefs, {}, done);
    });
    QList<ServerNote> notes;
    for (const DavResource& resource : fetch.resources) {
        const std::optional<NoteEvent> event = Read_Note_Event(resource.ics, Context());
        notes.append({resource.href, event ? event->uid : QString(),
                      event ? event->key + '=' + event->text : QString("(no note)"), resource.ics});
    }
    std::sort(notes.begin(), notes.end(),
              [](const ServerNote& a, const ServerNote& b) { return a.note < b.note; });
    return notes;
}

QStringList Texts(const QList<ServerNote>& notes) {
    QStringList texts;
    for (const ServerNote& note : notes)
        texts << note.note;
    return texts;
}

ServerNote On_Server(const QUrl& collection, const QString& key) {
    for (const ServerNote& note : Server_Notes(collection)) {
        if (note.note.startsWith(key + '='))
            return note;
    }
    return {};
}

// A phone writes an event of its own (no description, no mark of ours), over whatever is there.
bool Phone_Put(const QUrl& collection, const QString& href, const QString& uid, const QDate& day,
               const QByteArray& summary) {
    const QByteArray ics = Remote_Calendar_Of(Remote_Event_Of(
        "UID:" + uid.toUtf8() + "\nDTSTART;VALUE=DATE:" + day.toString("yyyyMMdd").toLatin1() +
        "\nSUMMARY:" + summary + "\n"));
    return Send_And_Wait("PUT", collection.resolved(QUrl(href)).toString(), ics, User, Password)
                   .status /
               100 ==
           2;
}

bool Phone_Delete(const QUrl& collection, const QString& href) {
    return Send_And_Wait("DELETE", collection.resolved(QUrl(href)).toString(), {}, User, Password)
                   .status /
               100 ==
           2;
}

QStringList Sorted(QStringList records) {
    records.sort();
    return records;
}

} // namespace

class NoteSyncTest : public QObject {
    Q_OBJECT

    QString dat_;
    RemoteCalendar calendar_;

    NoteSyncOutcome Sync() {
        return Wait_For<NoteSyncOutcome>([&](QNetworkAccessManager& network, auto done) {
            RefreshOptions options;
            options.timeout_ms = 5000;
            Sync_Notes(network, calendar_, Password, dat_, QDateTime::currentDateTimeUtc(), options,
                       done);
        });
    }
    QStringList Records() {
        bool ok = false;
        return Sorted(Read_Event_Records(dat_, &ok));
    }
    void Write(const QStringList& records) {
        QVERIFY(Replace_File(dat_, Format_Event_File(records)));
    }
    // Changes the record of key (removes it for an empty text).
    void Change(const QString& key, const QString& text) {
        bool ok = false;
        QStringList records = Read_Event_Records(dat_, &ok);
        for (qsizetype i = 0; i < records.size(); ++i) {
            if (Record_Key(records[i]) == key) {
                if (text.isEmpty())
                    records.removeAt(i);
                else
                    records[i] = key + '=' + text;
                return Write(records);
            }
        }
        Write(records << key + '=' + text);
    }

  private slots:
    void notes_go_both_ways_data() {
        QTest::addColumn<bool>("radicale");
        QTest::newRow("Radicale") << true;
        QTest::newRow("Xandikos") << false;
    }

    void notes_go_both_ways() {
        QFETCH(bool, radicale);
        TestEnv env;
        TestServer server;
        const QUrl collection =
            Start_Notes_Calendar(server, radicale, env.Root() + "/server", User, Password);
        QVERIFY2(!collection.isEmpty(), qPrintable(server.Output()));
        calendar_ = RemoteCalendar();
        calendar_.name = "Notes";
        calendar_.url = collection.toString();
        calendar_.user = User;
        calendar_.keep_notes = true;
        dat_ = env.Root() + "/calendar.dat";

        // The first sync over a calendar that already holds events: the same note on the same
        // day is one note, the rest goes each way once.
        const int year = QDate::currentDate().year();
        const auto key = [&](int day, int month) { return Event_Key(day, month, year); };
        QVERIFY(Phone_Put(collection, "p1.ics", "p1", QDate(year, 3, 5), "Alpha"));
        QVERIFY(Phone_Put(collection, "p2.ics", "p2", QDate(year, 3, 7), "Gamma"));
        Write({key(5, 3) + "=Alpha", key(6, 3) + "=Beta\r\nsecond line && more",
               "24/12/9999=Christmas"});
        NoteSyncOutcome outcome = Sync();
        QVERIFY2(outcome.ok, qPrintable(outcome.error));
        const QStringList all = {key(5, 3) + "=Alpha", key(6, 3) + "=Beta\r\nsecond line && more",
                                 key(7, 3) + "=Gamma", "24/12/9999=Christmas"};
        QCOMPARE(Records(), Sorted(all));
        QCOMPARE(Texts(Server_Notes(collection)), Sorted(all));
        QVERIFY(On_Server(collection, "24/12/9999").ics.contains("RRULE:FREQ=YEARLY"));

        // Nothing changed costs one request; one changed note at most three.
        outcome = Sync();
        QCOMPARE(outcome.requests, 1);
        QCOMPARE(outcome.sent + outcome.received, 0);
        Change(key(5, 3), "Alpha 2");
        outcome = Sync();
        QVERIFY(outcome.ok && outcome.sent == 1 && outcome.requests <= 3);
        QCOMPARE(On_Server(collection, key(5, 3)).note, key(5, 3) + "=Alpha 2");
        const ServerNote gamma = On_Server(collection, key(7, 3));
        QVERIFY(Phone_Put(collection, gamma.href, gamma.uid, QDate(year, 3, 7), "Gamma 2"));
        outcome = Sync();
        QVERIFY(outcome.ok && outcome.received == 1 && outcome.requests <= 3);
        QVERIFY(Records().contains(key(7, 3) + "=Gamma 2"));

        // A deletion here, a move and a deletion there.
        Change(key(6, 3), {});
        const ServerNote alpha = On_Server(collection, key(5, 3));
        QVERIFY(Phone_Put(collection, alpha.href, alpha.uid, QDate(year, 3, 8), "Alpha 2"));
        QVERIFY(Phone_Delete(collection, On_Server(collection, "24/12/9999").href));
        QVERIFY(Sync().ok);
        const QStringList moved = {key(7, 3) + "=Gamma 2", key(8, 3) + "=Alpha 2"};
        QCOMPARE(Records(), moved);
        QCOMPARE(Texts(Server_Notes(collection)), moved);

        // Both changed: both texts, ours first. Deleted on one side, changed on the other: kept.
        Change(key(7, 3), "Mine");
        QVERIFY(Phone_Put(collection, gamma.href, gamma.uid, QDate(year, 3, 7), "Theirs"));
        Change(key(8, 3), "Kept");
        QVERIFY(Phone_Delete(collection, alpha.href));
        outcome = Sync();
        QVERIFY2(outcome.ok && outcome.conflicts == 1, qPrintable(outcome.error));
        const QStringList joined = {key(7, 3) + "=Mine + Theirs", key(8, 3) + "=Kept"};
        QCOMPARE(Records(), joined);
        QCOMPARE(Texts(Server_Notes(collection)), joined);
        NoteSyncState state;
        QString error;
        QVERIFY(Read_Note_Sync_State(Note_Sync_State_Path(dat_), &state, &error));
        QCOMPARE(state.conflicts.value(0), QString("Mine + Theirs"));

        // Offline: the change waits in the state and goes out once the server answers. The
        // calendar starts these syncs through the fetch program.
        const QString settings = env.Root() + "/Almanor.ini";
        QVERIFY(Write_Remote_Calendars(settings, {calendar_}));
        const auto fetch = [&](QString* line) {
            QProcess program;
            program.start(FETCH_PROGRAM, {"--settings", settings, "--cache", env.Root() + "/cache",
                                          "--data", dat_, "--passwords"});
            program.write(("1=" + Password + "\n").toUtf8());
            program.closeWriteChannel();
            program.waitForFinished(60000);
            *line = QString::fromUtf8(program.readAllStandardOutput()).trimmed();
            return program.exitCode();
        };
        server.Stop();
        Change(key(8, 3), "Offline");
        QString line;
        QCOMPARE(fetch(&line), 1);
        QVERIFY(Read_Note_Sync_State(Note_Sync_State_Path(dat_), &state, &error));
        QCOMPARE(line, "Calendar 1 (Notes): " + state.last_error);
        QVERIFY(!state.last_error.isEmpty());
        QVERIFY(server.Restart());
        QCOMPARE(fetch(&line), 0);
        QCOMPARE(line, QString("Calendar 1 (Notes): synced, 1 sent, 0 received"));
        QCOMPARE(On_Server(collection, key(8, 3)).note, key(8, 3) + "=Offline");
        QVERIFY(Read_Note_Sync_State(Note_Sync_State_Path(dat_), &state, &error));
        QVERIFY(state.last_error.isEmpty() && state.Waiting() == 0);
    }
};

ALMANOR_TEST(NoteSyncTest)
#include "test_note_sync.moc"
