#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

// One record of calendar.dat taken apart for the month view.
struct EventDay {
    qint16 day = 0;
    qint16 month = 0;
    qint16 year = 0;
    // The text as stored (each "&" doubled).
    QString text;
};

// Reads the day, month and year of a key ("5/3/2004", also "05/03/2004" or " 6/3/2004"). Fails
// for fewer than two "/" or a part that isn't a number within 16 bits.
bool Parse_Event_Key(QStringView key, qint16* day, qint16* month, qint16* year);

// Splits "day/month/year=text". Fails for a record without "=", a key with fewer than two "/",
// or a part that isn't a number within 16 bits. Without keep_text the text is left empty, which
// spares a copy for the many records a month view passes over.
bool Parse_Event_Record(QStringView record, EventDay* out, bool keep_text = true);
inline bool Parse_Event_Record(const QString& record, EventDay* out, bool keep_text = true) {
    return Parse_Event_Record(QStringView(record), out, keep_text);
}

// Every-year records carry this year.
constexpr qint16 Every_Year = 9999;

// True when the record belongs in the shown month.
bool Shown_In_Month(const EventDay& event, qint16 view_month, qint16 view_year);

// True when the record falls on today.
bool Falls_Today(const EventDay& event, const QDate& today);

// The "Today: " alert text for a record of today.
QString Alert_Text(const QString& stored_text, const QDate& today,
                   const QLocale& locale = QLocale());
