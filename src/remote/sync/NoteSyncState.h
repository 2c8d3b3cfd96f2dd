#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// What the note sync knows of each note between runs: which server resource holds it, and the day
// and text both sides last agreed on. Kept in "calendar.sync" beside calendar.dat, never inside
// it, so that calendar.dat keeps its format.

// One note as last synced.
struct NoteSyncEntry {
    // Chosen and stored before the first upload, so that a run that is killed and repeated
    // creates the same resource again instead of a second one.
    QString uid;
    // The resource's path on the server, as the server writes hrefs.
    QString href;
    // The last known ETag; empty when unknown (the next run fetches the resource to compare).
    QByteArray etag;
    // The normalised key as last synced: "5/3/2004", every year "5/3/9999".
    QString key;
    // The stored (escaped, as in calendar.dat) text as last synced.
    QString text;
    // False while a create waits: the PUT with "If-None-Match: *" isn't confirmed yet.
    bool uploaded = false;
    // A local change waits to go out (offline, or the joined text of a conflict).
    bool dirty = false;
    // The local record is gone and the DELETE waits for the server's answer.
    bool deleted = false;
    // A note new on the server, recorded just before it is written into calendar.dat: a run
    // killed in between leaves it missing there, which must not read as deleted here, and a
    // run killed after must pair it with its record rather than add it a second time.
    bool arriving = false;
    // The server's event when it holds more than a note can (a time, another repeat, alarms):
    // a change of the note patches it rather than replacing it.
    QByteArray foreign_ics;

    bool operator==(const NoteSyncEntry&) const = default;
};

struct NoteSyncState {
    // The entries belong to this collection; another address starts afresh.
    QString calendar_url;
    QString sync_token;
    // The last successful sync, UTC; invalid before the first.
    QDateTime last_sync;
    // Why the last sync failed, in words; empty after a success.
    QString last_error;
    // The texts the last syncs joined, newest first, at most Max_Kept_Conflicts.
    QStringList conflicts;
    QList<NoteSyncEntry> entries;

    static constexpr int Max_Kept_Conflicts = 20;

    // The changes that wait for the server: creates, changes and deletes not yet confirmed.
    int Waiting() const;
    // Puts texts before the kept conflicts, keeping the newest Max_Kept_Conflicts.
    void Add_Conflicts(const QStringList& texts);

    bool operator==(const NoteSyncState&) const = default;
};

// "calendar.sync" in the folder of the calendar.dat at dat_path.
QString Note_Sync_State_Path(const QString& dat_path);

// A missing file gives an empty state and true. A file that can't be read or isn't a state gives
// an empty state, false and the reason in words: the sync then runs as a first sync, which pairs
// the notes by day and text, so nothing goes up twice.
bool Read_Note_Sync_State(const QString& path, NoteSyncState* state, QString* error);
// Writes the state atomically: a failed or interrupted write leaves the old file.
bool Write_Note_Sync_State(const QString& path, const NoteSyncState& state);
