// The changes a sync brings to calendar.dat, applied to the file as it is when the sync holds its
// lock: the calendar may have saved a note since the plan read the file, and that text stays.
#include "remote/sync/NoteSyncPlan.h"

#include "events/EventStore.h"

namespace {

// Where a new record goes: before the first record without "=", since the calendar stops
// reading there and wouldn't show it.
qsizetype Insert_Position(const QStringList& records) {
    for (qsizetype i = 0; i < records.size(); ++i) {
        if (Record_Key(records[i]).isNull())
            return i;
    }
    return records.size();
}

// The record's own way of writing its key stays when it names the same day.
QString Record_Of(const QString& record, const QString& key, const QString& text) {
    const QString own = Record_Key(record);
    return (Note_Key(record) == key ? own : key) + QLatin1Char('=') + text;
}

qsizetype Find(const QStringList& records, const QList<bool>& touched, const QString& key,
               const QString* text) {
    for (qsizetype i = 0; i < records.size(); ++i) {
        if (!touched[i] && Note_Key(records[i]) == key &&
            (!text || Record_Text(records[i]) == *text))
            return i;
    }
    return -1;
}

} // namespace

QStringList Apply_Note_Changes(const QStringList& records, const QList<NoteLocalChange>& changes,
                               QStringList* conflicts, QList<NoteLocalChange>* joined) {
    QStringList out = records;
    // A record written by one change is not taken again by another of the same day.
    QList<bool> touched(out.size(), false);
    for (const NoteLocalChange& change : changes) {
        qsizetype at =
            change.old_key.isEmpty() ? -1 : Find(out, touched, change.old_key, &change.old_text);
        if (at >= 0) {
            if (change.new_key.isEmpty()) {
                out.removeAt(at);
                touched.removeAt(at);
            } else {
                out[at] = Record_Of(out[at], change.new_key, change.new_text);
                touched[at] = true;
            }
            continue;
        }
        // A removal of a record that changed or went since: the change made here stays, and
        // goes to the server as a new note next time.
        if (change.new_key.isEmpty())
            continue;
        at = change.old_key.isEmpty() ? -1 : Find(out, touched, change.old_key, nullptr);
        if (at < 0) {
            const qsizetype position = Insert_Position(out);
            out.insert(position, change.new_key + QLatin1Char('=') + change.new_text);
            touched.insert(position, true);
            continue;
        }
        const QString now = Record_Text(out[at]);
        const QString text = Join_Note_Texts(now, change.new_text);
        out[at] = Record_Of(out[at], change.new_key, text);
        touched[at] = true;
        if (text != now && text != change.new_text && conflicts)
            conflicts->append(text);
        if (text != change.new_text && joined) {
            NoteLocalChange taken = change;
            taken.new_text = text;
            joined->append(taken);
        }
    }
    return out;
}
