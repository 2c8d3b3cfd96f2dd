#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

// One event read from an exchange file (CSV, iCalendar), before it joins calendar.dat.
struct ImportedEvent {
    QDate day;
    // Stored under the day's every-year key (day/month/9999) rather than its dated key.
    bool every_year = false;
    // The text as a person would type it: one "&" per ampersand, double quotes allowed.
    QString text;
};

// An event that covers several days is imported on each of them, but on no more than this many:
// a span of months is more likely a mistake of the file than an event to copy into every box.
inline constexpr int Max_Event_Days = 31;

// Appends the event of the days first to last (last before first counts as first alone, and at
// most Max_Event_Days): first_text on the first day, text on the following ones (a start time
// belongs to the first day only).
void Append_Event_Days(QList<ImportedEvent>* out, const QDate& first, const QDate& last,
                       bool every_year, const QString& first_text, const QString& text);

// Merges events into records (calendar.dat's records, in file order), in memory: one record per
// day, texts joined by " + ", each text escaped as the editor escapes typed text. A dated event
// joins only the first dated record of its day, an every-year event only the first every-year
// record of its day; without one a record is added. An event whose text already stood in its
// day before the merge (whole or as a run of its " + " parts; for a dated event also in the
// every-year record of its day) is not added again, so the same file imported twice adds nothing
// the second time; two events of the list with the same text on one day are both added.
// Events without a valid day or with an empty text are passed over.
// Returns the number of events whose text was added.
int Merge_Imported_Events(QStringList& records, const QList<ImportedEvent>& events);

struct ImportOutcome {
    bool ok = false;
    // Events whose text was added (the others already stood in their day or were empty).
    int added = 0;
    // What went wrong, for the user, when ok is false.
    QString error;
};

// "data.bak" beside the calendar.dat at data_path.
QString Data_Backup_Path(const QString& data_path);
// Copies calendar.dat to "data.bak" (replacing it) when calendar.dat exists. False when the copy
// couldn't be made.
bool Backup_Data_File(const QString& data_path);
// Undoes an import that failed: calendar.dat is put back from "data.bak" when the two differ
// (a failed import never changes calendar.dat, so normally nothing is copied), then "data.bak"
// is deleted. Does nothing when there is no "data.bak"; never creates a calendar.dat.
void Restore_Data_File(const QString& data_path);

// Imports events into the calendar.dat at data_path: copies it to "data.bak" beside it, merges in
// memory and saves once, atomically. A failed import leaves calendar.dat byte for byte as it was
// (and removes "data.bak" again); a successful one keeps "data.bak" with the events as they were.
ImportOutcome Import_Events_Into_Data_File(const QString& data_path,
                                           const QList<ImportedEvent>& events);
