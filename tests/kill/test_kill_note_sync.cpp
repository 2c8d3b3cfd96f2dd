// The note sync killed at random moments, over and over, while both sides change: afterwards one
// clean sync leaves the server with every note once (no UID twice, no day and text twice) and
// calendar.dat with every note it should have.
#include "RefreshSupport.h"
#include "TestServers.h"

#include "common/TestEnv.h"
#include "common/TestMain.h"
#include "events/EventStore.h"
#include "events/ReplaceFile.h"
#include "remote/RemoteAccounts.h"
#include "remote/net/DavSync.h"

#include <QElapsedTimer>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTest>
#include <QThread>

#include <algorithm>

namespace {

const QString User = QStringLiteral("anna");
const QString Password = QStringLiteral("secret");

// How many kills a run makes: ALMANOR_KILL_ROUNDS, 100 unless set (`make kill-test`: 1,000).
int Round_Count() {
    bool ok = false;
    const int rounds = qEnvironmentVariableIntValue("ALMANOR_KILL_ROUNDS", &ok);
    return ok && rounds > 0 ? rounds : 100;
}

// Notes made on this computer lie in 2024-2025, those made on the server from 2028 on, so that
// no change of one side ever meets a change of the other: the expected end is then exact.
QString Local_Key(int n) {
    return Event_Key(QDate(2024, 1, 1).addDays(n));
}
QString Remote_Key(int n) {
    return Event_Key(QDate(2028, 1, 1).addDays(n));
}

QByteArray Remote_Event(int n, const QString& text) {
    const QByteArray day = QDate(2028, 1, 1).addDays(n).toString("yyyyMMdd").toLatin1();
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Phone//EN\r\nBEGIN:VEVENT\r\n"
           "UID:phone-" +
           QByteArray::number(n) + "\r\nDTSTAMP:20261208T120000Z\r\nDTSTART;VALUE=DATE:" + day +
           "\r\nSUMMARY:" + text.toUtf8() + "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
}

// The value of a content line of an event (unfolded), or empty.
QString Property(const QByteArray& ics, const QByteArray& name) {
    QByteArray text = ics;
    text.replace("\r\n ", "").replace("\n ", "");
    for (const QByteArray& line : text.split('\n')) {
        const QByteArray trimmed = line.trimmed();
        const qsizetype colon = trimmed.indexOf(':');
        if (colon > 0 && (trimmed.left(colon) == name || trimmed.startsWith(name + ';')))
            return QString::fromUtf8(trimmed.mid(colon + 1));
    }
    return {};
}

// Both sides and what the test expects of them.
struct World {
    QString dat;
    QString ini;
    QString cache;
    QUrl collection;
    QMap<QString, QString> expected; // key -> text
    QList<int> local;                // numbers of the notes made here, still there
    QMap<int, QString> remote;       // numbers of the notes made on the server -> href
    QMap<QString, QStringList> sent; // key -> every text the server was given for it
    int next_local = 0;
    int next_remote = 0;
};

QStringList Records(const World& w) {
    bool ok = false;
    const QStringList records = Read_Event_Records(w.dat, &ok);
    if (!ok)
        qFatal("calendar.dat can't be read");
    return records;
}

// A change made on this computer, as the calendar makes it: the file as it is now, one record
// added, changed or removed (add_only: added).
void Change_Locally(World& w, QRandomGenerator& random, int round, bool add_only = false) {
    QStringList records = Records(w);
    const int what = add_only || w.local.isEmpty() ? 0 : random.bounded(3);
    if (what == 0) {
        const QString key = Local_Key(w.next_local);
        const QString text = QStringLiteral("Local %1 from round %2").arg(w.next_local).arg(round);
        w.local.append(w.next_local++);
        records.append(key + QLatin1Char('=') + text);
        w.expected.insert(key, text);
    } else {
        const int n = w.local.at(random.bounded(int(w.local.size())));
        const QString key = Local_Key(n);
        const qsizetype index = Find_Day_Record(records, key).index;
        QVERIFY2(index >= 0, qPrintable("a local note is gone: " + key));
        if (what == 1) {
            const QString text = QStringLiteral("Local %1 changed in round %2").arg(n).arg(round);
            records[index] = key + QLatin1Char('=') + text;
            w.expected.insert(key, text);
        } else {
            records.removeAt(index);
            w.local.removeOne(n);
            w.expected.remove(key);
        }
    }
    QVERIFY(Replace_File(w.dat, Format_Event_File(records)));
}

// A change made on the server (by a phone, say).
void Change_Remotely(World& w, QRandomGenerator& random, int round, bool add_only = false) {
    const int what = add_only || w.remote.isEmpty() ? 0 : random.bounded(3);
    if (what == 2) {
        const QList<int> numbers = w.remote.keys();
        const int n = numbers.at(random.bounded(int(numbers.size())));
        const int status = Send_And_Wait("DELETE", w.remote.take(n), {}, User, Password).status;
        QVERIFY2(status == 204 || status == 200, qPrintable(QString::number(status)));
        w.expected.remove(Remote_Key(n));
        return;
    }
    int n = w.next_remote;
    if (what == 0) {
        w.remote.insert(n, w.collection.toString() + QStringLiteral("phone-%1.ics").arg(n));
        ++w.next_remote;
    } else {
        const QList<int> numbers = w.remote.keys();
        n = numbers.at(random.bounded(int(numbers.size())));
    }
    const QString text = QStringLiteral("Phone %1 from round %2").arg(n).arg(round);
    const int status =
        Send_And_Wait("PUT", w.remote.value(n), Remote_Event(n, text), User, Password).status;
    QVERIFY2(status == 201 || status == 204, qPrintable(QString::number(status)));
    w.expected.insert(Remote_Key(n), text);
    w.sent[Remote_Key(n)] << text;
}

QStringList Fetch_Arguments(const World& w) {
    return {"--calendar", "1",      "--settings", w.ini,        "--cache",
            w.cache,      "--data", w.dat,        "--passwords"};
}

// Starts a sync and kills it after kill_ms (never, when negative). Returns the time it ran, and
// whether it ended by itself.
qint64 Run_Sync(const World& w, int kill_ms, bool* ended) {
    QProcess fetch;
    fetch.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer clock;
    clock.start();
    fetch.start(QStringLiteral(FETCH_PROGRAM), Fetch_Arguments(w));
    if (!fetch.waitForStarted())
        qFatal("AlmanorFetch doesn't start");
    fetch.write(("1=" + Password + "\n").toUtf8());
    fetch.closeWriteChannel();
    *ended = fetch.waitForFinished(kill_ms < 0 ? 120000 : kill_ms);
    if (!*ended) {
        fetch.kill();
        fetch.waitForFinished();
    } else if (fetch.exitCode() != 0) {
        qWarning().noquote() << "sync failed:" << fetch.readAllStandardOutput();
        *ended = false;
    }
    return clock.elapsed();
}

// The notes the server holds, key -> texts, and the UIDs there twice.
QMap<QString, QStringList> Server_Notes(const World& w, QStringList* twice) {
    const DavListing listing = Wait_For<DavListing>([&](QNetworkAccessManager& network, auto done) {
        List_Dav_Changes(network, w.collection, User, Password, {}, {}, done);
    });
    if (!listing.ok)
        qFatal("the server can't be listed: %s", qPrintable(listing.error));
    QStringList hrefs;
    for (const DavMember& member : listing.members)
        hrefs << member.href;
    const DavFetch fetch = Wait_For<DavFetch>([&](QNetworkAccessManager& network, auto done) {
        Fetch_Dav_Resources(network, w.collection, User, Password, hrefs, {}, done);
    });
    if (!fetch.ok)
        qFatal("the server's events can't be fetched: %s", qPrintable(fetch.error));
    QMap<QString, QStringList> notes;
    QSet<QString> uids;
    for (const DavResource& resource : fetch.resources) {
        const QString uid = Property(resource.ics, "UID");
        if (uids.contains(uid))
            *twice << uid;
        uids.insert(uid);
        const QDate day = QDate::fromString(Property(resource.ics, "DTSTART"), "yyyyMMdd");
        notes[Event_Key(day)] << Property(resource.ics, "SUMMARY");
    }
    return notes;
}

// Whether text holds wanted: as it is, or as a part of texts a conflict joined. A kill between
// the write of calendar.dat and that of the state makes the next sync see the note changed on
// both sides when the other side changed it again meanwhile; both texts are then kept.
bool Holds(const QString& text, const QString& wanted) {
    return text == wanted || text.split(QStringLiteral(" + ")).contains(wanted);
}

// The notes lost (not held as expected) and those nobody made, in words. A note the server
// deleted may come back, with any text it had there, when its download was applied but not
// recorded: nothing is lost then.
QString Lost_Or_Made_Up(const QMap<QString, QString>& notes, const World& w) {
    QStringList words;
    for (auto it = w.expected.begin(); it != w.expected.end(); ++it)
        if (!Holds(notes.value(it.key()), it.value()))
            words << QStringLiteral("%1 has \"%2\", not \"%3\"")
                         .arg(it.key(), notes.value(it.key(), "(nothing)"), it.value());
    for (auto it = notes.begin(); it != notes.end(); ++it) {
        const QStringList sent = w.sent.value(it.key());
        if (!w.expected.contains(it.key()) &&
            std::none_of(sent.begin(), sent.end(),
                         [&](const QString& text) { return Holds(it.value(), text); }))
            words << QStringLiteral("%1 has \"%2\", which no one wrote").arg(it.key(), it.value());
    }
    return words.join(QStringLiteral("; "));
}

} // namespace

class KillNoteSyncTest : public QObject {
    Q_OBJECT

  private slots:
    void sync_killed_at_random_moments_loses_and_doubles_nothing() {
        TestEnv env;
        TestServer server;
        QVERIFY2(server.Start_Radicale(env.Root() + "/server", User, Password),
                 qPrintable(server.Output()));
        World w;
        w.dat = env.Data_File();
        w.ini = env.Root() + "/Almanor.ini";
        w.cache = env.Root() + "/cache";
        w.collection = QUrl(server.Base() + "/" + User + "/notes/");
        QCOMPARE(Send_And_Wait("MKCALENDAR", w.collection.toString(), {}, User, Password).status,
                 201);
        RemoteCalendar notes;
        notes.name = QStringLiteral("Notes");
        notes.url = w.collection.toString();
        notes.user = User;
        notes.keep_notes = true;
        QVERIFY(Write_Remote_Calendars(w.ini, {notes}));

        // A few hundred notes here and a hundred on the server before the first sync.
        QRandomGenerator random(20261208);
        QVERIFY(Replace_File(w.dat, Format_Event_File({})));
        for (int i = 0; i < 300; ++i)
            Change_Locally(w, random, 0, true);
        for (int i = 0; i < 100; ++i)
            Change_Remotely(w, random, 0, true);

        // Kills fall anywhere within the time a sync of as much work took when left alone; a
        // quarter past it lets some end by themselves, which keeps the measure current.
        qint64 typical[2] = {3000, 3000};
        int killed = 0;
        const int rounds = Round_Count();
        for (int round = 1; round <= rounds; ++round) {
            // Every tenth round brings enough work to be killed in the middle of it.
            const bool big = round % 10 == 0;
            const int changes = big ? 30 : random.bounded(4);
            for (int i = 0; i < changes; ++i) {
                Change_Locally(w, random, round);
                Change_Remotely(w, random, round);
            }
            if (QTest::currentTestFailed())
                return;
            bool ended = false;
            const qint64 took = Run_Sync(w, int(random.bounded(typical[big] * 5 / 4 + 1)), &ended);
            if (ended)
                typical[big] = took;
            else
                ++killed;
        }
        qInfo("%d of %d syncs killed", killed, rounds);

        // The clean sync brings everything across; a second one finds nothing left to do. A lock
        // left empty by the last kill is taken over once it is 2 s old.
        QThread::msleep(2500);
        for (int run = 0; run < 2; ++run) {
            bool ended = false;
            Run_Sync(w, -1, &ended);
            QVERIFY(ended);
        }
        QMap<QString, QString> here;
        for (const QString& record : Records(w)) {
            QVERIFY2(!here.contains(Record_Key(record)),
                     qPrintable("twice here: " + record + " | " + here.value(Record_Key(record))));
            here.insert(Record_Key(record), Record_Text(record));
        }
        const QString here_wrong = Lost_Or_Made_Up(here, w);
        QVERIFY2(here_wrong.isEmpty(), qPrintable(here_wrong));
        QStringList twice;
        const QMap<QString, QStringList> there = Server_Notes(w, &twice);
        QVERIFY2(twice.isEmpty(), qPrintable("UIDs twice on the server: " + twice.join(", ")));
        QMap<QString, QString> once;
        for (auto it = there.begin(); it != there.end(); ++it) {
            QVERIFY2(it.value().size() == 1,
                     qPrintable("notes twice on " + it.key() + ": " + it.value().join(" | ")));
            once.insert(it.key(), it.value().first());
        }
        QCOMPARE(once, here);
        int joined = 0, back = 0;
        for (auto it = here.begin(); it != here.end(); ++it) {
            joined += w.expected.contains(it.key()) && it.value() != w.expected.value(it.key());
            back += !w.expected.contains(it.key());
        }
        qInfo("after the kills: %d notes with joined texts, %d deleted notes back", joined, back);
    }
};

ALMANOR_TEST(KillNoteSyncTest)
#include "test_kill_note_sync.moc"
