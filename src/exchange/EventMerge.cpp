// Imported events joining calendar.dat: the in-memory merge and the one protected save.
#include "exchange/EventMerge.h"

#include "events/EventStore.h"
#include "exchange/ExchangeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

namespace {

const QString kJoin = QStringLiteral(" + ");
constexpr qsizetype kLongRecord = 512;

// True when text stands in stored as a whole " + " part or a run of whole parts.
bool Stands_In(QStringView stored, QStringView text) {
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = stored.indexOf(text, from);
        if (at < 0)
            return false;
        const qsizetype end = at + text.size();
        const bool starts = at == 0 || stored.first(at).endsWith(kJoin);
        const bool ends = end == stored.size() || stored.sliced(end).startsWith(kJoin);
        if (starts && ends)
            return true;
        from = at + 1;
    }
}

// The records of the file indexed by key, so each event finds its day without a walk of the
// whole file. A record keeps its first index: the first matching record is the one that grows.
class RecordIndex {
  public:
    explicit RecordIndex(const QStringList& records) {
        first_.reserve(records.size());
        for (qsizetype i = 0; i < records.size(); ++i)
            Add(records.at(i), i);
    }
    void Add(const QString& record, qsizetype i) {
        const QString key = Record_Key(record);
        if (!key.isNull() && !first_.contains(key))
            first_.insert(key, i);
    }
    qsizetype Find(const QString& key) const { return first_.value(key, -1); }

  private:
    QHash<QString, qsizetype> first_;
};

// The texts already in a record, split at " + ", kept for the long records an import touches so
// that many events on one day don't rescan an ever longer record. Short records are searched.
class RecordParts {
  public:
    bool Has(qsizetype record, const QString& stored_text, const QString& text) {
        if (text.contains(kJoin) || (stored_text.size() < kLongRecord && !parts_.contains(record)))
            return Stands_In(stored_text, text);
        auto it = parts_.find(record);
        if (it == parts_.end()) {
            QSet<QString> parts;
            for (const QStringView part : QStringView(stored_text).split(kJoin))
                parts.insert(part.toString());
            it = parts_.insert(record, parts);
        }
        return it->contains(text);
    }
    void Added(qsizetype record, const QString& text) {
        auto it = parts_.find(record);
        if (it == parts_.end())
            return;
        if (text.contains(kJoin)) {
            parts_.erase(it); // rebuilt from the record on the next look
            return;
        }
        it->insert(text);
    }

  private:
    QHash<qsizetype, QSet<QString>> parts_;
};

} // namespace

int Merge_Imported_Events(QStringList& records, const QList<ImportedEvent>& events) {
    RecordIndex index(records);
    RecordParts parts;
    int added = 0;
    for (const ImportedEvent& event : events) {
        if (!event.day.isValid())
            continue;
        const QString text = Escape_Event_Text(event.text);
        if (text.isEmpty())
            continue;
        const QString dated_key = Event_Key(event.day);
        const QString every_year_key = Every_Year_Key(dated_key);
        qsizetype at = index.Find(every_year_key);
        if (!event.every_year) {
            const qsizetype dated = index.Find(dated_key);
            if (dated >= 0 && (at < 0 || dated < at))
                at = dated;
        }
        if (at < 0) {
            const QString key = event.every_year ? every_year_key : dated_key;
            records.append(key + QLatin1Char('=') + text);
            index.Add(records.last(), records.size() - 1);
            ++added;
            continue;
        }
        QString& record = records[at];
        const qsizetype eq = record.indexOf(QLatin1Char('='));
        const QString stored_text = record.sliced(eq + 1);
        if (parts.Has(at, stored_text, text))
            continue;
        // A record whose text is empty ("5/3/2004=") takes the text as its own.
        if (stored_text.isEmpty())
            record += text;
        else
            record += kJoin + text;
        parts.Added(at, text);
        ++added;
    }
    return added;
}

QString Data_Backup_Path(const QString& data_path) {
    return QFileInfo(data_path).absoluteDir().filePath(QStringLiteral("data.bak"));
}

bool Backup_Data_File(const QString& data_path) {
    if (!QFile::exists(data_path))
        return true;
    QByteArray bytes;
    if (!Read_Event_Bytes(data_path, &bytes))
        return false;
    return Save_File_Atomically(Data_Backup_Path(data_path), bytes);
}

void Restore_Data_File(const QString& data_path) {
    const QString backup = Data_Backup_Path(data_path);
    if (!QFile::exists(backup))
        return;
    // Without a calendar.dat the backup is older than this import, which had nothing to copy:
    // putting it back would bring back events from an earlier time.
    QByteArray saved, current;
    if (QFile::exists(data_path) && Read_Event_Bytes(backup, &saved) &&
        Read_Event_Bytes(data_path, &current) && saved != current)
        Save_File_Atomically(data_path, saved);
    QFile::remove(backup);
}

ImportOutcome Import_Events_Into_Data_File(const QString& data_path,
                                           const QList<ImportedEvent>& events) {
    ImportOutcome outcome;
    const bool existed = QFile::exists(data_path);
    // An old "data.bak" from an earlier import would otherwise stand for this one.
    if (!existed)
        QFile::remove(Data_Backup_Path(data_path));
    if (!Backup_Data_File(data_path)) {
        outcome.error = QStringLiteral("The data file couldn't be copied to \"data.bak\".");
        return outcome;
    }
    QByteArray bytes;
    if (!Read_Event_Bytes(data_path, &bytes)) {
        QFile::remove(Data_Backup_Path(data_path));
        outcome.error = QStringLiteral("The data file couldn't be read.");
        return outcome;
    }
    QStringList records = Parse_Event_File(bytes);
    outcome.added = Merge_Imported_Events(records, events);
    // Nothing new: calendar.dat stays as it is rather than being rewritten in another encoding.
    if (outcome.added > 0 && !Save_File_Atomically(data_path, Format_Event_File(records))) {
        QFile::remove(Data_Backup_Path(data_path));
        outcome.added = 0;
        outcome.error = QStringLiteral("The data file couldn't be saved.");
        return outcome;
    }
    outcome.ok = true;
    return outcome;
}
