#pragma once

// The events overview: every record of calendar.dat as a dated entry, in one of three orders,
// with the line text the overview list shows and the countdown to an entry's day. Plain
// functions over records, no window: the settings window's "Events" tab and the CSV and text
// exports build on them.

#include <QDate>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

class EventStore;

// The overview's orders, as the "Sort by:" list names them.
enum class SortOrder { Ascending_Date = 0, Descending_Date = 1, Date_Added = 2 };

// "Ascending Date", "Descending Date", "Date Added", in the order of the enum.
const QStringList& Sort_Order_Names();
// The order of a name of Sort_Order_Names(); "Ascending Date" for any other text.
SortOrder Sort_Order_Of(const QString& name);

// One record of calendar.dat as the overview lists it.
struct OverviewEntry {
    // The record's own date; for an every-year record its day and month in the current year.
    // An every-year 29 February falls on 1 March in a year without one.
    QDate date;
    bool every_year = false;
    // The event text as stored (each "&" doubled).
    QString text;
    // Position of the record in the file (0 for the first record), so an entry can always be
    // traced back to exactly the record it shows, even when a day holds several.
    qsizetype record = 0;
};

// The overview of one reading of calendar.dat.
struct Overview {
    // One entry per record, in file order until Sort_Overview is called.
    QList<OverviewEntry> entries;
    // The records as read, in file order; entries[i].record indexes this list.
    QStringList records;
    // False when a malformed record (no "=", a key that is not day/month/year, a month outside
    // 1..12, a day its month doesn't have, a year outside 1..9999) ended the reading, or the file
    // could not be read; entries and records then hold what came before it.
    bool ok = true;
};

// Adds the entry of one record (read in file order) to overview; false, with nothing added, for a
// malformed record. current_year places every-year records.
bool Add_2_List(Overview& overview, QStringView record, int current_year);
// The entries of records (file order). today gives the current year for every-year records.
Overview Overview_Of_Records(const QStringList& records, const QDate& today);
// Reads the file at path through the event-file reader. A missing file gives an empty,
// ok overview. Shows no message: callers that talk to the user call Tell_Overview_Load_Error.
Overview Read_Overview(const QString& path, const QDate& today);
// "Error loading in data file.", caption "ERROR", critical icon, through Msg_Box.
void Tell_Overview_Load_Error();

// Puts entries in order. Ascending and descending are by date (chronological for every year),
// on one day every-year entries before dated ones, then file order; descending is the exact
// reverse of ascending. "Date Added" is file order.
void Sort_Overview(QList<OverviewEntry>& entries, SortOrder order);
// The order of the overview's sort keys for an order: the date orders both keep their keys
// ascending (the list shows them reversed for "Descending Date"), "Date Added" in file order.
// Exports that walk the overview's keys from first to last use this order.
SortOrder Key_Order(SortOrder order);

// The line of the overview list: the short date, then " (every year)" for an every-year entry,
// then "  -  " and the text as typed (each stored "&&" as one "&").
QString Overview_Line(const OverviewEntry& entry, const QLocale& locale = QLocale());
// Days from today to date, followed by " days" ("3 days", "0 days", "-1 days").
QString Countdown_Text(const QDate& date, const QDate& today);

// What became of a removal.
enum class RemoveResult {
    Removed,    // the record is gone from the file
    Gone,       // the file no longer holds the record; nothing was changed
    LoadFailed, // the file could not be read (already told to the user)
    SaveFailed  // the save failed and the old file stayed (already told to the user)
};

// Removes the record an overview entry came from: reloads store from its file, finds the record
// (at its old place, or else the first record with the same text, should earlier records have
// gone meanwhile), removes exactly that one and saves the whole file atomically. The store's
// current key becomes the entry's day. expected_record is the record as the overview read it.
RemoveResult Remove_Overview_Record(EventStore& store, const OverviewEntry& entry,
                                    const QString& expected_record);
