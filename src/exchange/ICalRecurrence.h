#pragma once

#include <libical/ical.h>

#include <QDate>
#include <QTime>
#include <QTimeZone>

#include <vector>

// The occurrences of a repeating iCalendar event that an import takes, found with libical's
// recurrence iterator.

// A start in the calendar's own terms: the local day and, for a timed event, the local time.
struct LocalStart {
    QDate day;
    QTime time;
    bool timed = false;
};

LocalStart To_Local(const icaltimetype& t, const QTimeZone& zone);

// The local days a series is expanded over, and the day of the import that splits them.
struct ExpansionWindow {
    QDate first;
    QDate today;
    QDate last;
};

// A year before today to a year after it, or to a year after the series' first day when that is
// later: a series that begins further ahead still shows its first year.
ExpansionWindow Expansion_Window(const QDate& today, const QDate& series_first_day);

struct Occurrences {
    // In time order: those from the window's today on first, then as many of the latest ones
    // before it as the limit leaves room for.
    std::vector<icaltimetype> starts;
    // More occurrences fell in the window than the limit.
    bool cut = false;
};

// The occurrences of event (its start, RRULEs and RDATEs) whose local day lies in window, those
// matching an excluded start left out, at most limit of them.
Occurrences Expand_Occurrences(icalcomponent* event, const icaltimetype& start,
                               const std::vector<icaltimetype>& excluded,
                               const ExpansionWindow& window, const QTimeZone& zone, int limit);

// A yearly rule without an end that names no other day than its start's: the calendar's own
// every-year record says exactly that. Any other yearly rule (every second year, the fourth
// Thursday of November) is expanded instead, as it doesn't fall on one fixed day each year.
bool Is_Every_Year_Rule(const icalrecurrencetype& rule, const icaltimetype& start);
