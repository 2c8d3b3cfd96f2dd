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

// Repeating events are expanded up to one year after the day of the import, and to at most this
// many occurrences each.
inline constexpr int Max_ICal_Occurrences = 400;

struct ICalReadResult {
    bool ok = false;
    QList<ImportedEvent> events;
    // What was wrong with the file, for the user, when ok is false ("Line 7 ...").
    QString error;
};

// The events of the .ics bytes in data, in file order, repeating ones expanded. A file that is
// not iCalendar, is cut off or holds lines that are not iCalendar content lines gives ok false
// and no events.
ICalReadResult Read_ICal_Events(const QByteArray& data, const ICalImportContext& context);

struct ICalWriteResult {
    QByteArray bytes;
    // The number of events written (records whose key is not a day are left out).
    int count = 0;
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
};

// Reads the .ics file at ics_path and merges its events into the calendar.dat at data_path in
// one atomic save ("data.bak" kept beside it). On failure calendar.dat is unchanged.
ICalFileOutcome Import_ICal_File(const QString& ics_path, const QString& data_path,
                                 const ICalImportContext& context);

// Writes the events of the calendar.dat at data_path to ics_path, atomically.
ICalFileOutcome Export_ICal_File(const QString& data_path, const QString& ics_path,
                                 const QDateTime& now);
