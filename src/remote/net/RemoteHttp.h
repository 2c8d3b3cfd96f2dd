#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QUrl>

#include <functional>
#include <utility>

class QNetworkAccessManager;

// One HTTP request of a refresh, with the rules every remote request keeps: asynchronous,
// redirects followed at most Max_Redirects times and never from https to http nor, with a
// password, to another server; compressed answers accepted; TLS certificates verified with the
// system's store (a certificate error fails the request and is told in words); a body over
// max_bytes and a server that stays silent for timeout_ms end the request.
struct HttpCall {
    QByteArray verb = "GET";
    QUrl url;
    QList<std::pair<QByteArray, QByteArray>> headers;
    QByteArray body;
    QString user;
    QString password;
    qint64 max_bytes = 50LL * 1024 * 1024;
    int timeout_ms = 30000;
};

inline constexpr int Max_Redirects = 5;

struct HttpAnswer {
    // The HTTP status, or 0 when no answer came (error then says why).
    int status = 0;
    QByteArray body;
    QByteArray etag;
    QByteArray last_modified;
    QByteArray content_type;
    // The address that answered, after redirects.
    QUrl url;
    // Why the request failed, in words, when it did at the transport (no status) or was cut
    // short; empty otherwise.
    QString error;
};

// Sends call through network and calls done once with the answer. Never blocks.
void Send_Http(QNetworkAccessManager& network, const HttpCall& call,
               std::function<void(const HttpAnswer&)> done);

// A failed status in words for the user, e.g. "The server refused the user name or password
// (401)."
QString Http_Status_Text(int status);
