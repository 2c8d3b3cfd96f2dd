#pragma once

#include "remote/net/CalDav.h"
#include "remote/net/RemoteHttp.h"
#include "remote/net/RemoteRefresh.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QTimer>

// Runs one refresh to its end, as the fetch program does, and gives its outcome.
inline RefreshOutcome Refresh_And_Wait(const RemoteCalendar& calendar, const QString& cache_dir,
                                       const RefreshOptions& options = {},
                                       const QString& password = {}) {
    QNetworkAccessManager network;
    QEventLoop loop;
    RefreshOutcome outcome;
    bool finished = false;
    outcome.error = QStringLiteral("(the refresh never ended)");
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    Refresh_Remote_Calendar(network, calendar, password, cache_dir, QDateTime::currentDateTimeUtc(),
                            options, [&](const RefreshOutcome& o) {
                                outcome = o;
                                finished = true;
                                loop.quit();
                            });
    if (!finished)
        loop.exec();
    return outcome;
}

// Runs fn(network, callback) and waits for the callback's value.
template <typename Outcome, typename Fn> Outcome Wait_For(Fn fn) {
    QNetworkAccessManager network;
    QEventLoop loop;
    Outcome outcome{};
    bool finished = false;
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    fn(network, [&](const Outcome& o) {
        outcome = o;
        finished = true;
        loop.quit();
    });
    if (!finished)
        loop.exec();
    return outcome;
}

// One request as a test's own client sends it (to set up a server).
inline HttpAnswer Send_And_Wait(const QByteArray& verb, const QString& url,
                                const QByteArray& body = {}, const QString& user = {},
                                const QString& password = {},
                                const QByteArray& content_type = "text/calendar") {
    HttpCall call;
    call.verb = verb;
    call.url = QUrl(url);
    call.body = body;
    call.user = user;
    call.password = password;
    call.headers.append(std::pair<QByteArray, QByteArray>("Content-Type", content_type));
    return Wait_For<HttpAnswer>(
        [&](QNetworkAccessManager& network, auto done) { Send_Http(network, call, done); });
}

inline DiscoveryOutcome Discover_And_Wait(const QString& url, const QString& user,
                                          const QString& password) {
    return Wait_For<DiscoveryOutcome>([&](QNetworkAccessManager& network, auto done) {
        Discover_Calendars(network, url, user, password, {}, done);
    });
}
