// Imported events joining calendar.dat: the in-memory merge and the one protected save.
#include "exchange/EventMerge.h"

#include "events/EventFileLock.h"
#include "events/EventStore.h"
#include "exchange/ExchangeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>

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

// The texts the records held before the import. Only these make an event "already there": two
// events of one file with the same text on one day are two events and both are kept. Long
// records are split into a set of their parts once, so that many events on one long day don't
// rescan it; short ones are searched.
class StoredTexts {
  public:
    explicit StoredTexts(const QStringList& records) : records_(records) {}

    bool Has(qsizetype record, const QString& text) {
        if (record < 0 || record >= records_.size())
            return false;
        const QString& stored = records_.at(record);
        const QStringView stored_text =
            QStringView(stored).sliced(stored.indexOf(QLatin1Char('=')) + 1);
        if (text.contains(kJoin) || stored_text.size() < kLongRecord)
            return Stands_In(stored_text, text);
        auto it = parts_.find(record);
        if (it == parts_.end()) {
            QSet<QString> parts;
            for (const QStringView part : stored_text.split(kJoin))
                parts.insert(part.toString());
            it = parts_.insert(record, parts);
        }
        return it->contains(text);
    }

  private:
    QStringList records_;
    QHash<qsizetype, QSet<QString>> parts_;
};

} // namespace

int Merge_Imported_Events(QStringList& records, const QList<ImportedEvent>& events) {
    RecordIndex index(records);
    StoredTexts stored(records);
    int added = 0;
    for (const ImportedEvent& event : events) {
        if (!event.day.isValid())
            continue;
        const QString text = Escape_Event_Text(event.text);
        if (text.isEmpty())
            continue;
        const QString dated_key = Event_Key(event.day);
        const QString every_year_key = Every_Year_Key(dated_key);
        // A one-off event never joins the every-year record of its day (it would come back every
        // year), nor an every-year event a dated one; but a one-off text that the every-year
        // record already holds shows on that day already.
        const QString& key = event.every_year ? every_year_key : dated_key;
        const qsizetype at = index.Find(key);
        if (stored.Has(at, text) ||
            (!event.every_year && stored.Has(index.Find(every_year_key), text)))
            continue;
        if (at < 0) {
            records.append(key + QLatin1Char('=') + text);
            index.Add(records.last(), records.size() - 1);
            ++added;
            continue;
        }
        QString& record = records[at];
        // A record whose text is empty ("5/3/2004=") takes the text as its own.
        if (record.indexOf(QLatin1Char('=')) == record.size() - 1)
            record += text;
        else
            record += kJoin + text;
        ++added;
    }
    return added;
}

void Append_Event_Days(QList<ImportedEvent>* out, const QDate& first, const QDate& last,
                       bool every_year, const QString& first_text, const QString& text) {
    out->append(ImportedEvent{first, every_year, first_text});
    if (!first.isValid() || !last.isValid())
        return;
    const qint64 days = std::min<qint64>(first.daysTo(last) + 1, Max_Event_Days);
    for (qint64 i = 1; i < days; ++i)
        out->append(ImportedEvent{first.addDays(i), every_year, text});
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
    EventFileLock lock(data_path);
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
    // The note sync writes calendar.dat from its own process: it must not write an older copy
    // over the merged one, nor this merge over its changes.
    const EventFileLock lock(data_path);
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
