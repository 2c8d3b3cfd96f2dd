#include "remote/net/RemoteHttp.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslError>

#include <memory>

namespace {

// What one request has seen so far; lives as long as its reply.
struct Transfer {
    QNetworkAccessManager* network = nullptr;
    HttpCall call;
    std::function<void(const HttpAnswer&)> done;
    QByteArray body;
    int redirects = 0;
    // Set when the request was ended on purpose: the words to give instead of Qt's.
    QString cut_short;
    QStringList ssl_errors;
    bool finished = false;
};

QString Megabytes(qint64 bytes) {
    return QString::number(bytes / (1024 * 1024));
}

bool Same_Origin(const QUrl& a, const QUrl& b) {
    return a.scheme() == b.scheme() && a.host() == b.host() &&
           a.port(a.scheme() == QLatin1String("https") ? 443 : 80) ==
               b.port(b.scheme() == QLatin1String("https") ? 443 : 80);
}

// Reads what came and cuts the transfer when the body grows past its limit.
void Take_Data(QNetworkReply* reply, Transfer* transfer) {
    const QByteArray more = reply->readAll();
    if (transfer->body.size() + more.size() > transfer->call.max_bytes) {
        transfer->cut_short = QStringLiteral("The answer is larger than %1 MB.")
                                  .arg(Megabytes(transfer->call.max_bytes));
        reply->abort();
        return;
    }
    transfer->body += more;
}

QString Transport_Error(QNetworkReply* reply, const Transfer& transfer) {
    if (!transfer.cut_short.isEmpty())
        return transfer.cut_short;
    if (!transfer.ssl_errors.isEmpty())
        return QStringLiteral("The server's certificate is not trusted: %1")
            .arg(transfer.ssl_errors.join(QStringLiteral("; ")));
    switch (reply->error()) {
    case QNetworkReply::ConnectionRefusedError:
        return QStringLiteral("The server refused the connection: it is not running.");
    case QNetworkReply::HostNotFoundError:
        return QStringLiteral("The server %1 was not found.").arg(transfer.call.url.host());
    case QNetworkReply::OperationCanceledError:
    case QNetworkReply::TimeoutError:
        return QStringLiteral("The server gave no answer within %1 seconds.")
            .arg(transfer.call.timeout_ms / 1000);
    default:
        return reply->errorString();
    }
}

void Start(const std::shared_ptr<Transfer>& transfer);

bool Is_Redirect(int status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

void Fail(const std::shared_ptr<Transfer>& transfer, const QString& error) {
    HttpAnswer answer;
    answer.url = transfer->call.url;
    answer.error = error;
    transfer->done(answer);
}

// Redirects are followed here rather than by Qt, so that a password never travels to a server
// it was not given for, and a loop ends after Max_Redirects steps.
void Follow(const QUrl& to, int status, const std::shared_ptr<Transfer>& transfer) {
    const QUrl from = transfer->call.url;
    if (++transfer->redirects > Max_Redirects)
        return Fail(transfer,
                    QStringLiteral("The address redirects more than %1 times.").arg(Max_Redirects));
    if (from.scheme() == QLatin1String("https") && to.scheme() != QLatin1String("https"))
        return Fail(transfer, QStringLiteral("The address redirects from https to plain http."));
    if (to.scheme() != QLatin1String("https") && to.scheme() != QLatin1String("http"))
        return Fail(transfer, QStringLiteral("The address redirects to %1, which is not a web "
                                             "address.")
                                  .arg(to.toDisplayString()));
    if (!transfer->call.user.isEmpty() && !Same_Origin(from, to))
        return Fail(transfer, QStringLiteral("The address redirects to another server (%1); the "
                                             "password is not sent there.")
                                  .arg(to.host()));
    transfer->call.url = to;
    transfer->body.clear();
    if (status == 303) {
        transfer->call.verb = "GET";
        transfer->call.body.clear();
    }
    transfer->finished = false;
    Start(transfer);
}

void Finish(QNetworkReply* reply, const std::shared_ptr<Transfer>& transfer) {
    if (transfer->finished)
        return;
    transfer->finished = true;
    if (transfer->cut_short.isEmpty() && reply->isOpen())
        Take_Data(reply, transfer.get());
    HttpAnswer answer;
    answer.url = reply->url();
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    // Connection, TLS, redirect and proxy failures come below 200; above are the server's own
    // answers, which carry a status.
    const bool cut = !transfer->cut_short.isEmpty() ||
                     (reply->error() != QNetworkReply::NoError && reply->error() < 200);
    const int code = status.toInt();
    if (!cut && Is_Redirect(code) && reply->hasRawHeader("Location")) {
        reply->deleteLater();
        return Follow(reply->url().resolved(QUrl::fromEncoded(reply->rawHeader("Location"))), code,
                      transfer);
    }
    if (status.isValid() && !cut) {
        answer.status = code;
        answer.body = std::move(transfer->body);
        answer.etag = reply->rawHeader("ETag");
        answer.last_modified = reply->rawHeader("Last-Modified");
        answer.content_type = reply->rawHeader("Content-Type");
    } else if (!cut && reply->error() == QNetworkReply::NoError) {
        // A file:// address answers without a status.
        answer.status = 200;
        answer.body = std::move(transfer->body);
    } else {
        answer.error = Transport_Error(reply, *transfer);
    }
    reply->deleteLater();
    transfer->done(answer);
}

void Start(const std::shared_ptr<Transfer>& transfer) {
    const HttpCall& call = transfer->call;
    QNetworkRequest request(call.url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    request.setTransferTimeout(call.timeout_ms);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    for (const auto& [name, value] : call.headers)
        request.setRawHeader(name, value);
    // Sent with the first request, so an unchanged calendar costs one request and not a 401
    // and a second one.
    if (!call.user.isEmpty())
        request.setRawHeader(
            "Authorization",
            "Basic " + (call.user + QLatin1Char(':') + call.password).toUtf8().toBase64());

    QNetworkReply* reply =
        call.body.isEmpty() && call.verb == "GET"
            ? transfer->network->get(request)
            : transfer->network->sendCustomRequest(request, call.verb, call.body);
    QObject::connect(reply, &QNetworkReply::readyRead, reply,
                     [reply, transfer] { Take_Data(reply, transfer.get()); });
    QObject::connect(reply, &QNetworkReply::sslErrors, reply,
                     [transfer](const QList<QSslError>& errors) {
                         for (const QSslError& error : errors)
                             transfer->ssl_errors << error.errorString();
                     });
    QObject::connect(reply, &QNetworkReply::finished, reply,
                     [reply, transfer] { Finish(reply, transfer); });
}

} // namespace

void Send_Http(QNetworkAccessManager& network, const HttpCall& call,
               std::function<void(const HttpAnswer&)> done) {
    auto transfer = std::make_shared<Transfer>();
    transfer->network = &network;
    transfer->call = call;
    transfer->done = std::move(done);
    Start(transfer);
}

QString Http_Status_Text(int status) {
    switch (status) {
    case 401:
        return QStringLiteral("The server refused the user name or password (401).");
    case 403:
        return QStringLiteral("The server does not allow this user to read the calendar (403).");
    case 404:
        return QStringLiteral("The server has nothing at this address (404).");
    case 410:
        return QStringLiteral("The calendar was removed from the server (410).");
    default:
        break;
    }
    if (status >= 500)
        return QStringLiteral("The server failed with an error (%1). Try again later.").arg(status);
    return QStringLiteral("The server answered with status %1.").arg(status);
}
