#pragma once

#include <libical/ical.h>

#include <QByteArray>
#include <QDate>
#include <QString>

#include <memory>
#include <vector>

// libical components owned by C++ objects, and the reading of .ics bytes into calendars.

struct ICalComponentFree {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using ICalComponentPtr = std::unique_ptr<icalcomponent, ICalComponentFree>;

struct ICalParseResult {
    bool ok = false;
    // Every VCALENDAR of the file, in file order.
    std::vector<ICalComponentPtr> calendars;
    // What was wrong, naming the line, when ok is false.
    QString error;
};

// Parses data (UTF-8, UTF-16 with its byte order mark, or Windows-1252) with libical, which unfolds
// the lines and unescapes the values. Text outside the calendars (BEGIN:VCALENDAR to
// END:VCALENDAR) is passed over, but there must be a calendar, every calendar must be closed, and
// every line inside one must be a content line. A value libical can't read (a bad date, an
// unknown property) only loses that property, as other calendar programs do.
ICalParseResult Parse_ICal_Calendars(const QByteArray& data);

// A text value with line feeds for line breaks, without spaces at the ends of its lines or blank
// lines around it.
QString Clean_ICal_Text(const char* value);

// The PRODID of the calendars this program writes.
inline constexpr char ICal_Product_Id[] = "-//Quillfern Software//Almanor//EN";

// An all-day value (VALUE=DATE) of date.
icaltimetype ICal_Date(const QDate& date);

// The day an event of a record starts on when written in the given year: its own day, or for an
// every-year record (year 9999) its day in that year. 29 February of a common year falls back to
// the leap year before, where a yearly rule only meets leap years, as the every-year record does.
QDate ICal_Start_Day(int day, int month, int year, int in_year);
