#include "remote/net/RemoteRefresh.h"

#include "remote/RemoteCache.h"
#include "remote/net/CalDav.h"
#include "remote/net/IcsRefresh.h"

#include <QUrl>

void Refresh_Remote_Calendar(QNetworkAccessManager& network, const RemoteCalendar& calendar,
                             const QString& password, const QString& cache_dir,
                             const QDateTime& now, const RefreshOptions& options,
                             std::function<void(const RefreshOutcome&)> done) {
    const QUrl url(Fetch_Url(calendar.url));
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https") &&
                           scheme != QLatin1String("file")))
        return Fail_Refresh(cache_dir, calendar, now, {},
                            QStringLiteral("The address is not an http, https, webcal or file "
                                           "address."),
                            done);
    if (Is_Ics_Address(calendar.url) ||
        Read_Remote_State(cache_dir, calendar).kind == QLatin1String("ics"))
        return Refresh_Ics(network, calendar, password, cache_dir, now, options, std::move(done));
    Refresh_CalDav(network, calendar, password, cache_dir, now, options, std::move(done));
}

HttpCall Remote_Call(const QByteArray& verb, const QUrl& url, const QString& user,
                     const QString& password, const RefreshOptions& options) {
    HttpCall call;
    call.verb = verb;
    call.url = url;
    call.user = user;
    call.password = password;
    call.timeout_ms = options.timeout_ms;
    call.max_bytes = options.max_bytes;
    return call;
}

HttpCall Dav_Call(const QByteArray& verb, const QUrl& url, const QByteArray& depth,
                  const QByteArray& body, const QString& user, const QString& password,
                  const RefreshOptions& options) {
    HttpCall call = Remote_Call(verb, url, user, password, options);
    call.body = body;
    call.headers.emplaceBack("Depth", depth);
    call.headers.emplaceBack("Content-Type", "application/xml; charset=utf-8");
    return call;
}
