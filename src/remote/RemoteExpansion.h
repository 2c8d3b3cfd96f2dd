#pragma once

#include "exchange/ICalDocument.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QTime>
#include <QTimeZone>

#include <vector>

// One showing of a remote event on one local day.
struct RemoteOccurrence {
    QDate day;
    // The local start time; null for an all-day event and for the later days of one that spans
    // several.
    QTime time;
    QString summary;

    bool All_Day() const { return time.isNull(); }
    bool operator==(const RemoteOccurrence&) const = default;
};

// Steps through any one rule are bounded, so that a rule repeating every second since long ago
// can't hold the calendar up.
inline constexpr int Max_Remote_Rule_Steps = 5000;
// An event longer than this shows on its first days only.
inline constexpr int Max_Remote_Span_Days = 366;

// One occurrence of an event, before it is placed in a reader's days: a moment for a time in a
// zone (seconds since the epoch), a wall-clock time for a floating time, or a date (both as
// seconds since the epoch as if they were UTC).
struct RemoteInstance {
    enum Kind : quint8 { Zoned, Floating, Date };
    qint64 start = 0;
    Kind kind = Zoned;
    // The days a date covers (1 for most).
    qint16 span_days = 1;
    QString summary;

    bool operator==(const RemoteInstance&) const = default;
};

// The occurrences of the calendars' events that touch the wall-clock days first to last in any
// time zone, ordered by start.
QList<RemoteInstance> Expand_Remote_Instances(const std::vector<ICalComponentPtr>& calendars,
                                              const QDate& first, const QDate& last);

// The occurrences among instances (ordered by start) that fall on the local days first to last in
// zone, ordered as Expand_Remote_Events orders them.
QList<RemoteOccurrence> Place_Remote_Instances(const QList<RemoteInstance>& instances,
                                               const QDate& first, const QDate& last,
                                               const QTimeZone& zone);

// The events of the calendars that fall on the local days first to last (in zone), recurrences,
// moved and cancelled occurrences, EXDATE and RDATE taken into account. All-day events show on
// every day they cover. Ordered by day, all-day events first, then by start time and summary.
QList<RemoteOccurrence> Expand_Remote_Events(const std::vector<ICalComponentPtr>& calendars,
                                             const QDate& first, const QDate& last,
                                             const QTimeZone& zone);
