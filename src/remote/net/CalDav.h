#pragma once

#include "remote/net/RemoteRefresh.h"

#include <QList>
#include <QString>

// A calendar a CalDAV server offers the user.
struct FoundCalendar {
    QString url;
    QString name;
    // The server's colour for it ("#RRGGBB"), empty when it has none.
    QString colour;
};

struct DiscoveryOutcome {
    bool ok = false;
    QList<FoundCalendar> calendars;
    int requests = 0;
    QString error;
};

// Finds the user's calendars from any address of the server: its root (through
// /.well-known/caldav), the user's principal, the calendar home or a calendar itself; the
// principal leads to the calendar home, whose members of calendar type are listed.
void Discover_Calendars(QNetworkAccessManager& network, const QString& url, const QString& user,
                        const QString& password, const RefreshOptions& options,
                        std::function<void(const DiscoveryOutcome&)> done);

// The refresh of a CalDAV calendar: the collection's tag first, and only when it changed the
// events of a year before today to a year after. An address that is no calendar collection is
// fetched as an .ics file.
void Refresh_CalDav(QNetworkAccessManager& network, const RemoteCalendar& calendar,
                    const QString& password, const QString& cache_dir, const QDateTime& now,
                    const RefreshOptions& options, std::function<void(const RefreshOutcome&)> done);
