#pragma once

#include "remote/RemoteAccounts.h"
#include "remote/net/RemoteHttp.h"

#include <QDateTime>
#include <QString>

#include <functional>

class QNetworkAccessManager;

// How a refresh talks to servers; tests shorten the wait.
struct RefreshOptions {
    int timeout_ms = 30000;
    qint64 max_bytes = 50LL * 1024 * 1024;
};

struct RefreshOutcome {
    bool ok = false;
    // New data was stored (false for an unchanged calendar and for a failure).
    bool changed = false;
    // The requests sent to servers.
    int requests = 0;
    // What went wrong, in words; also recorded in the cache's state.
    QString error;
};

// Brings the calendar's cache up to date and calls done once. Unchanged data costs one request
// (a 304 for a file, an unchanged collection tag for CalDAV). Any failure keeps the cached data
// and records the error with the time in the cache's state.
void Refresh_Remote_Calendar(QNetworkAccessManager& network, const RemoteCalendar& calendar,
                             const QString& password, const QString& cache_dir,
                             const QDateTime& now, const RefreshOptions& options,
                             std::function<void(const RefreshOutcome&)> done);

// A request to a server with the user's credentials and the options' limits.
HttpCall Remote_Call(const QByteArray& verb, const QUrl& url, const QString& user,
                     const QString& password, const RefreshOptions& options);
// A WebDAV request with an XML body (PROPFIND, REPORT) at the given Depth.
HttpCall Dav_Call(const QByteArray& verb, const QUrl& url, const QByteArray& depth,
                  const QByteArray& body, const QString& user, const QString& password,
                  const RefreshOptions& options);
