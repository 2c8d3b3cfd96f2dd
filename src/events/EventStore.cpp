// The calendar window's copy of calendar.dat and the operations that look up and change it.
#include "events/EventStore.h"

#include "calendar/MsgBox.h"

#include <QFile>
#include <QSaveFile>

#include <utility>

namespace {

void Tell_Load_Error() {
    Msg_Box(QStringLiteral("Error loading in data file."), MsgButtons::Ok, MsgIcon::Critical,
            QStringLiteral("ERROR"));
}

void Tell_Save_Error() {
    Msg_Box(QStringLiteral("Error saving data file."), MsgButtons::Ok, MsgIcon::Critical,
            QStringLiteral("ERROR"));
}

} // namespace

EventStore::EventStore(QString path) : path_(std::move(path)) {}

bool EventStore::Load_File() {
    if (!QFile::exists(path_)) {
        load_failed_ = false;
        return true;
    }
    bool ok = false;
    records = Read_Event_Records(path_, &ok);
    load_failed_ = !ok;
    if (!ok)
        Tell_Load_Error();
    return ok;
}

QString EventStore::Get_Message(bool check_year) {
    bool ok = false;
    const QStringList all = Read_Event_Records(path_, &ok);
    const QString every_year_key = Every_Year_Key(current_key);
    QString result;
    for (const QString& record : all) {
        const QString key = Record_Key(record);
        if (key.isNull()) {
            // A hand-edited or imported line without "=": the lookup ends with what it found.
            Tell_Load_Error();
            return result;
        }
        if (key == every_year_key) {
            result = Record_Text(record);
            if (check_year)
                every_year = true;
        } else if (key == current_key) {
            result = Record_Text(record);
        }
    }
    if (!ok)
        Tell_Load_Error();
    return result;
}

bool EventStore::Check_For_Pre(const QString& text) {
    // After a failed load the list holds only part of the file (or nothing); writing it back
    // would throw the rest of the events away.
    if (load_failed_) {
        Tell_Save_Error();
        return false;
    }
    const QString every_year_key = Every_Year_Key(current_key);
    for (qsizetype i = 0; i < records.size(); ++i) {
        // Entries without "=" match no day; they stay where they are and are written back as read.
        const QString key = Record_Key(records.at(i));
        if (key.isNull() || (key != current_key && key != every_year_key))
            continue;
        if (text.isEmpty())
            records.removeAt(i);
        else
            records[i] = (every_year ? every_year_key : current_key) + QLatin1Char('=') + text;
        return Write_ALL();
    }
    return Write_New_Line(text);
}

bool EventStore::Write_ALL() {
    return Save(records);
}

bool EventStore::Write_New_Line(const QString& text) {
    if (text.isEmpty())
        return true;
    QStringList all = records;
    all.append((every_year ? Every_Year_Key(current_key) : current_key) + QLatin1Char('=') + text);
    return Save(all);
}

bool EventStore::Save(const QStringList& all) {
    // The old file is replaced only once every byte of the new one is on disk, so a full disk or
    // a refused folder leaves the events as they were.
    const QByteArray bytes = Format_Event_File(all);
    // Counted before the attempt: a save that failed half way may still have touched the file.
    ++save_count_;
    QSaveFile file(path_);
    // Unbuffered, so a short write (disk full, file size limit) shows in write()'s count: a
    // buffered QSaveFile flushes a short write at commit without noticing and renames a cut file.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        file.write(bytes) != bytes.size() || !file.commit()) {
        file.cancelWriting();
        Tell_Save_Error();
        return false;
    }
    return true;
}
