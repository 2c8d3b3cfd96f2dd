#include "remote/DavAnswer.h"

namespace {

const QString Etag_Property = Dav_Name(Dav_Ns, QStringLiteral("getetag"));
const QString Data_Property = Dav_Name(CalDav_Ns, QStringLiteral("calendar-data"));
const QString Collection_Type = Dav_Name(Dav_Ns, QStringLiteral("collection"));

QString Plain_Path(const QUrl& url) {
    QString path = url.path(QUrl::FullyDecoded);
    while (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

QByteArray Etag_Of(const DavResponse& response) {
    return response.properties.value(Etag_Property).trimmed().toUtf8();
}

} // namespace

bool Is_Dav_Collection(const QUrl& base, const QString& href) {
    return Plain_Path(base.resolved(QUrl(href))) == Plain_Path(base);
}

QList<DavMember> Dav_Members_Of(const DavMultistatus& status, const QUrl& base, bool* truncated) {
    QList<DavMember> members;
    *truncated = false;
    for (const DavResponse& response : status.responses) {
        if (Is_Dav_Collection(base, response.href)) {
            *truncated = *truncated || response.status == 507;
            continue;
        }
        if (response.href.isEmpty() || response.resource_types.contains(Collection_Type))
            continue;
        members.append(
            {response.href, Etag_Of(response), response.status == 404 || response.status == 410});
    }
    return members;
}

QList<DavResource> Dav_Resources_Of(const DavMultistatus& status, const QUrl& base) {
    QList<DavResource> resources;
    for (const DavResponse& response : status.responses) {
        if (response.href.isEmpty() || Is_Dav_Collection(base, response.href))
            continue;
        DavResource resource;
        resource.href = response.href;
        resource.etag = Etag_Of(response);
        resource.ics = response.properties.value(Data_Property).toUtf8();
        // Without calendar-data (a 404 propstat, or none) the event is gone.
        resource.status = response.status;
        if (resource.status == 0 || (resource.status >= 200 && resource.status < 300))
            resource.status = resource.ics.trimmed().isEmpty() ? 404 : 200;
        resources.append(resource);
    }
    return resources;
}
