// The changes a sync brings to calendar.dat, applied to the file as it is when the sync holds its
// lock: the calendar may have saved a note since the plan read the file, and that text stays.
#include "remote/sync/NoteSyncPlan.h"

#include "events/EventStore.h"

#include <QHash>

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

// The records of calendar.dat by the day of their key, so that 10,000 changes don't each walk
// 10,000 records. A record is taken by one change at most: a removed or written one is passed
// over.
class RecordIndex {
  public:
    explicit RecordIndex(const QStringList& records) : taken_(records.size(), false) {
        for (qsizetype i = 0; i < records.size(); ++i) {
            const QString key = Note_Key(records[i]);
            if (!key.isNull())
                by_key_[key].append(i);
        }
    }
    qsizetype Find(const QStringList& records, const QString& key, const QString* text) const {
        for (const qsizetype i : by_key_.value(key)) {
            if (!taken_[i] && (!text || Record_Text(records[i]) == *text))
                return i;
        }
        return -1;
    }
    void Take(qsizetype i) { taken_[i] = true; }

  private:
    QHash<QString, QList<qsizetype>> by_key_;
    QList<bool> taken_;
};

} // namespace

QStringList Apply_Note_Changes(const QStringList& records, const QList<NoteLocalChange>& changes,
                               QStringList* conflicts, QList<NoteLocalChange>* joined) {
    QStringList out = records;
    RecordIndex index(out);
    QList<bool> removed(out.size(), false);
    QStringList added;
    for (const NoteLocalChange& change : changes) {
        qsizetype at =
            change.old_key.isEmpty() ? -1 : index.Find(out, change.old_key, &change.old_text);
        if (at >= 0) {
            index.Take(at);
            if (change.new_key.isEmpty())
                removed[at] = true;
            else
                out[at] = Record_Of(out[at], change.new_key, change.new_text);
            continue;
        }
        // A removal of a record that changed or went since: the change made here stays, and
        // goes to the server as a new note next time.
        if (change.new_key.isEmpty())
            continue;
        at = change.old_key.isEmpty() ? -1 : index.Find(out, change.old_key, nullptr);
        if (at < 0) {
            added.append(change.new_key + QLatin1Char('=') + change.new_text);
            continue;
        }
        index.Take(at);
        const QString now = Record_Text(out[at]);
        const QString text = Join_Note_Texts(now, change.new_text);
        out[at] = Record_Of(out[at], change.new_key, text);
        if (text != now && text != change.new_text && conflicts)
            conflicts->append(text);
        if (text != change.new_text && joined) {
            NoteLocalChange taken = change;
            taken.new_text = text;
            joined->append(taken);
        }
    }
    QStringList result;
    result.reserve(out.size() + added.size());
    for (qsizetype i = 0; i < out.size(); ++i) {
        if (!removed[i])
            result.append(out[i]);
    }
    const qsizetype position = Insert_Position(result);
    result = result.first(position) + added + result.sliced(position);
    return result;
}
