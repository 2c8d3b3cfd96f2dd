#pragma once

#include "exchange/EventMerge.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTimeZone>

// iCalendar (.ics) files to and from calendar.dat. The work is done by libical: these functions
// only map its components to the calendar's day records and back.

// Where and when an import happens: the day of the import bounds the expansion of repeating
// events, the zone gives each event its local day, the locale writes the start time of a timed
// event.
struct ICalImportContext {
    QDate today;
    QTimeZone zone;
    QLocale locale;
};

// The context of the running program: today from the current clock, the system's time zone and
// locale.
ICalImportContext Local_ICal_Context();

// Repeating events are expanded around the day of the import: what falls from a year before it
// to a year after it, and for a series that starts later, its first year. At most this many
// occurrences are taken of one series, those from the day of the import on first.
inline constexpr int Max_ICal_Occurrences = 400;

struct ICalReadResult {
    bool ok = false;
    QList<ImportedEvent> events;
    // What was wrong with the file, for the user, when ok is false ("Line 7 ...").
    QString error;
    // Repeating events that had more occurrences in their span than were taken, and the text of
    // the first of them.
    int cut_series = 0;
    QString first_cut;
};

// The events of the .ics bytes in data, in file order, repeating ones expanded, each on every
// day it covers. Text outside the calendars (BEGIN:VCALENDAR to END:VCALENDAR) is passed over;
// a file without a calendar, cut off, or with a line inside a calendar that is not an iCalendar
// content line gives ok false and no events.
ICalReadResult Read_ICal_Events(const QByteArray& data, const ICalImportContext& context);

struct ICalWriteResult {
    QByteArray bytes;
    // The number of events written.
    int count = 0;
    // Records that were left out because their key is not a day, and the key of the first.
    int skipped = 0;
    QString first_skipped;
};

// The .ics bytes for calendar.dat's records: one all-day event per record, every-year records as
// yearly events starting in the year of now. uid_domain ends each UID, so that UIDs from two
// machines don't collide; a record keeps its UID from one export to the next.
ICalWriteResult Format_ICal_Events(const QStringList& records, const QDateTime& now,
                                   const QString& uid_domain);

struct ICalFileOutcome {
    bool ok = false;
    // Events added to calendar.dat (import) or written to the file (export).
    int count = 0;
    QString error;
    // Import: repeating events cut at Max_ICal_Occurrences (see ICalReadResult).
    int cut_series = 0;
    QString first_cut;
    // Export: records left out (see ICalWriteResult).
    int skipped = 0;
    QString first_skipped;
};

// Reads the .ics file at ics_path and merges its events into the calendar.dat at data_path in
// one atomic save ("data.bak" kept beside it). On failure calendar.dat is unchanged.
ICalFileOutcome Import_ICal_File(const QString& ics_path, const QString& data_path,
                                 const ICalImportContext& context);

// Writes the events of the calendar.dat at data_path to ics_path, atomically.
ICalFileOutcome Export_ICal_File(const QString& data_path, const QString& ics_path,
                                 const QDateTime& now);

// The success messages of the import and export buttons: the count, what was cut or left out,
// then two line breaks and the file's full path.
QString ICal_Import_Message(const ICalFileOutcome& outcome, const QString& path);
QString ICal_Export_Message(const ICalFileOutcome& outcome, const QString& path);
