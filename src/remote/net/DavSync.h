#pragma once

#include "remote/DavAnswer.h"
#include "remote/net/RemoteRefresh.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

// The WebDAV requests of the two-way note sync: what changed in a collection, the events
// themselves, and conditional writes that never overwrite what the sync hasn't seen.

struct DavListing {
    bool ok = false;
    // Every member of the collection, not only the changes since the token.
    bool full = false;
    QList<DavMember> members;
    // Empty when the server keeps no tokens (the listing is then always full).
    QString sync_token;
    int requests = 0;
    QString error;
};

// The changes since token (a sync-collection report with the members' etags). An empty token, or
// one the server no longer accepts, lists every member (full). A server without sync-collection
// is asked with PROPFIND Depth 1 instead (full, no token).
void List_Dav_Changes(QNetworkAccessManager& network, const QUrl& collection, const QString& user,
                      const QString& password, const QString& token, const RefreshOptions& options,
                      std::function<void(const DavListing&)> done);

struct DavFetch {
    bool ok = false;
    QList<DavResource> resources;
    int requests = 0;
    QString error;
};

// Max_Multiget_Hrefs members a request: servers limit the size of what they read and send.
inline constexpr int Max_Multiget_Hrefs = 500;

// The events at hrefs with their etags (calendar-multiget).
void Fetch_Dav_Resources(QNetworkAccessManager& network, const QUrl& collection,
                         const QString& user, const QString& password, const QStringList& hrefs,
                         const RefreshOptions& options, std::function<void(const DavFetch&)> done);

struct DavWrite {
    // The HTTP status; 0 when no answer came.
    int status = 0;
    // The new etag when the server gave one; empty means unknown.
    QByteArray etag;
    // Empty on success (2xx); otherwise why, in words.
    QString error;
};

// Stores ics at resource. An empty if_match creates only (If-None-Match: *); otherwise the write
// happens only over that etag (If-Match). Either way a 412 means the server holds something else.
void Put_Dav_Resource(QNetworkAccessManager& network, const QUrl& resource, const QString& user,
                      const QString& password, const QByteArray& ics, const QByteArray& if_match,
                      const RefreshOptions& options, std::function<void(const DavWrite&)> done);

// Deletes resource if it still has the etag if_match (412 when not; 404 when it is gone
// already). An empty if_match deletes whatever is there.
void Delete_Dav_Resource(QNetworkAccessManager& network, const QUrl& resource, const QString& user,
                         const QString& password, const QByteArray& if_match,
                         const RefreshOptions& options, std::function<void(const DavWrite&)> done);
