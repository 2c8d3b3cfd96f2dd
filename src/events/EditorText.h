#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

// Longest event text the editor takes, counting a line break as its two characters CR LF.
constexpr qsizetype Max_Event_Length = 1000;

// Words of a text: runs of spaces and line breaks separate words; leading and trailing ones add
// none.
qint32 CountWords(const QString& text);

// The editor's title: "Almanor - 12 Characters - 2 Words.", with " (max)" after the characters
// once the text is at its limit.
QString Editor_Title(qsizetype characters, qint32 words);

// The day as the editor shows it: weekday, day with its suffix, month and year
// ("Friday 5th March 2004").
QString Editor_Date_Text(const QDate& date, const QLocale& locale = QLocale());
