#pragma once

#include "remote/Multistatus.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QUrl>

// What the note sync takes from a server's multistatus answers. Kept apart from the requests so
// that the fuzz targets reach it without network code.

// A member of a collection as a listing reports it. href as the server wrote it.
struct DavMember {
    QString href;
    QByteArray etag;
    bool deleted = false;
};

struct DavResource {
    QString href;
    QByteArray etag;
    QByteArray ics;
    // 200 with the event; 404 for a member gone since it was listed.
    int status = 0;
};

// Whether href names the collection at base itself rather than one of its members (paths compare
// without their last slash and percent-encoding, as servers differ in both).
bool Is_Dav_Collection(const QUrl& base, const QString& href);

// The members in a sync-collection or PROPFIND answer for the collection at base: neither the
// collection itself nor collections inside it. truncated: the server sent only part of the
// changes (507 for the collection) and its token leads to the rest.
QList<DavMember> Dav_Members_Of(const DavMultistatus& status, const QUrl& base, bool* truncated);

// The events of a calendar-multiget answer.
QList<DavResource> Dav_Resources_Of(const DavMultistatus& status, const QUrl& base);
