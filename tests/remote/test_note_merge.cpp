#include "common/TestMain.h"
#include "events/ReplaceFile.h"
#include "remote/sync/NoteSyncPlan.h"

#include <QTemporaryDir>

#include <QTest>

namespace {

const QString Collection = QStringLiteral("/cal/");

ICalImportContext Context() {
    return {QDate(2026, 12, 8), QTimeZone::utc(), QLocale(QLocale::English, QLocale::UnitedStates)};
}

QString Href(const QString& name) {
    return Collection + name + QStringLiteral(".ics");
}

// "a:5/3/2004=text" is the note of resource a; a leading "!" marks a waiting change, "?" a
// create not yet confirmed, "~" a server note on its way into calendar.dat.
NoteSyncState State_Of(const QStringList& lines) {
    NoteSyncState state;
    for (QString line : lines) {
        NoteSyncEntry entry;
        entry.dirty = line.startsWith('!');
        entry.uploaded = !line.startsWith('?');
        entry.arriving = line.startsWith('~');
        if (entry.dirty || !entry.uploaded || entry.arriving)
            line.remove(0, 1);
        entry.uid = line.section(':', 0, 0);
        entry.href = Href(entry.uid);
        entry.etag = entry.uploaded ? "e" + entry.uid.toUtf8() : QByteArray();
        entry.key = line.section(':', 1).section('=', 0, 0);
        entry.text = line.section('=', 1);
        state.entries.append(entry);
    }
    return state;
}

// "a:5/3/2004=text" is resource a changed to that note, "a:-" deleted, "a:same" listed with the
// ETag of the last sync.
QList<RemoteNote> Remote_Of(const QStringList& lines) {
    QList<RemoteNote> remote;
    for (const QString& line : lines) {
        RemoteNote note;
        const QString name = line.section(':', 0, 0);
        const QString rest = line.section(':', 1);
        note.href = Href(name);
        note.etag = rest == "same" ? "e" + name.toUtf8() : "new-" + name.toUtf8();
        note.deleted = rest == "-";
        if (!note.deleted && rest != "same") {
            note.event = NoteEvent();
            note.event->uid = name;
            note.event->key = rest.section('=', 0, 0);
            note.event->text = rest.section('=', 1);
            note.ics = "(fetched)";
        }
        remote.append(note);
    }
    return remote;
}

NotePlan Plan(const QStringList& records, const NoteSyncState& state,
              const QList<RemoteNote>& remote, bool full) {
    int uids = 0;
    return Plan_Note_Sync(Local_Notes(records), state, remote, full, Collection,
                          QDateTime(QDate(2026, 12, 8), QTime(12, 0), QTimeZone::utc()), Context(),
                          [&] { return QStringLiteral("u%1").arg(++uids); });
}

QStringList Uploads(const NotePlan& plan) {
    static const char* const kinds[] = {"Create", "Update", "Delete"};
    QStringList lines;
    for (const NoteUpload& upload : plan.uploads)
        lines << QString::fromLatin1(kinds[upload.kind]) + ' ' +
                     upload.href.mid(Collection.size()).chopped(4) + ' ' +
                     (upload.body.isEmpty() ? QString("-")
                                            : Read_Note_Event(upload.body, Context())->text);
    return lines;
}

} // namespace

class NoteMergeTest : public QObject {
    Q_OBJECT

  private slots:
    void both_sides_merge_into_one_list_of_notes_data() {
        QTest::addColumn<QStringList>("records");
        QTest::addColumn<QStringList>("state");
        QTest::addColumn<QStringList>("remote");
        QTest::addColumn<bool>("full");
        QTest::addColumn<QStringList>("merged");
        QTest::addColumn<QStringList>("uploads");
        QTest::addColumn<QStringList>("conflicts");

        const QStringList base = {"5/3/2026=A", "6/3/2026=B"};
        const QStringList synced = {"a:5/3/2026=A", "b:6/3/2026=B"};
        QTest::newRow("nothing changed") << base << synced << QStringList{"a:same"} << false << base
                                         << QStringList{} << QStringList{};
        QTest::newRow("changed here")
            << QStringList{"5/3/2026=A2", "6/3/2026=B"} << synced << QStringList{} << false
            << QStringList{"5/3/2026=A2", "6/3/2026=B"} << QStringList{"Update a A2"}
            << QStringList{};
        QTest::newRow("deleted here")
            << QStringList{"6/3/2026=B"} << synced << QStringList{} << false
            << QStringList{"6/3/2026=B"} << QStringList{"Delete a -"} << QStringList{};
        QTest::newRow("changed, moved and deleted there")
            << base + QStringList{"7/3/2026=C"} << synced + QStringList{"c:7/3/2026=C"}
            << QStringList{"a:5/3/2026=A2", "b:9/3/2026=B", "c:-"} << false
            << QStringList{"5/3/2026=A2", "9/3/2026=B"} << QStringList{} << QStringList{};
        QTest::newRow("gone from a full listing")
            << base << synced << QStringList{"a:same"} << true << QStringList{"5/3/2026=A"}
            << QStringList{} << QStringList{};
        QTest::newRow("both changed alike, both deleted")
            << QStringList{"5/3/2026=A2"} << synced << QStringList{"a:5/3/2026=A2", "b:-"} << false
            << QStringList{"5/3/2026=A2"} << QStringList{} << QStringList{};
        QTest::newRow("both changed: both texts, local first")
            << QStringList{"5/3/2026=A2", "6/3/2026=B"} << synced << QStringList{"a:5/3/2026=A3"}
            << false << QStringList{"5/3/2026=A2 + A3", "6/3/2026=B"}
            << QStringList{"Update a A2 + A3"} << QStringList{"A2 + A3"};
        QTest::newRow("a text that holds the other is no conflict")
            << QStringList{"5/3/2026=A + X"} << QStringList{"a:5/3/2026=A"}
            << QStringList{"a:5/3/2026=X"} << false << QStringList{"5/3/2026=A + X"}
            << QStringList{"Update a A + X"} << QStringList{};
        QTest::newRow("moved there, changed here")
            << QStringList{"5/3/2026=A2"} << QStringList{"a:5/3/2026=A"}
            << QStringList{"a:8/3/2026=A"} << false << QStringList{"8/3/2026=A2"}
            << QStringList{"Update a A2"} << QStringList{};
        QTest::newRow("deleted here, changed there")
            << QStringList{"6/3/2026=B"} << synced << QStringList{"a:5/3/2026=A2"} << false
            << QStringList{"6/3/2026=B", "5/3/2026=A2"} << QStringList{} << QStringList{};
        QTest::newRow("deleted there, changed here: created anew")
            << QStringList{"5/3/2026=A2"} << QStringList{"a:5/3/2026=A"} << QStringList{"a:-"}
            << false << QStringList{"5/3/2026=A2"} << QStringList{"Create u1 A2"} << QStringList{};
        QTest::newRow("first sync pairs by day and text")
            << QStringList{"5/3/2026=A", "6/3/2026=B", "7/3/2026=C"} << QStringList{}
            << QStringList{"x:5/3/2026=A", "y:6/3/2026=Z", "w:8/3/2026=W"} << true
            << QStringList{"5/3/2026=A", "6/3/2026=B + Z", "7/3/2026=C", "8/3/2026=W"}
            << QStringList{"Update y B + Z", "Create u1 C"} << QStringList{"B + Z"};
        QTest::newRow("waiting creates and changes go again")
            << QStringList{"5/3/2026=A", "6/3/2026=B"}
            << QStringList{"?a:5/3/2026=A", "!b:6/3/2026=B"} << QStringList{} << false << base
            << QStringList{"Create a A", "Update b B"} << QStringList{};
        QTest::newRow("a move that reached the file before a kill")
            << QStringList{"8/3/2026=A"} << QStringList{"a:5/3/2026=A"}
            << QStringList{"a:8/3/2026=A"} << false << QStringList{"8/3/2026=A"} << QStringList{}
            << QStringList{};
        QTest::newRow("a create that arrived before a kill")
            << QStringList{"5/3/2026=A"} << QStringList{"?a:5/3/2026=A"}
            << QStringList{"a:5/3/2026=A"} << false << QStringList{"5/3/2026=A"} << QStringList{}
            << QStringList{};
        QTest::newRow("a server note that reached the file before a kill, its day's note deleted")
            << QStringList{"5/3/2026=P"} << QStringList{"a:5/3/2026=A"}
            << QStringList{"p:5/3/2026=P"} << false << QStringList{"5/3/2026=P"}
            << QStringList{"Delete a -"} << QStringList{};
        QTest::newRow("a day no event can hold stays here only")
            << QStringList{"5/3/3100=far"} << QStringList{} << QStringList{} << true
            << QStringList{"5/3/3100=far"} << QStringList{} << QStringList{};
        QTest::newRow("a server note a kill kept from the file")
            << QStringList{} << QStringList{"~p:5/3/2026=P"} << QStringList{} << false
            << QStringList{"5/3/2026=P"} << QStringList{} << QStringList{};
        QTest::newRow("a server note that reached the file before a kill, changed there since")
            << QStringList{"5/3/2026=P"} << QStringList{"~p:5/3/2026=P"}
            << QStringList{"p:5/3/2026=P2"} << false << QStringList{"5/3/2026=P2"} << QStringList{}
            << QStringList{};
    }

    void both_sides_merge_into_one_list_of_notes() {
        QFETCH(QStringList, records);
        QFETCH(QStringList, state);
        QFETCH(QStringList, remote);
        QFETCH(bool, full);
        QFETCH(QStringList, merged);
        QFETCH(QStringList, uploads);
        QFETCH(QStringList, conflicts);
        const NotePlan plan = Plan(records, State_Of(state), Remote_Of(remote), full);
        QStringList joined = plan.conflicts;
        QCOMPARE(Apply_Note_Changes(records, plan.local_changes, &joined), merged);
        QCOMPARE(Uploads(plan), uploads);
        QCOMPARE(joined, conflicts);
        // Once everything went, a second run with nothing new on either side changes nothing.
        if (!plan.uploads.isEmpty() || plan.state.entries.isEmpty())
            return;
        const NotePlan again =
            Plan(Apply_Note_Changes(records, plan.local_changes, nullptr), plan.state, {}, false);
        QVERIFY(again.uploads.isEmpty() && again.local_changes.isEmpty());
    }

    // The calendar may save between the plan and the write: its text stays, first.
    void changes_meet_the_file_as_it_is_now() {
        const QStringList now = {"05/03/2026=A mine", "6/3/2026=B", "blocked", "9/3/2026=Z"};
        const QList<NoteLocalChange> changes = {{"5/3/2026", "A", "5/3/2026", "A theirs", 0},
                                                {"6/3/2026", "B", "7/3/2026", "B", 1},
                                                {"", "", "8/3/9999", "New", 2},
                                                {"9/3/2026", "gone", "", "", -1}};
        QStringList conflicts;
        QList<NoteLocalChange> joined;
        QCOMPARE(Apply_Note_Changes(now, changes, &conflicts, &joined),
                 QStringList({"05/03/2026=A mine + A theirs", "7/3/2026=B", "8/3/9999=New",
                              "blocked", "9/3/2026=Z"}));
        QCOMPARE(conflicts, QStringList{"A mine + A theirs"});
        QCOMPARE(joined.size(), 1);
        QCOMPARE(joined[0].new_text, QString("A mine + A theirs"));
    }

    void notes_go_through_events_and_the_state_file() {
        const QDateTime now(QDate(2026, 12, 8), QTime(12, 0), QTimeZone::utc());
        const QString text = "Tom && Ann's\r\nbring cake";
        std::optional<NoteEvent> note =
            Read_Note_Event(Format_Note_Event("u1", "29/2/9999", text, now), Context());
        QVERIFY(note);
        QCOMPARE(note->key, QString("29/2/9999"));
        QCOMPARE(note->text, text);
        QVERIFY(!note->foreign);

        // Another program edits the first line of our event as the summary.
        QByteArray ours = Format_Note_Event("u1", "5/3/2026", text, now);
        ours.replace("SUMMARY:Tom & Ann's", "SUMMARY:Tom & Ann's party");
        QCOMPARE(Note_Event_Text(*Read_Note_Event(ours, Context()), text),
                 "Tom && Ann's party\r\nbring cake");
        // Or its description: the summary is still the first line of what was synced.
        QByteArray described = Format_Note_Event("u2", "5/3/2026", "Call Ann", now);
        described.replace("DESCRIPTION:Call Ann", "DESCRIPTION:Call Ann at 5");
        QCOMPARE(Note_Event_Text(*Read_Note_Event(described, Context()), "Call Ann"),
                 "Call Ann at 5");

        // A timed event with an alarm keeps both when its note changes and moves.
        const QByteArray timed = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:t\r\n"
                                 "DTSTART:20260305T093000Z\r\nDTEND:20260305T103000Z\r\n"
                                 "SUMMARY:Dentist\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\n"
                                 "TRIGGER:-PT15M\r\nEND:VALARM\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
        note = Read_Note_Event(timed, Context());
        QVERIFY(note && note->foreign);
        QCOMPARE(note->key, QString("5/3/2026"));
        QCOMPARE(note->text, QString("9:30 AM Dentist"));
        const QByteArray patched =
            Patch_Note_Event(timed, "6/3/2026", "9:30 AM Dentist, Dr. Lee", Context());
        QVERIFY(patched.contains("DTSTART:20260306T093000Z"));
        QVERIFY(patched.contains("TRIGGER:-PT15M"));
        QCOMPARE(Read_Note_Event(patched, Context())->text, QString("9:30 AM Dentist, Dr. Lee"));

        QTemporaryDir dir;
        const QString path = Note_Sync_State_Path(dir.filePath("calendar.dat"));
        NoteSyncState state = State_Of({"?a:5/3/2026=A", "!b:6/3/2026=B"});
        state.entries[1].foreign_ics = timed;
        state.sync_token = "token";
        state.last_sync = now;
        state.Add_Conflicts({"A + B"});
        QVERIFY(Write_Note_Sync_State(path, state));
        NoteSyncState read;
        QString error;
        QVERIFY(Read_Note_Sync_State(path, &read, &error));
        QCOMPARE(read, state);
        QCOMPARE(read.Waiting(), 2);
        QVERIFY(Replace_File(path, "{ cut off"));
        QVERIFY(!Read_Note_Sync_State(path, &read, &error));
        QVERIFY(read.entries.isEmpty() && error.contains("damaged"));
    }
};

ALMANOR_TEST(NoteMergeTest)
#include "test_note_merge.moc"
