#pragma once

#include "exchange/ICalDocument.h"
#include "exchange/ICalExchange.h"

#include <QStringList>

// The import of these tests happens on 7 December 2026 in Berlin, with a 24-hour clock.
inline ICalImportContext Berlin_Context() {
    return {QDate(2026, 12, 7), QTimeZone("Europe/Berlin"),
            QLocale(QLocale::English, QLocale::UnitedKingdom)};
}

// A calendar around the given content lines, with CR LF line ends as the format has them.
inline QByteArray Calendar_Of(const QByteArray& lines) {
    QByteArray body =
        "BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//Test//Test//EN\n" + lines + "END:VCALENDAR\n";
    return body.replace("\n", "\r\n");
}

// A VEVENT with the content lines given, and a UID of its own unless they bring one.
inline QByteArray Event_Of(const QByteArray& lines) {
    const QByteArray uid = lines.startsWith("UID:")
                               ? QByteArray()
                               : "UID:" + QByteArray::number(qHash(lines, 0)) + "\n";
    return "BEGIN:VEVENT\n" + uid + "DTSTAMP:20261201T000000Z\n" + lines + "END:VEVENT\n";
}

// Events as "day|text", with "*" before the day of an every-year one: easy to compare and to read
// in a failure.
inline QStringList Listing(const QList<ImportedEvent>& events) {
    QStringList lines;
    for (const ImportedEvent& event : events)
        lines << (event.every_year ? QStringLiteral("*") : QString()) +
                     event.day.toString(Qt::ISODate) + QLatin1Char('|') + event.text;
    return lines;
}

inline QStringList Read_Listing(const QByteArray& lines) {
    const ICalReadResult result = Read_ICal_Events(Calendar_Of(lines), Berlin_Context());
    if (!result.ok)
        return {QStringLiteral("failed: ") + result.error};
    return Listing(result.events);
}
