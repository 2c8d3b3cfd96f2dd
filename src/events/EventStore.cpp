// The calendar window's copy of calendar.dat and the operations that look up and change it.
#include "events/EventStore.h"

#include "calendar/MsgBox.h"
#include "events/MonthEvents.h"
#include "events/ReplaceFile.h"

#include <QFile>

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
        // A file deleted while the calendar runs took its events with it: keeping the old list
        // would write them all back on the next save.
        records.clear();
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
    const DayRecord found = Find_Day_Record(all, current_key);
    // A line without "=" (hand-edited or imported) ends the lookup with what it found before it.
    if (found.blocked || !ok)
        Tell_Load_Error();
    if (found.index < 0)
        return QString();
    const QString& record = all.at(found.index);
    EventDay day;
    if (check_year && Parse_Event_Record(record, &day, false) && day.year == Every_Year)
        every_year = true;
    return Record_Text(record);
}

bool EventStore::Check_For_Pre(const QString& text) {
    // After a failed load the list holds only part of the file (or nothing); writing it back
    // would throw the rest of the events away.
    if (load_failed_) {
        Tell_Save_Error();
        return false;
    }
    // The record the box shows is the one changed: changing another record of the day would
    // overwrite a note the user never saw.
    const qsizetype index = Find_Day_Record(records, current_key).index;
    if (index < 0)
        return Write_New_Line(text);
    if (text.isEmpty())
        records.removeAt(index);
    else
        records[index] =
            (every_year ? Every_Year_Key(current_key) : current_key) + QLatin1Char('=') + text;
    return Write_ALL();
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
    if (!Replace_File(path_, bytes)) {
        Tell_Save_Error();
        return false;
    }
    return true;
}
