#pragma once

#include "remote/RemoteAccounts.h"
#include "remote/net/RemoteRefresh.h"

#include <QDateTime>
#include <QString>

#include <functional>

class QNetworkAccessManager;

struct NoteSyncOutcome {
    bool ok = false;
    // Notes created, changed or deleted on the server, and in calendar.dat.
    int sent = 0;
    int received = 0;
    // Notes that kept both texts.
    int conflicts = 0;
    // The requests sent to the server.
    int requests = 0;
    // What went wrong, in words; also kept in the state file.
    QString error;
};

// One two-way sync of the notes of the calendar.dat at dat_path with the CalDAV calendar: the
// changes since the last sync are listed, the changed events fetched, both sides merged, the
// server's changes written into calendar.dat (under its lock, over the file as it is then) and
// the local ones sent with conditional writes. The state beside calendar.dat is written before
// any upload and after calendar.dat, so that a sync killed at any moment repeats without a
// duplicate or a lost note. A failure keeps every change waiting for the next run. Nothing
// changed costs one request. Calls done once.
void Sync_Notes(QNetworkAccessManager& network, const RemoteCalendar& calendar,
                const QString& password, const QString& dat_path, const QDateTime& now,
                const RefreshOptions& options, std::function<void(const NoteSyncOutcome&)> done);
