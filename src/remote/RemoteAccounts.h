#pragma once

#include <QList>
#include <QString>

// The remote calendars the user subscribed to: one settings group each in Almanor.ini,
// "[Calendar 1]", "[Calendar 2]" and so on, numbered from 1 in the order the user added them.
// Passwords are never kept here.
struct RemoteCalendar {
    QString name;
    // An .ics file (http, https, webcal or file) or a CalDAV calendar collection.
    QString url;
    // The user name for a server that asks for one; empty for none.
    QString user;
    // A colour value as the other colours are stored: 0x00BBGGRR, or a system colour.
    qint32 colour = Default_Remote_Colour;
    int refresh_minutes = Default_Refresh_Minutes;
    bool enabled = true;
    // The user's notes are kept in this calendar, both ways ("Keep Notes=1"). At most one
    // calendar has it, and only a CalDAV one: an .ics file can't be written to.
    bool keep_notes = false;

    static constexpr qint32 Default_Remote_Colour = 0x00B06020;
    static constexpr int Default_Refresh_Minutes = 60;
    // A shorter interval would have every running calendar knock on the server all day.
    static constexpr int Min_Refresh_Minutes = 5;

    bool operator==(const RemoteCalendar&) const = default;
};

// The calendars of the settings file at ini_path, in the order of their numbers. A group written
// by hand reads as one added through the settings window: missing keys take their defaults, an
// interval below the least is raised to it, a group without an address is left out. Only the
// first CalDAV calendar with "Keep Notes=1" keeps the notes; the flag of any other is read as off.
QList<RemoteCalendar> Read_Remote_Calendars(const QString& ini_path);

// The calendar that keeps the notes, or -1 when none does.
qsizetype Notes_Calendar_Index(const QList<RemoteCalendar>& calendars);

// Replaces every calendar group of the file with calendars, numbered from 1, leaving the rest of
// the file as it was. Returns false when the file could not be written.
bool Write_Remote_Calendars(const QString& ini_path, const QList<RemoteCalendar>& calendars);

// The address as it is fetched: webcal:// is https://, anything else as typed.
QString Fetch_Url(const QString& url);
// Whether the address names an .ics file rather than a CalDAV collection.
bool Is_Ics_Address(const QString& url);

// Removes the calendar at index (from 0) from the settings file, numbering the rest anew, and
// deletes its cache from cache_dir. Returns false when the file could not be written (the
// cache then stays too).
bool Remove_Remote_Calendar(const QString& ini_path, const QString& cache_dir, qsizetype index);
