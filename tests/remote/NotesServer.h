#pragma once

#include "RefreshSupport.h"
#include "TestServers.h"

#include <QUrl>

// Starts Radicale or Xandikos with its storage in folder and makes an empty calendar "notes/"
// for user there. Its address, or an empty one when the server or the calendar failed (the
// server's Output() then says why).
inline QUrl Start_Notes_Calendar(TestServer& server, bool radicale, const QString& folder,
                                 const QString& user, const QString& password) {
    if (!(radicale ? server.Start_Radicale(folder, user, password)
                   : server.Start_Xandikos(folder, user)))
        return {};
    const QUrl collection(server.Base() + "/" + user + (radicale ? "/" : "/calendars/") + "notes/");
    const QByteArray body = "<?xml version='1.0' encoding='utf-8'?><C:mkcalendar xmlns:D='DAV:' "
                            "xmlns:C='urn:ietf:params:xml:ns:caldav'><D:set><D:prop>"
                            "<D:displayname>Notes</D:displayname></D:prop></D:set>"
                            "</C:mkcalendar>";
    const HttpAnswer made =
        Send_And_Wait("MKCALENDAR", collection.toString(), body, user, password, "application/xml");
    return made.status == 201 ? collection : QUrl();
}
