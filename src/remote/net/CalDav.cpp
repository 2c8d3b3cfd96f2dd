#include "remote/net/CalDav.h"

#include "remote/Multistatus.h"
#include "remote/RemoteCache.h"
#include "remote/net/IcsRefresh.h"

#include <memory>
#include <utility>

namespace {

const QByteArray Principal_Query =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    "<d:propfind xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\">"
    "<d:prop><d:current-user-principal/><c:calendar-home-set/><d:resourcetype/></d:prop>"
    "</d:propfind>";

const QByteArray Listing_Query =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    "<d:propfind xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\" "
    "xmlns:a=\"http://apple.com/ns/ical/\">"
    "<d:prop><d:resourcetype/><d:displayname/><a:calendar-color/>"
    "<c:supported-calendar-component-set/></d:prop></d:propfind>";

const QByteArray Tag_Query =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    "<d:propfind xmlns:d=\"DAV:\" xmlns:cs=\"http://calendarserver.org/ns/\">"
    "<d:prop><d:resourcetype/><cs:getctag/><d:sync-token/></d:prop></d:propfind>";

QByteArray Events_Query(const QDate& today) {
    const auto stamp = [](const QDate& day) {
        return day.toString(QStringLiteral("yyyyMMdd")).toLatin1() + "T000000Z";
    };
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
           "<c:calendar-query xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\">"
           "<d:prop><d:getetag/><c:calendar-data/></d:prop>"
           "<c:filter><c:comp-filter name=\"VCALENDAR\"><c:comp-filter name=\"VEVENT\">"
           "<c:time-range start=\"" +
           stamp(today.addYears(-1)) + "\" end=\"" + stamp(today.addYears(1)) +
           "\"/></c:comp-filter></c:comp-filter></c:filter></c:calendar-query>";
}

const QByteArray Empty_Calendar = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n"
                                  "PRODID:-//Almanor//Remote calendar//EN\r\nEND:VCALENDAR\r\n";

// The multistatus of an answer, or why there is none.
DavMultistatus Multistatus_Of(const HttpAnswer& answer) {
    if (!answer.error.isEmpty()) {
        DavMultistatus failed;
        failed.error = answer.error;
        return failed;
    }
    if (answer.status != 207) {
        DavMultistatus failed;
        failed.error = Http_Status_Text(answer.status);
        return failed;
    }
    return Read_Multistatus(answer.body);
}

// The first href of the property in any response.
QString First_Href(const DavMultistatus& status, const QString& property) {
    for (const DavResponse& response : status.responses) {
        const QStringList hrefs = response.hrefs.value(property);
        if (!hrefs.isEmpty() && !hrefs.first().isEmpty())
            return hrefs.first();
    }
    return {};
}

const QString Principal = Dav_Name(Dav_Ns, QStringLiteral("current-user-principal"));
const QString Home = Dav_Name(CalDav_Ns, QStringLiteral("calendar-home-set"));

struct Discovery {
    QNetworkAccessManager* network;
    QUrl start;
    QString user;
    QString password;
    RefreshOptions options;
    std::function<void(const DiscoveryOutcome&)> done;
    DiscoveryOutcome outcome;
    bool tried_address = false;
};
using DiscoveryPtr = std::shared_ptr<Discovery>;

void Finish(const DiscoveryPtr& d, const QString& error) {
    d->outcome.ok = error.isEmpty();
    d->outcome.error = error;
    d->done(d->outcome);
}

void Propfind(const DiscoveryPtr& d, const QUrl& url, const QByteArray& depth,
              const QByteArray& body,
              std::function<void(const DavMultistatus&, const QUrl&)> next) {
    ++d->outcome.requests;
    Send_Http(*d->network, Dav_Call("PROPFIND", url, depth, body, d->user, d->password, d->options),
              [next = std::move(next)](const HttpAnswer& answer) {
                  next(Multistatus_Of(answer), answer.url);
              });
}

void List_Home(const DiscoveryPtr& d, const QUrl& home) {
    Propfind(d, home, "1", Listing_Query, [d](const DavMultistatus& listing, const QUrl& at) {
        if (!listing.ok)
            return Finish(d, listing.error);
        for (const DavResponse& response : listing.responses) {
            if (!response.Is_Calendar())
                continue;
            if (!response.components.isEmpty() &&
                !response.components.contains(QStringLiteral("VEVENT")))
                continue;
            const QUrl url = at.resolved(QUrl(response.href));
            QString name = response.properties.value(Dav_Name(Dav_Ns, "displayname")).trimmed();
            if (name.isEmpty())
                name = url.path().section(QLatin1Char('/'), -2, -2);
            d->outcome.calendars.append(
                {url.toString(), name,
                 response.properties.value(Dav_Name(AppleICal_Ns, "calendar-color")).trimmed()});
        }
        Finish(d, d->outcome.calendars.isEmpty()
                      ? QStringLiteral("The server has no calendars for this user.")
                      : QString());
    });
}

// A server whose principals point at each other would otherwise be asked for ever.
constexpr int Max_Discovery_Requests = 8;

// Asks an address for the principal and the home; goes on to whichever it gave.
void Ask(const DiscoveryPtr& d, const QUrl& url) {
    if (d->outcome.requests >= Max_Discovery_Requests)
        return Finish(d, QStringLiteral("The server leads from one address to the next without "
                                        "naming the calendars."));
    Propfind(d, url, "0", Principal_Query, [d, url](const DavMultistatus& status, const QUrl& at) {
        const bool from_well_known = url.path() == QLatin1String("/.well-known/caldav");
        if (!status.ok) {
            // A server without the well-known address may still answer at the one given.
            if (from_well_known && !d->tried_address) {
                d->tried_address = true;
                return Ask(d, d->start);
            }
            return Finish(d, status.error);
        }
        if (const QString home = First_Href(status, Home); !home.isEmpty())
            return List_Home(d, at.resolved(QUrl(home)));
        const QString principal = First_Href(status, Principal);
        const QUrl principal_url = at.resolved(QUrl(principal));
        if (!principal.isEmpty() && principal_url != at)
            return Ask(d, principal_url);
        // No principal or home: the address may be a calendar home or a calendar itself.
        List_Home(d, at);
    });
}

} // namespace

void Discover_Calendars(QNetworkAccessManager& network, const QString& url, const QString& user,
                        const QString& password, const RefreshOptions& options,
                        std::function<void(const DiscoveryOutcome&)> done) {
    auto d = std::make_shared<Discovery>(
        Discovery{&network, QUrl(Fetch_Url(url)), user, password, options, std::move(done), {}});
    if (!d->start.isValid() ||
        (d->start.scheme() != QLatin1String("http") && d->start.scheme() != QLatin1String("https")))
        return Finish(d, QStringLiteral("The address is not an http or https address."));
    const QString path = d->start.path();
    if (path.isEmpty() || path == QLatin1String("/")) {
        QUrl well_known = d->start;
        well_known.setPath(QStringLiteral("/.well-known/caldav"));
        return Ask(d, well_known);
    }
    d->tried_address = true;
    Ask(d, d->start);
}

void Refresh_CalDav(QNetworkAccessManager& network, const RemoteCalendar& calendar,
                    const QString& password, const QString& cache_dir, const QDateTime& now,
                    const RefreshOptions& options,
                    std::function<void(const RefreshOutcome&)> done) {
    const QUrl url(Fetch_Url(calendar.url));
    const RemoteCacheState state = Read_Remote_State(cache_dir, calendar);
    const bool have_data = !Read_Remote_Data(cache_dir, calendar).isEmpty();
    QNetworkAccessManager* manager = &network;
    Send_Http(
        network, Dav_Call("PROPFIND", url, "0", Tag_Query, calendar.user, password, options),
        [=](const HttpAnswer& answer) {
            RefreshOutcome outcome;
            outcome.requests = 1;
            if (!answer.error.isEmpty())
                return Fail_Refresh(cache_dir, calendar, now, outcome, answer.error, done);
            const DavMultistatus tags = Multistatus_Of(answer);
            if (answer.status == 401 || answer.status == 403 || answer.status == 404 ||
                answer.status >= 500)
                return Fail_Refresh(cache_dir, calendar, now, outcome, tags.error, done);
            const bool is_calendar =
                tags.ok && !tags.responses.isEmpty() && tags.responses.first().Is_Calendar();
            if (!is_calendar) {
                // Not a collection: a plain .ics file behind an address without the ending.
                return Refresh_Ics(*manager, calendar, password, cache_dir, now, options,
                                   [outcome, done](RefreshOutcome ics) {
                                       ics.requests += outcome.requests;
                                       done(ics);
                                   });
            }
            const DavResponse& collection = tags.responses.first();
            const QString ctag =
                collection.properties.value(Dav_Name(CalServer_Ns, "getctag")).trimmed();
            const QString token =
                collection.properties.value(Dav_Name(Dav_Ns, "sync-token")).trimmed();
            RemoteCacheState fresh;
            fresh.url = Fetch_Url(calendar.url);
            fresh.kind = QStringLiteral("caldav");
            fresh.ctag = ctag;
            fresh.sync_token = token;
            fresh.last_success = now;
            fresh.last_attempt = now;
            const bool tagged = !ctag.isEmpty() || !token.isEmpty();
            if (have_data && tagged && state.ctag == ctag && state.sync_token == token) {
                outcome.ok = Write_Remote_State(cache_dir, calendar, fresh);
                if (!outcome.ok)
                    outcome.error = QStringLiteral("The cache folder can't be written.");
                return done(outcome);
            }
            ++outcome.requests;
            const QDate today = now.toLocalTime().date();
            Send_Http(
                *manager,
                Dav_Call("REPORT", answer.url, "1", Events_Query(today), calendar.user, password,
                         options),
                [=](const HttpAnswer& report) mutable {
                    const DavMultistatus events = Multistatus_Of(report);
                    if (!events.ok)
                        return Fail_Refresh(cache_dir, calendar, now, outcome, events.error, done);
                    QByteArray data;
                    for (const DavResponse& response : events.responses) {
                        const QString text =
                            response.properties.value(Dav_Name(CalDav_Ns, "calendar-data"))
                                .trimmed();
                        if (!text.isEmpty())
                            data += text.toUtf8() + "\r\n";
                    }
                    if (data.isEmpty())
                        data = Empty_Calendar;
                    if (const QString wrong = Check_Calendar_Data(data, {}); !wrong.isEmpty())
                        return Fail_Refresh(cache_dir, calendar, now, outcome, wrong, done);
                    if (!Store_Remote_Data(cache_dir, calendar, data, fresh))
                        return Fail_Refresh(cache_dir, calendar, now, outcome,
                                            QStringLiteral("The cache folder can't be written."),
                                            done);
                    outcome.ok = true;
                    outcome.changed = true;
                    done(outcome);
                });
        });
}
