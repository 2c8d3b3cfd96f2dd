#pragma once

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>

struct AppSettings;

// The title strip's text for the month the grid shows (view_month 1..12, view_year).
// bar_time, time_format and date_format are the "Bar Time", "Bar Time Format" and
// "Bar Date Format" settings; now is the clock's time; locale gives names and separators.
QString Title_Text(const AppSettings& settings, qint16 view_month, qint16 view_year, bool bar_time,
                   const QString& time_format, const QString& date_format, const QDateTime& now,
                   const QLocale& locale = QLocale());

// English ordinal suffix: 1 "st", 2 "nd", 3 "rd", 11..13 "th", ...
QString Ordinal_Suffix(qint16 n);
// The day of the month as the locale's language writes it before the month's name: English
// with its suffix ("8th"), languages that mark it with a full stop so ("8."), others the bare
// number. English suffixes never go into another language's names.
QString Day_Ordinal_Text(qint16 day, const QLocale& locale = QLocale());

// True for an existing normal file (wildcards allowed in the name); never fails.
bool File_Exists(const QString& path);
// True when the path names an existing folder or file.
bool Dir_Exists(const QString& path);

// The system's short date form, always with a four-digit year, so a date written and read back
// stays the same date.
QString Short_Date_Format(const QLocale& locale = QLocale());
QString Format_Short_Date(const QDate& date, const QLocale& locale = QLocale());
// Parses a date in the short form; an invalid QDate when the text isn't one.
QDate Parse_Short_Date(const QString& text, const QLocale& locale = QLocale());
// The system's long date form.
QString Format_Long_Date(const QDate& date, const QLocale& locale = QLocale());
// The locale's date separator ("/" for en_US, "." for de_DE).
QString Date_Separator(const QLocale& locale = QLocale());

// A time in a title-strip time format ("H:mm", "HH:mm:ss", "h:mm AM/PM" ...). "AM/PM" and
// "am/pm" give a 12-hour clock with that marker; the other letters are those of QTime.
QString Format_Time(const QTime& time, const QString& format, const QLocale& locale = QLocale());
// The date of year, month and day where a month past 12 or a day past the end of the month runs
// on into the following months (and values below 1 run back), as the classic date library does.
// Invalid only outside QDate's range.
QDate Date_Serial(int year, int month, int day);
