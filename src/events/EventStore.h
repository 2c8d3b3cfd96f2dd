#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>

// Key of a dated event: day/month/year in decimal without leading zeros (5/3/2004).
QString Event_Key(int day, int month, int year);
inline QString Event_Key(const QDate& date) {
    return Event_Key(date.day(), date.month(), date.year());
}
// The every-year key of a key: its last four characters replaced by "9999".
QString Every_Year_Key(const QString& key);
// The part of a record before its first "=", or a null string when the record has none.
QString Record_Key(const QString& record);
// The part of a record after its first "=".
QString Record_Text(const QString& record);
// True when the record belongs to the day of key: its key names the same day, month and year as
// key, or the same day and month with the every-year year. Keys are compared by their numbers, as
// the month view reads them, so 05/03/2004 and " 5/3/2004" are the day of 5/3/2004.
bool Record_Matches(QStringView record, const QString& key);

// The record of key's day that the calendar shows and that every lookup, save and removal acts
// on: the last matching record before the first record without "=" (where reading the file
// stops). index is -1 when there is none; blocked tells that a record without "=" ended the walk.
struct DayRecord {
    qsizetype index = -1;
    bool blocked = false;
};
DayRecord Find_Day_Record(const QStringList& records, const QString& key);

// Text as shown in plain-text places: each "&&" back to "&".
QString Unescape_Event_Text(const QString& stored);
// Text as stored: double quotes become apostrophes, each "&" doubled.
QString Escape_Event_Text(const QString& typed);

// Splits the bytes of calendar.dat into records, field by field: quoted fields may span lines,
// unquoted lines split at commas. A leading UTF-8 byte order mark is skipped; a file that is not
// valid UTF-8 is read as Windows-1252.
QStringList Parse_Event_File(const QByteArray& data);
// The same reading without a copy of each record: visit sees every record in file order, as a
// view that lives for the call only, and stops the reading by returning false.
using Record_Visitor = std::function<bool(QStringView record)>;
void For_Each_Event_Record(const QByteArray& data, const Record_Visitor& visit);
// The text of the file's bytes, and the reading of records from text already decoded (the views
// then point into that text).
QString Decode_Event_File(const QByteArray& data);
void For_Each_Event_Record(QStringView text, const Record_Visitor& visit);
// The same reading over the bytes, without decoding them: the file's bytes after a leading byte
// order mark (Event_File_Body), split into the bytes of each record. Decode_Event_Bytes gives
// the text of such bytes as the whole file's decoding would: utf8 is Event_File_Is_Utf8 of the
// body, which decides between UTF-8 and Windows-1252 for the file as a whole.
QByteArrayView Event_File_Body(const QByteArray& data);
bool Event_File_Is_Utf8(QByteArrayView body);
QString Decode_Event_Bytes(QByteArrayView bytes, bool utf8);
using Byte_Record_Visitor = std::function<bool(QByteArrayView record)>;
void For_Each_Event_Field(QByteArrayView body, const Byte_Record_Visitor& visit);
// The bytes of calendar.dat for the records: each quoted, then CR LF, in UTF-8. A double quote
// inside a record is written as an apostrophe, since the format can't hold it.
QByteArray Format_Event_File(const QStringList& records);

// Reads the records of the file at path. A missing file gives no records and ok true; a file
// that can't be read gives ok false (and the records of what could be read).
QStringList Read_Event_Records(const QString& path, bool* ok);
// The raw bytes of the file at path: empty and true when it is missing, false when it exists
// but can't be read (data then holds what was read).
bool Read_Event_Bytes(const QString& path, QByteArray* data);
// Lets use look at the bytes of the file at path for the time of the call, mapped rather than
// copied where the system can, so that nothing of a large file stays in memory afterwards. use
// sees empty bytes for a missing file. False when the file exists but can't be read (use then
// sees what could be read).
bool Map_Event_Bytes(const QString& path, const std::function<void(const QByteArray&)>& use);

// The events of calendar.dat, as the calendar window holds them. Every change reloads the file,
// changes the list and rewrites the file whole, atomically: a failed save leaves the old file.
// Failures are told to the user through Msg_Box: "Error loading in data file." /
// "Error saving data file.", caption "ERROR", critical icon.
class EventStore {
  public:
    // path: the calendar.dat to work on (App_Path() + "/calendar.dat" in the program).
    explicit EventStore(QString path);

    const QString& Path() const { return path_; }

    // The records, in file order.
    QStringList records;
    // The day acted on (an Event_Key).
    QString current_key;
    // The editor's "Every year" check box: chooses the every-year key when saving, and is ticked
    // by Get_Message(true) when an every-year record for the day is met.
    bool every_year = false;

    // Reloads records from the file; a missing file means no records.
    // Returns false (after the message) when the file couldn't be read; records then hold what
    // was read, and Check_For_Pre refuses to save until a later Load_File succeeds.
    bool Load_File();
    // The stored (escaped) text of current_key: the text of its Find_Day_Record. With check_year,
    // every_year is ticked when that record is an every-year one (it is never unticked here).
    QString Get_Message(bool check_year);
    // Stores text for current_key in place of the record Get_Message answers with, or removes
    // that record when text is empty; appends a new record when the day has none. No other
    // record of the day is touched.
    bool Check_For_Pre(const QString& text);
    // Rewrites the file from records.
    bool Write_ALL();
    // Rewrites the file from records plus one new record for current_key (nothing when text is
    // empty).
    bool Write_New_Line(const QString& text);

    // Goes up with every save, so a copy of the file's contents kept elsewhere knows it is stale
    // even when the rewrite left the file's size and times as they were.
    quint64 Save_Count() const { return save_count_; }

  private:
    bool Save(const QStringList& all);
    QString path_;
    bool load_failed_ = false;
    quint64 save_count_ = 0;
};
