#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// WebDAV's multistatus answer (RFC 4918), as CalDAV servers send it to PROPFIND and REPORT.
// Server data is untrusted: the reader refuses document type declarations and entity
// references outright, and any nesting deeper than Max_Dav_Depth.

inline const QString Dav_Ns = QStringLiteral("DAV:");
inline const QString CalDav_Ns = QStringLiteral("urn:ietf:params:xml:ns:caldav");
inline const QString CalServer_Ns = QStringLiteral("http://calendarserver.org/ns/");
inline const QString AppleICal_Ns = QStringLiteral("http://apple.com/ns/ical/");

inline constexpr int Max_Dav_Depth = 32;
inline constexpr int Max_Dav_Responses = 100000;

// A property's name as namespace + local name, e.g. "DAV:displayname".
inline QString Dav_Name(const QString& ns, const QString& local) {
    return ns + local;
}

struct DavResponse {
    // As the server wrote it (a path, usually).
    QString href;
    // The response's own status, or 0 when it gave its properties with propstat.
    int status = 0;
    // The text of each property found (status 2xx only), by Dav_Name.
    QHash<QString, QString> properties;
    // The hrefs inside each property (current-user-principal, calendar-home-set).
    QHash<QString, QStringList> hrefs;
    // The element names inside resourcetype, by Dav_Name ("DAV:collection").
    QStringList resource_types;
    // The names of supported-calendar-component-set ("VEVENT").
    QStringList components;

    bool Has(const QString& name) const { return properties.contains(name); }
    bool Is_Calendar() const {
        return resource_types.contains(Dav_Name(CalDav_Ns, QStringLiteral("calendar")));
    }
};

struct DavMultistatus {
    bool ok = false;
    QString error;
    QList<DavResponse> responses;
    // The sync-token of a sync-collection report.
    QString sync_token;
};

DavMultistatus Read_Multistatus(const QByteArray& xml);
