#pragma once

#include "exchange/EventMerge.h"

#include <QByteArray>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTime>

// One record of a CSV file: its fields, values as written (quotes taken off, doubled quotes
// made single), and the physical line it starts on (1 for the first).
struct CsvRecord {
    int line = 0;
    QStringList fields;
};

struct CsvSplit {
    QList<CsvRecord> records;
    // Empty when the whole text was read; otherwise why it stopped (a quoted field left open).
    QString error;
    int error_line = 0;
};

// Splits CSV text into records. Fields are separated by commas; a field in double quotes may
// hold commas, line breaks and doubled quotes; fields without quotes are values too. CR LF, LF
// and CR all end a record, and the last one needs no line end. Blank lines give no record.
// Line breaks inside a field are kept as CR LF, the line end of event texts.
CsvSplit Split_CSV(QStringView text);

// Columns of the headings the import reads: three it needs, and four that other calendar
// programs add (-1 when the file has none).
struct CsvColumns {
    int start_date = -1;
    int description = -1;
    int subject = -1;
    int start_time = -1;
    int end_date = -1;
    int end_time = -1;
    int all_day = -1;
};

// Finds the columns of "start date", "description" and "subject" among headings (any case,
// spaces around them ignored). A heading that only contains one of them ("Start Date/Time")
// stands for it when no heading is exactly it. False when any of the three is missing. "Start
// Time", "End Date", "End Time" and "All day event" are taken when a heading is exactly one.
bool Check_CSV_Headings(const QStringList& headings, CsvColumns* columns);

// A start date as calendar and spreadsheet programs write it: the locale's short form (one or
// two digits for day and month, two- or four-digit years) or ISO 8601 (2026-03-05), either
// perhaps followed by a time. Invalid when it is neither.
QDate Parse_CSV_Date(const QString& text, const QLocale& locale);

// A time as calendar programs write it: "10:00:00 AM", "9:45 am", "14:30" or "14:30:00".
// Invalid when it is none of these.
QTime Parse_CSV_Time(const QString& text);

// The event text of a row: the subject (unless empty or "Almanor", the subject this program
// writes), " - " when both are there, and the description.
QString CSV_Event_Text(const QString& subject, const QString& description);

enum class CsvReadError {
    None,
    Unreadable,      // the file couldn't be read
    MissingHeadings, // "subject", "start date" or "description" is not among the headings
    BadRecord        // a row's start date isn't a date, or a quoted field is never closed
};

struct CsvReadResult {
    CsvReadError error = CsvReadError::None;
    // For the user: what went wrong, naming the line ("Line 7: ...").
    QString detail;
    // The events in file order: for each row that has a subject or a description, one on each
    // day from its start date to its end date. A row with a start time other than midnight (or
    // with "All day event" false) starts its first day's text with the time.
    QList<ImportedEvent> events;
    // The rows that gave events.
    int rows = 0;
};

// Reads the events of a CSV file's bytes.
CsvReadResult Read_CSV_Events(const QByteArray& bytes, const QLocale& locale = QLocale());
CsvReadResult Read_CSV_Events_File(const QString& path, const QLocale& locale = QLocale());

// A whole CSV import: reads the file, then merges its events into the calendar.dat at data_path
// with one protected save (see Import_Events_Into_Data_File). When it fails, calendar.dat is as
// it was. imported counts the rows read, as the success message tells them.
struct CsvImportOutcome {
    CsvReadError error = CsvReadError::None;
    bool save_failed = false;
    QString detail;
    int imported = 0;
    int added = 0;
    bool ok() const { return error == CsvReadError::None && !save_failed; }
};
CsvImportOutcome Import_CSV_File(const QString& csv_path, const QString& data_path,
                                 const QLocale& locale = QLocale());
