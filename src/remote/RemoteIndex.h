#pragma once

#include "remote/RemoteExpansion.h"

#include <QByteArray>
#include <QDate>
#include <QList>

#include <optional>

// The occurrences of a calendar's data over the months around the day it was fetched, kept beside
// the data. The calendar reads them at start instead of parsing the data: parsing 10,000 events
// with libical takes longer than the whole start may. Months outside the window are expanded from
// the data itself when the user steps there.
struct RemoteIndex {
    QDate first;
    QDate last;
    // Remote_Data_Digest of the data the occurrences come from.
    QByteArray data_digest;
    // Ordered by start.
    QList<RemoteInstance> instances;

    bool Covers(const QDate& from, const QDate& to) const {
        return first.isValid() && from >= first && to <= last;
    }
};

// The window reaches this many whole months before and after the month of the fetch.
inline constexpr int Remote_Index_Months = 13;

QByteArray Remote_Data_Digest(const QByteArray& data);

// The index of data fetched on today; an empty index (no window) when data is no calendar.
RemoteIndex Build_Remote_Index(const QByteArray& data, const QDate& today);

QByteArray Format_Remote_Index(const RemoteIndex& index);
// The index in bytes, or nothing when they are not a whole, well-ordered index.
std::optional<RemoteIndex> Read_Remote_Index(const QByteArray& bytes);
