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

// The events of the calendars that fall on the local days first to last (in zone), recurrences,
// moved and cancelled occurrences, EXDATE and RDATE taken into account. All-day events show on
// every day they cover. Ordered by day, all-day events first, then by start time and summary.
QList<RemoteOccurrence> Expand_Remote_Events(const std::vector<ICalComponentPtr>& calendars,
                                             const QDate& first, const QDate& last,
                                             const QTimeZone& zone);
