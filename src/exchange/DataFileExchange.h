#pragma once

#include "exchange/ExchangeFile.h"

#include <QByteArray>
#include <QDateTime>
#include <QLocale>
#include <QString>

// Copies of calendar.dat out of the program folder and in from elsewhere.

// The bytes of a normal file; false when it is missing, not a normal file, larger than max_size
// or can't be read.
bool Read_Whole_File(const QString& path, QByteArray* bytes, qint64 max_size);
// True when both paths reach the same existing file: the same path, another spelling, a link, or
// another case on a folder that ignores case. Two names that differ only in case are two files
// on a folder that keeps case.
bool Same_File(const QString& a, const QString& b);

// calendar.dat in the program folder.
QString Data_File_Path(const QString& program_dir);

// Why bytes can't serve as calendar.dat, for the user; empty when they can. An empty file (no
// events) can. Refused: a binary file, a record without "=", a file that ends inside a record.
QString Check_Data_File(const QByteArray& bytes);

enum class DataExport { Exported, No_Data_File, Failed };
// Copies calendar.dat at data_path to target, replacing it; atomically.
DataExport Export_Data_File(const QString& data_path, const QString& target);

enum class DataImportChoice { Ok, Missing, Own_Data_File };
// Whether the chosen file may be imported over the calendar.dat at data_path.
DataImportChoice Check_Data_Import(const QString& chosen, const QString& data_path);

struct DataImportOutcome {
    bool ok = false;
    // What was wrong with the chosen file, for the user; may be empty.
    QString detail;
};
// Copies the chosen file over calendar.dat at data_path, atomically, once it has been read whole
// and found usable. A failed import leaves calendar.dat as it was.
DataImportOutcome Import_Data_File(const QString& chosen, const QString& data_path);

// A file's last-modified date and time as the system writes them (short date, time with seconds).
QString Format_File_Time(const QDateTime& time, const QLocale& locale = QLocale());
// The replace question: both files' names and modification times. chosen_title is the chosen
// file's name without its folder.
QString Replace_Data_Question(const QString& data_path, const QString& chosen,
                              const QString& chosen_title, const QLocale& locale = QLocale());

// The messages of the two directions.
QString Data_Exported_Message(const QString& path);
QString Data_Imported_Message(const QString& path);
inline const QString No_Data_File_Message = QStringLiteral(
    "Can't find data file! This could be because you havn't created any events yet?");
inline const QString Data_Export_Error = QStringLiteral("Error when exporting data file.");
inline const QString Data_Import_Error = QStringLiteral("Error when importing data file.");
inline const QString Own_Data_File_Message =
    QStringLiteral("You can't import the data file your currently using!");
inline const QString Missing_File_Message = QStringLiteral("File doesn't exist!");
