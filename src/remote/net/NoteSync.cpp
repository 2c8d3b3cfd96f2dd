#include "remote/net/NoteSync.h"

#include "events/EventFileLock.h"
#include "events/EventStore.h"
#include "events/ReplaceFile.h"
#include "remote/net/DavSync.h"
#include "remote/sync/NoteSyncPlan.h"

#include <QHash>
#include <QLockFile>
#include <QSet>
#include <QUuid>

#include <memory>

namespace {

// Uploads in flight at once: as many as Qt opens connections to one server.
constexpr int kParallelUploads = 6;
// The state is written again after this many uploads, so that a sync killed in a long first
// upload repeats only the last of them.
constexpr int kUploadsBetweenWrites = 500;

struct Run {
    QNetworkAccessManager* network;
    RemoteCalendar calendar;
    QString password;
    QString dat_path;
    QString state_path;
    QDateTime now;
    RefreshOptions options;
    // Held for the whole run: two syncs at once would each write the state over the other's.
    std::unique_ptr<QLockFile> lock;
    std::function<void(const NoteSyncOutcome&)> done;
    QUrl collection;
    ICalImportContext context;

    NoteSyncState state;
    DavListing listing;
    QList<RemoteNote> remote;
    NotePlan plan;
    NoteSyncOutcome outcome;
    // Uploads: the next to start, how many are running and done, and the entries of confirmed
    // deletes.
    qsizetype next = 0;
    int running = 0;
    int finished = 0;
    QSet<qsizetype> gone;
};
using RunPtr = std::shared_ptr<Run>;

// Keeps the error in the state and ends the run: everything else stays as the last successful
// sync left it, and the changes wait for the next run.
void Fail(const RunPtr& r, const QString& error) {
    r->outcome.ok = false;
    r->outcome.error = error;
    r->state.last_error = error;
    Write_Note_Sync_State(r->state_path, r->state);
    r->lock.reset();
    r->done(r->outcome);
}

void Finish(const RunPtr& r) {
    NoteSyncState& state = r->state;
    QList<NoteSyncEntry> kept;
    for (qsizetype i = 0; i < state.entries.size(); ++i) {
        if (!r->gone.contains(i))
            kept.append(state.entries[i]);
    }
    state.entries = kept;
    state.sync_token = r->listing.sync_token;
    if (r->outcome.error.isEmpty())
        state.last_sync = r->now.toUTC();
    state.last_error = r->outcome.error;
    if (!Write_Note_Sync_State(r->state_path, state) && r->outcome.error.isEmpty())
        r->outcome.error =
            QStringLiteral("The sync state %1 could not be written.").arg(r->state_path);
    r->outcome.ok = r->outcome.error.isEmpty();
    r->lock.reset();
    r->done(r->outcome);
}

void Upload_Done(const RunPtr& r, const NoteUpload& upload, const DavWrite& write) {
    --r->running;
    ++r->finished;
    NoteSyncEntry& entry = r->state.entries[upload.entry];
    const bool ok = write.status >= 200 && write.status < 300;
    if (ok || (upload.kind == NoteUpload::Delete && write.status == 404) ||
        (upload.kind == NoteUpload::Create && write.status == 412))
        ++r->outcome.sent;
    switch (upload.kind) {
    case NoteUpload::Create:
        // 412: a run killed after its PUT made it already. Its ETag is then unknown, so the next
        // run fetches it and compares.
        if (ok || write.status == 412) {
            entry.uploaded = true;
            entry.etag = ok ? write.etag : QByteArray();
        }
        break;
    case NoteUpload::Update:
        // Changed on the server meanwhile (412) or gone (404): the next run merges with that.
        if (ok) {
            entry.dirty = false;
            entry.etag = write.etag;
        }
        break;
    case NoteUpload::Delete:
        if (ok || write.status == 404)
            r->gone.insert(upload.entry);
        break;
    }
    // A 412 or 404 is the server's newer state, which the next run merges; anything else
    // (offline, refused) is an error the user sees.
    if (!ok && write.status != 412 && write.status != 404 && r->outcome.error.isEmpty())
        r->outcome.error = write.error;
    if (r->finished % kUploadsBetweenWrites == 0)
        Write_Note_Sync_State(r->state_path, r->state);
}

void Upload_Next(const RunPtr& r) {
    const QList<NoteUpload>& uploads = r->plan.uploads;
    if (r->next >= uploads.size() && r->running == 0)
        return Finish(r);
    while (r->running < kParallelUploads && r->next < uploads.size()) {
        const NoteUpload upload = uploads[r->next++];
        ++r->running;
        ++r->outcome.requests;
        const QUrl resource = r->collection.resolved(QUrl(upload.href));
        auto after = [r, upload](const DavWrite& write) {
            Upload_Done(r, upload, write);
            Upload_Next(r);
        };
        if (upload.kind == NoteUpload::Delete)
            Delete_Dav_Resource(*r->network, resource, r->calendar.user, r->password,
                                upload.if_match, r->options, after);
        else
            Put_Dav_Resource(*r->network, resource, r->calendar.user, r->password, upload.body,
                             upload.if_match, r->options, after);
    }
}

// The server's changes go into calendar.dat under its lock, over the file as it is now.
bool Apply_Local(const RunPtr& r, QString* error) {
    const QList<NoteLocalChange>& changes = r->plan.local_changes;
    if (changes.isEmpty())
        return true;
    EventFileLock lock(r->dat_path);
    if (!lock.Locked()) {
        *error = QStringLiteral("calendar.dat stayed locked by another program.");
        return false;
    }
    bool read = false;
    const QStringList records = Read_Event_Records(r->dat_path, &read);
    if (!read) {
        *error = QStringLiteral("%1 can't be read.").arg(r->dat_path);
        return false;
    }
    QStringList conflicts;
    QList<NoteLocalChange> joined;
    const QStringList changed = Apply_Note_Changes(records, changes, &conflicts, &joined);
    if (changed != records && !Replace_File(r->dat_path, Format_Event_File(changed))) {
        *error = QStringLiteral("%1 could not be written.").arg(r->dat_path);
        return false;
    }
    // A note saved here since the plan read the file kept both texts: they go up next time.
    for (const NoteLocalChange& change : joined) {
        if (change.entry < 0)
            continue;
        r->plan.state.entries[change.entry].text = change.new_text;
        r->plan.state.entries[change.entry].dirty = true;
    }
    r->plan.conflicts += conflicts;
    r->outcome.received = static_cast<int>(changes.size());
    return true;
}

// Notes new on the server are recorded, marked as arriving, before calendar.dat gets them: a
// run killed between the two writes then finds them again by their server copy instead of
// taking them for notes of this side (or, missing here, for notes deleted here).
bool Record_Arrivals(const RunPtr& r) {
    QSet<QString> known;
    for (const NoteSyncEntry& entry : std::as_const(r->state.entries))
        known.insert(Note_Href_Path(entry.href));
    NoteSyncState before = r->state;
    for (const NoteLocalChange& change : std::as_const(r->plan.local_changes)) {
        if (!change.old_key.isEmpty() || change.entry < 0)
            continue;
        NoteSyncEntry entry = r->plan.state.entries[change.entry];
        if (known.contains(Note_Href_Path(entry.href)))
            continue;
        entry.arriving = true;
        before.entries.append(entry);
    }
    return before.entries.size() == r->state.entries.size() ||
           Write_Note_Sync_State(r->state_path, before);
}

void Merge(const RunPtr& r) {
    bool read = false;
    const QStringList records = Read_Event_Records(r->dat_path, &read);
    if (!read)
        return Fail(r, QStringLiteral("%1 can't be read.").arg(r->dat_path));
    QString path = r->collection.path();
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    r->plan = Plan_Note_Sync(
        Local_Notes(records), r->state, r->remote, r->listing.full, path, r->now, r->context, [] {
            return QUuid::createUuid().toString(QUuid::WithoutBraces) + QStringLiteral("@almanor");
        });
    if (!Record_Arrivals(r))
        return Fail(r,
                    QStringLiteral("The sync state %1 could not be written.").arg(r->state_path));
    QString error;
    if (!Apply_Local(r, &error))
        return Fail(r, error);

    // The state goes to disk after calendar.dat and before any upload. Changes that wait to go
    // up are marked, so that a run killed now sends them next time; the token stays the old one
    // until the end.
    const QString old_token = r->state.sync_token;
    r->state = r->plan.state;
    r->state.sync_token = old_token;
    r->state.Add_Conflicts(r->plan.conflicts);
    r->outcome.conflicts = static_cast<int>(r->plan.conflicts.size());
    for (const NoteUpload& upload : r->plan.uploads) {
        if (upload.kind == NoteUpload::Update)
            r->state.entries[upload.entry].dirty = true;
    }
    if (!r->plan.uploads.isEmpty() && !Write_Note_Sync_State(r->state_path, r->state))
        return Fail(r,
                    QStringLiteral("The sync state %1 could not be written.").arg(r->state_path));
    Upload_Next(r);
}

// The members the listing reports, with the events of those whose ETag is new to the state.
void Fetch_Changed(const RunPtr& r) {
    QHash<QString, const NoteSyncEntry*> entry_of;
    for (const NoteSyncEntry& entry : r->state.entries)
        entry_of.insert(Note_Href_Path(entry.href), &entry);
    QStringList hrefs;
    QSet<QString> listed;
    for (const DavMember& member : r->listing.members) {
        const QString path = Note_Href_Path(member.href);
        listed.insert(path);
        const NoteSyncEntry* entry = entry_of.value(path);
        if (!member.deleted && (!entry || entry->etag.isEmpty() || entry->etag != member.etag))
            hrefs.append(member.href);
    }
    // A resource whose ETag was never learnt (a create a killed run made) is fetched to compare,
    // even when it didn't change since the token.
    QStringList unknown;
    for (const NoteSyncEntry& entry : r->state.entries) {
        if (entry.uploaded && entry.etag.isEmpty() && !listed.contains(Note_Href_Path(entry.href)))
            unknown.append(entry.href);
    }
    hrefs += unknown;
    if (hrefs.isEmpty()) {
        for (const DavMember& member : r->listing.members)
            r->remote.append({member.href, member.etag, member.deleted, std::nullopt, {}});
        return Merge(r);
    }
    Fetch_Dav_Resources(
        *r->network, r->collection, r->calendar.user, r->password, hrefs, r->options,
        [r, unknown](const DavFetch& fetch) {
            r->outcome.requests += fetch.requests;
            if (!fetch.ok)
                return Fail(r, fetch.error);
            QHash<QString, const DavResource*> fetched;
            for (const DavResource& resource : fetch.resources)
                fetched.insert(Note_Href_Path(resource.href), &resource);
            const auto add = [&](const QString& href, const QByteArray& etag, bool deleted) {
                RemoteNote note{href, etag, deleted, std::nullopt, {}};
                if (const DavResource* resource = fetched.value(Note_Href_Path(href))) {
                    if (resource->status == 404) {
                        note.deleted = true;
                    } else if (resource->status / 100 == 2) {
                        if (!resource->etag.isEmpty())
                            note.etag = resource->etag;
                        note.ics = resource->ics;
                        note.event = Read_Note_Event(resource->ics, r->context);
                    }
                }
                r->remote.append(note);
            };
            for (const DavMember& member : r->listing.members)
                add(member.href, member.etag, member.deleted);
            for (const QString& href : unknown)
                add(href, {}, false);
            Merge(r);
        });
}

} // namespace

void Sync_Notes(QNetworkAccessManager& network, const RemoteCalendar& calendar,
                const QString& password, const QString& dat_path, const QDateTime& now,
                const RefreshOptions& options, std::function<void(const NoteSyncOutcome&)> done) {
    auto r = std::make_shared<Run>();
    r->network = &network;
    r->calendar = calendar;
    r->password = password;
    r->dat_path = dat_path;
    r->state_path = Note_Sync_State_Path(dat_path);
    r->now = now;
    r->options = options;
    r->done = std::move(done);
    r->collection = QUrl(Fetch_Url(calendar.url));
    r->context = {now.toLocalTime().date(), QTimeZone::systemTimeZone(), QLocale()};

    r->lock = std::make_unique<QLockFile>(r->state_path + QStringLiteral(".lock"));
    // Only a running sync keeps the lock: one whose process died is taken over at once, and so
    // is one left empty by a sync killed while it took the lock.
    r->lock->setStaleLockTime(0);
    if (!Take_Lock_File(*r->lock, 0)) {
        r->outcome.error = QStringLiteral("Another sync of the notes is running.");
        return r->done(r->outcome);
    }

    // A damaged state reads as none: the first sync pairs notes by day and text, so nothing goes
    // up twice. Another calendar's entries are no use here either.
    QString error;
    Read_Note_Sync_State(r->state_path, &r->state, &error);
    if (r->state.calendar_url != Fetch_Url(calendar.url)) {
        const QStringList conflicts = r->state.conflicts;
        r->state = NoteSyncState();
        r->state.calendar_url = Fetch_Url(calendar.url);
        r->state.conflicts = conflicts;
    }
    List_Dav_Changes(network, r->collection, calendar.user, password, r->state.sync_token, options,
                     [r](const DavListing& listing) {
                         r->outcome.requests += listing.requests;
                         if (!listing.ok)
                             return Fail(r, listing.error);
                         r->listing = listing;
                         Fetch_Changed(r);
                     });
}
