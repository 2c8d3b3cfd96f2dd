#include "remote/net/DavSync.h"

#include "remote/Multistatus.h"
#include "remote/net/RemoteHttp.h"
#include "remote/net/RemoteRefresh.h"

#include <QHash>

#include <memory>
#include <utility>

namespace {

// A server that keeps answering "there is more" (507) with new tokens is asked this often at
// most: an endless chain would otherwise hold the sync for ever.
constexpr int Max_Listing_Requests = 200;

QByteArray Xml_Text(const QString& text) {
    return text.toHtmlEscaped().toUtf8();
}

QByteArray Sync_Query(const QString& token) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
           "<d:sync-collection xmlns:d=\"DAV:\"><d:sync-token>" +
           Xml_Text(token) +
           "</d:sync-token><d:sync-level>1</d:sync-level>"
           "<d:prop><d:getetag/></d:prop></d:sync-collection>";
}

const QByteArray Etag_Query = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                              "<d:propfind xmlns:d=\"DAV:\">"
                              "<d:prop><d:resourcetype/><d:getetag/></d:prop></d:propfind>";

QByteArray Multiget_Query(const QStringList& hrefs) {
    QByteArray body = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                      "<c:calendar-multiget xmlns:d=\"DAV:\" "
                      "xmlns:c=\"urn:ietf:params:xml:ns:caldav\">"
                      "<d:prop><d:getetag/><c:calendar-data/></d:prop>";
    for (const QString& href : hrefs)
        body += "<d:href>" + Xml_Text(href) + "</d:href>";
    return body + "</c:calendar-multiget>";
}

// Paths compare without their last slash and percent-encoding, as servers differ in both.
QString Failure_Of(const HttpAnswer& answer) {
    return answer.error.isEmpty() ? Http_Status_Text(answer.status) : answer.error;
}

// Answers that no other way of asking can change: the server, the address or the user is wrong.
bool Is_Refused(const HttpAnswer& answer) {
    return !answer.error.isEmpty() || answer.status == 401 || answer.status == 404 ||
           answer.status == 410;
}

// Answers after which another request is no use (a server that fails), while a 4xx or a 501
// may only say that the server has no sync-collection.
bool Is_Final(const HttpAnswer& answer) {
    return Is_Refused(answer) || (answer.status >= 500 && answer.status != 501);
}

struct Listing {
    QNetworkAccessManager* network;
    QUrl collection;
    QString user;
    QString password;
    RefreshOptions options;
    std::function<void(const DavListing&)> done;
    DavListing result;
    QHash<QString, qsizetype> index;
};
using ListingPtr = std::shared_ptr<Listing>;

void Finish_Listing(const ListingPtr& l, const QString& error) {
    l->result.ok = error.isEmpty();
    l->result.error = error;
    if (!l->result.ok)
        l->result.members.clear();
    // A full listing names the members there are; some servers add the ones deleted long ago.
    if (l->result.full)
        l->result.members.removeIf([](const DavMember& member) { return member.deleted; });
    l->done(l->result);
}

// Adds a member; one reported again (on a later page of a long listing) takes its newer state.
void Add_Member(const ListingPtr& l, const DavMember& member) {
    const auto found = l->index.constFind(member.href);
    if (found != l->index.constEnd()) {
        l->result.members[*found] = member;
        return;
    }
    l->index.insert(member.href, l->result.members.size());
    l->result.members.append(member);
}

void List_By_Propfind(const ListingPtr& l) {
    ++l->result.requests;
    l->result.full = true;
    l->result.sync_token.clear();
    l->result.members.clear();
    l->index.clear();
    Send_Http(
        *l->network,
        Dav_Call("PROPFIND", l->collection, "1", Etag_Query, l->user, l->password, l->options),
        [l](const HttpAnswer& answer) {
            if (answer.status != 207)
                return Finish_Listing(l, Failure_Of(answer));
            const DavMultistatus status = Read_Multistatus(answer.body);
            if (!status.ok)
                return Finish_Listing(l, status.error);
            bool truncated = false;
            for (const DavMember& member : Dav_Members_Of(status, answer.url, &truncated))
                Add_Member(l, member);
            Finish_Listing(l, {});
        });
}

void List_By_Report(const ListingPtr& l, const QString& token) {
    if (l->result.requests >= Max_Listing_Requests)
        return Finish_Listing(l, QStringLiteral("The server's list of changes never ends."));
    ++l->result.requests;
    Send_Http(
        *l->network,
        Dav_Call("REPORT", l->collection, "0", Sync_Query(token), l->user, l->password, l->options),
        [l, token](const HttpAnswer& answer) {
            if (answer.status != 207) {
                if (Is_Refused(answer))
                    return Finish_Listing(l, Failure_Of(answer));
                // A token the server has forgotten: 403/409 valid-sync-token, or a 500 from
                // servers that fail to look it up. Starting afresh costs one request.
                if (!token.isEmpty() && l->result.members.isEmpty())
                    return List_By_Report(l, {});
                if (Is_Final(answer))
                    return Finish_Listing(l, Failure_Of(answer));
                // No sync-collection on this server.
                return List_By_Propfind(l);
            }
            const DavMultistatus status = Read_Multistatus(answer.body);
            if (!status.ok)
                return Finish_Listing(l, status.error);
            if (token.isEmpty())
                l->result.full = true;
            // A server may send part of the changes (507); its token then leads to the rest.
            bool truncated = false;
            for (const DavMember& member : Dav_Members_Of(status, answer.url, &truncated))
                Add_Member(l, member);
            l->result.sync_token = status.sync_token;
            if (truncated && !status.sync_token.isEmpty() && status.sync_token != token)
                return List_By_Report(l, status.sync_token);
            Finish_Listing(l, {});
        });
}

struct Fetching {
    QNetworkAccessManager* network;
    QUrl collection;
    QString user;
    QString password;
    QStringList hrefs;
    RefreshOptions options;
    std::function<void(const DavFetch&)> done;
    DavFetch result;
    qsizetype next = 0;
};
using FetchingPtr = std::shared_ptr<Fetching>;

void Fetch_Next(const FetchingPtr& f) {
    if (f->next >= f->hrefs.size()) {
        f->result.ok = true;
        return f->done(f->result);
    }
    const QStringList batch = f->hrefs.mid(f->next, Max_Multiget_Hrefs);
    f->next += batch.size();
    ++f->result.requests;
    Send_Http(*f->network,
              Dav_Call("REPORT", f->collection, "1", Multiget_Query(batch), f->user, f->password,
                       f->options),
              [f](const HttpAnswer& answer) {
                  DavMultistatus status;
                  if (answer.status == 207)
                      status = Read_Multistatus(answer.body);
                  else
                      status.error = Failure_Of(answer);
                  if (!status.ok) {
                      f->result.resources.clear();
                      f->result.error = status.error;
                      return f->done(f->result);
                  }
                  f->result.resources << Dav_Resources_Of(status, answer.url);
                  Fetch_Next(f);
              });
}

void Write(QNetworkAccessManager& network, const HttpCall& call,
           std::function<void(const DavWrite&)> done) {
    Send_Http(network, call, [done = std::move(done)](const HttpAnswer& answer) {
        DavWrite write;
        write.status = answer.status;
        write.etag = answer.etag;
        if (answer.status == 412)
            write.error = QStringLiteral("The event changed on the server since it was last "
                                         "read (412).");
        else if (answer.status < 200 || answer.status >= 300)
            write.error = Failure_Of(answer);
        done(write);
    });
}

} // namespace

void List_Dav_Changes(QNetworkAccessManager& network, const QUrl& collection, const QString& user,
                      const QString& password, const QString& token, const RefreshOptions& options,
                      std::function<void(const DavListing&)> done) {
    auto l = std::make_shared<Listing>(
        Listing{&network, collection, user, password, options, std::move(done), {}, {}});
    List_By_Report(l, token);
}

void Fetch_Dav_Resources(QNetworkAccessManager& network, const QUrl& collection,
                         const QString& user, const QString& password, const QStringList& hrefs,
                         const RefreshOptions& options, std::function<void(const DavFetch&)> done) {
    auto f = std::make_shared<Fetching>(
        Fetching{&network, collection, user, password, hrefs, options, std::move(done), {}, 0});
    Fetch_Next(f);
}

void Put_Dav_Resource(QNetworkAccessManager& network, const QUrl& resource, const QString& user,
                      const QString& password, const QByteArray& ics, const QByteArray& if_match,
                      const RefreshOptions& options, std::function<void(const DavWrite&)> done) {
    HttpCall call = Remote_Call("PUT", resource, user, password, options);
    call.body = ics;
    call.headers.emplaceBack("Content-Type", "text/calendar; charset=utf-8");
    if (if_match.isEmpty())
        call.headers.emplaceBack("If-None-Match", "*");
    else
        call.headers.emplaceBack("If-Match", if_match);
    Write(network, call, std::move(done));
}

void Delete_Dav_Resource(QNetworkAccessManager& network, const QUrl& resource, const QString& user,
                         const QString& password, const QByteArray& if_match,
                         const RefreshOptions& options, std::function<void(const DavWrite&)> done) {
    HttpCall call = Remote_Call("DELETE", resource, user, password, options);
    if (!if_match.isEmpty())
        call.headers.emplaceBack("If-Match", if_match);
    Write(network, call, std::move(done));
}
