#pragma once

#include <QByteArray>
#include <QHash>

// A calendar around the given content lines, with CR LF line ends as servers send them.
inline QByteArray Remote_Calendar_Of(const QByteArray& lines) {
    QByteArray body =
        "BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//Test//Test//EN\n" + lines + "END:VCALENDAR\n";
    return body.replace("\n", "\r\n");
}

// A VEVENT with the content lines given, and a UID of its own unless they bring one.
inline QByteArray Remote_Event_Of(const QByteArray& lines) {
    const QByteArray uid =
        lines.contains("UID:") ? QByteArray() : "UID:" + QByteArray::number(qHash(lines, 0)) + "\n";
    return "BEGIN:VEVENT\n" + uid + "DTSTAMP:20261201T000000Z\n" + lines + "END:VEVENT\n";
}
