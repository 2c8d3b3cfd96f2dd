#pragma once

#include <libical/ical.h>

#include <QByteArray>
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
