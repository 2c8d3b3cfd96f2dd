// The events overview: entries, their orders, their lines and the removal of the record a line
// shows. Orders compare dates, not texts of day numbers, so they hold for every year.
#include "events/Overview.h"

#include "calendar/General_Mod.h"
#include "calendar/MsgBox.h"
#include "events/EventFileLock.h"
#include "events/EventStats.h"
#include "events/EventStore.h"

#include <QFile>

#include <algorithm>

const QStringList& Sort_Order_Names() {
    static const QStringList names{QStringLiteral("Ascending Date"),
                                   QStringLiteral("Descending Date"), QStringLiteral("Date Added")};
    return names;
}

SortOrder Sort_Order_Of(const QString& name) {
    const qsizetype index = Sort_Order_Names().indexOf(name);
    return index < 0 ? SortOrder::Ascending_Date : SortOrder(index);
}

bool Add_2_List(Overview& overview, QStringView record, int current_year) {
    EventDay event;
    if (!Parse_Dated_Record(record, &event))
        return false;
    OverviewEntry entry;
    entry.every_year = event.year == Every_Year;
    // Date_Serial runs an every-year 29 February on into 1 March of a year without one.
    entry.date = entry.every_year ? Date_Serial(current_year, event.month, event.day)
                                  : QDate(event.year, event.month, event.day);
    entry.text = std::move(event.text);
    entry.record = overview.records.size();
    overview.entries.append(std::move(entry));
    overview.records.append(record.toString());
    return true;
}

Overview Overview_Of_Records(const QStringList& records, const QDate& today) {
    Overview overview;
    overview.entries.reserve(records.size());
    overview.records.reserve(records.size());
    for (const QString& record : records) {
        if (!Add_2_List(overview, record, today.year())) {
            overview.ok = false;
            break;
        }
    }
    return overview;
}

Overview Read_Overview(const QString& path, const QDate& today) {
    QByteArray data;
    const bool read = Read_Event_Bytes(path, &data);
    const QString text = Decode_Event_File(data);
    Overview overview;
    For_Each_Event_Record(text, [&](QStringView record) {
        if (Add_2_List(overview, record, today.year()))
            return true;
        overview.ok = false;
        return false;
    });
    overview.ok = overview.ok && read;
    return overview;
}

void Tell_Overview_Load_Error() {
    Msg_Box(QStringLiteral("Error loading in data file."), MsgButtons::Ok, MsgIcon::Critical,
            QStringLiteral("ERROR"));
}

void Sort_Overview(QList<OverviewEntry>& entries, SortOrder order) {
    if (order == SortOrder::Date_Added) {
        std::sort(
            entries.begin(), entries.end(),
            [](const OverviewEntry& a, const OverviewEntry& b) { return a.record < b.record; });
        return;
    }
    // The file position decides last, so equal days keep one order and descending is the exact
    // reverse of ascending.
    const auto before = [](const OverviewEntry& a, const OverviewEntry& b) {
        if (a.date != b.date)
            return a.date < b.date;
        if (a.every_year != b.every_year)
            return a.every_year;
        return a.record < b.record;
    };
    std::sort(entries.begin(), entries.end(), before);
    if (order == SortOrder::Descending_Date)
        std::reverse(entries.begin(), entries.end());
}

SortOrder Key_Order(SortOrder order) {
    return order == SortOrder::Date_Added ? SortOrder::Date_Added : SortOrder::Ascending_Date;
}

QString Overview_Line(const OverviewEntry& entry, const QLocale& locale) {
    QString line = Format_Short_Date(entry.date, locale);
    if (entry.every_year)
        line += QStringLiteral(" (every year)");
    // A list shows the text as typed: the doubled "&" is only for labels that read "&" as a
    // shortcut mark.
    return line + QStringLiteral("  -  ") + Unescape_Event_Text(entry.text);
}

QString Countdown_Text(const QDate& date, const QDate& today) {
    return QString::number(today.daysTo(date)) + QStringLiteral(" days");
}

RemoveResult Remove_Overview_Record(EventStore& store, const OverviewEntry& entry,
                                    const QString& expected_record) {
    // The day the removal acts on, as every change of an event names it.
    EventDay day;
    if (Parse_Event_Record(expected_record, &day, false))
        store.current_key =
            Event_Key(day.day, day.month, day.year == Every_Year ? entry.date.year() : day.year);
    // The note sync writes calendar.dat from its own process: neither may write over a change
    // the other made between its reading and its writing.
    EventFileLock lock(store.Path());
    // A file deleted meanwhile holds no record, and Load_File would keep the old list.
    if (!QFile::exists(store.Path()))
        return RemoveResult::Gone;
    if (!store.Load_File())
        return RemoveResult::LoadFailed;
    // The record is looked for by its whole text, never by its day alone: a day may hold a dated
    // and an every-year record, and removing the wrong one would lose an event.
    qsizetype at = entry.record;
    if (at >= store.records.size() || store.records.at(at) != expected_record)
        at = store.records.indexOf(expected_record);
    if (at < 0)
        return RemoveResult::Gone;
    store.records.removeAt(at);
    return store.Write_ALL() ? RemoveResult::Removed : RemoveResult::SaveFailed;
}
