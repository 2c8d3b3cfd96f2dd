#pragma once

#include "remote/RemoteAccounts.h"
#include "remote/RemoteIndex.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

// What is kept of each remote calendar between runs, under $XDG_CACHE_HOME/Almanor/: its last
// good data and the state of its refreshes. The calendar shows the cached data without waiting
// for the network; a refresh replaces the data only with good data, so a failure loses nothing.
struct RemoteCacheState {
    // The address the data came from. Validators of another address are never sent.
    QString url;
    // "ics" for a calendar file, "caldav" for a CalDAV collection, empty while not known.
    QString kind;
    // What the server said about the data kept, to ask it "changed since?" next time.
    QString etag;
    QString last_modified;
    QString ctag;
    QString sync_token;
    // UTC. last_success is when the data was last confirmed good (a 200 or a 304).
    QDateTime last_success;
    QDateTime last_attempt;
    // Remote_Data_Digest of the data kept; the index of occurrences counts only when it agrees.
    QString data_digest;
    // The last refresh's failure in words, for the settings window; empty after a good one.
    QString error;

    bool operator==(const RemoteCacheState&) const = default;
};

// $XDG_CACHE_HOME/Almanor, or ~/.cache/Almanor when it is unset (read at each call).
QString Remote_Cache_Dir();

// The calendar's files are named after its address and user, not its number, so that removing
// one calendar never hands its cache to the next.
QString Remote_Cache_Key(const RemoteCalendar& calendar);
QString Remote_Data_Path(const QString& cache_dir, const RemoteCalendar& calendar);

// The state kept for the calendar; an empty state when there is none or it can't be read (the
// next refresh then downloads the whole calendar again). Validators recorded for another address
// are dropped.
RemoteCacheState Read_Remote_State(const QString& cache_dir, const RemoteCalendar& calendar);
// The calendar's last good data, or empty when there is none.
QByteArray Read_Remote_Data(const QString& cache_dir, const RemoteCalendar& calendar);

// Keeps data as the calendar's last good data, then the index of its occurrences around the day
// of state.last_success, then its state (with the data's digest), each atomically: data first,
// so that validators never describe data older than theirs.
bool Store_Remote_Data(const QString& cache_dir, const RemoteCalendar& calendar,
                       const QByteArray& data, const RemoteCacheState& state);
bool Write_Remote_State(const QString& cache_dir, const RemoteCalendar& calendar,
                        const RemoteCacheState& state);
// Records a failed refresh at when: the error in words; the data and validators stay.
bool Record_Remote_Error(const QString& cache_dir, const RemoteCalendar& calendar,
                         const QString& error, const QDateTime& when);

// The index of the calendar's occurrences, when there is one that belongs to the data kept
// (digest is the state's data_digest).
std::optional<RemoteIndex> Read_Remote_Index_File(const QString& cache_dir,
                                                  const RemoteCalendar& calendar,
                                                  const QString& digest);

// After an unchanged refresh on today: builds the index anew from the data kept when its window
// no longer reaches a year either side of today's month.
void Renew_Remote_Index(const QString& cache_dir, const RemoteCalendar& calendar,
                        const QDate& today);

// Deletes the calendar's cached files.
void Remove_Remote_Cache(const QString& cache_dir, const RemoteCalendar& calendar);
