#include "remote/net/IcsRefresh.h"

#include "exchange/ICalDocument.h"

#include <QNetworkAccessManager>

QString Check_Calendar_Data(const QByteArray& data, const QByteArray& content_type) {
    const QByteArray start = data.left(512).trimmed().toLower();
    if (content_type.toLower().startsWith("text/html") || start.startsWith("<!doctype html") ||
        start.startsWith("<html"))
        return QStringLiteral("The address gives a web page, not a calendar.");
    const ICalParseResult parsed = Parse_ICal_Calendars(data);
    if (!parsed.ok)
        return QStringLiteral("The address gives no readable calendar: %1").arg(parsed.error);
    return {};
}

void Fail_Refresh(const QString& cache_dir, const RemoteCalendar& calendar, const QDateTime& now,
                  RefreshOutcome outcome, const QString& error,
                  const std::function<void(const RefreshOutcome&)>& done) {
    outcome.ok = false;
    outcome.changed = false;
    outcome.error = error;
    if (!Record_Remote_Error(cache_dir, calendar, error, now))
        outcome.error += QStringLiteral(" (The cache folder can't be written.)");
    done(outcome);
}

void Refresh_Ics(QNetworkAccessManager& network, const RemoteCalendar& calendar,
                 const QString& password, const QString& cache_dir, const QDateTime& now,
                 const RefreshOptions& options, std::function<void(const RefreshOutcome&)> done) {
    RemoteCacheState state = Read_Remote_State(cache_dir, calendar);
    HttpCall call =
        Remote_Call("GET", QUrl(Fetch_Url(calendar.url)), calendar.user, password, options);
    // Validators only make sense while the data they describe is still there.
    const bool have_data = !Read_Remote_Data(cache_dir, calendar).isEmpty();
    if (have_data && !state.etag.isEmpty())
        call.headers.append(
            std::pair<QByteArray, QByteArray>("If-None-Match", state.etag.toUtf8()));
    if (have_data && !state.last_modified.isEmpty())
        call.headers.append(
            std::pair<QByteArray, QByteArray>("If-Modified-Since", state.last_modified.toUtf8()));
    call.headers.append(std::pair<QByteArray, QByteArray>("Accept", "text/calendar, */*;q=0.5"));

    Send_Http(network, call, [=](const HttpAnswer& answer) mutable {
        RefreshOutcome outcome;
        outcome.requests = 1;
        if (!answer.error.isEmpty())
            return Fail_Refresh(cache_dir, calendar, now, outcome, answer.error, done);
        if (answer.status == 304 && have_data) {
            state.url = Fetch_Url(calendar.url);
            state.kind = QStringLiteral("ics");
            state.last_success = now;
            state.last_attempt = now;
            state.error.clear();
            outcome.ok = Write_Remote_State(cache_dir, calendar, state);
            Renew_Remote_Index(cache_dir, calendar, now.toLocalTime().date());
            if (!outcome.ok)
                outcome.error = QStringLiteral("The cache folder can't be written.");
            return done(outcome);
        }
        if (answer.status != 200)
            return Fail_Refresh(cache_dir, calendar, now, outcome, Http_Status_Text(answer.status),
                                done);
        const QString wrong = Check_Calendar_Data(answer.body, answer.content_type);
        if (!wrong.isEmpty())
            return Fail_Refresh(cache_dir, calendar, now, outcome, wrong, done);
        RemoteCacheState fresh;
        fresh.url = Fetch_Url(calendar.url);
        fresh.kind = QStringLiteral("ics");
        fresh.etag = QString::fromUtf8(answer.etag);
        fresh.last_modified = QString::fromUtf8(answer.last_modified);
        fresh.last_success = now;
        fresh.last_attempt = now;
        if (!Store_Remote_Data(cache_dir, calendar, answer.body, fresh))
            return Fail_Refresh(cache_dir, calendar, now, outcome,
                                QStringLiteral("The cache folder can't be written."), done);
        outcome.ok = true;
        outcome.changed = true;
        done(outcome);
    });
}
