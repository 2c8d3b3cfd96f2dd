// The merge of calendar.dat with the notes calendar. Every note is in one of three states on
// each side (unchanged, changed, deleted) compared with what both last agreed on; the rules
// below keep every text either side wrote.
#include "remote/sync/NoteSyncPlan.h"

#include "events/EventStore.h"
#include "events/MonthEvents.h"

#include <QHash>
#include <QSet>
#include <QUrl>

namespace {

enum class Side { Same, Changed, Deleted };

class Planner {
  public:
    Planner(const QList<LocalNote>& local, const NoteSyncState& state,
            const QList<RemoteNote>& remote, bool listing_full, const QString& collection_path,
            const QDateTime& now, const ICalImportContext& context,
            const std::function<QString()>& new_uid)
        : local_(local), old_(state), remote_(remote), full_(listing_full),
          collection_(collection_path), now_(now), context_(context), new_uid_(new_uid) {
        for (const RemoteNote& note : remote_)
            remote_of_.insert(Note_Href_Path(note.href), &note);
        plan_.state = state;
        plan_.state.entries.clear();
    }

    NotePlan Run() {
        Pair_Entries();
        QSet<const RemoteNote*> known;
        for (qsizetype i = 0; i < old_.entries.size(); ++i) {
            const RemoteNote* remote = remote_of_.value(Note_Href_Path(old_.entries[i].href));
            if (remote)
                known.insert(remote);
            Merge_Entry(old_.entries[i], local_of_entry_[i], remote);
        }
        QList<const RemoteNote*> added;
        for (const RemoteNote& note : remote_) {
            if (!known.contains(&note) && !note.deleted && note.event)
                added.append(&note);
        }
        Merge_New(added);
        return plan_;
    }

  private:
    // Entries and local notes pair up by day and text first, then by day alone in file order.
    // Before the pairing by day alone, the notes that already stand in calendar.dat as the
    // server has them are set aside for their server copy: a run killed after it wrote the
    // server's changes into calendar.dat, before its state, must not pair such a note with
    // another entry of its day, or the note would come back twice.
    void Pair_Entries() {
        local_of_entry_.fill(-1, old_.entries.size());
        entry_of_local_.fill(-1, local_.size());
        QHash<QString, QList<qsizetype>> local_by_key;
        for (qsizetype j = 0; j < local_.size(); ++j)
            local_by_key[local_[j].key].append(j);
        const auto pair_first = [&](qsizetype i, const QString& key, const auto& fits) {
            for (const qsizetype j : local_by_key.value(key)) {
                if (entry_of_local_[j] == -1 && fits(local_[j])) {
                    local_of_entry_[i] = j;
                    entry_of_local_[j] = i;
                    return;
                }
            }
        };
        for (qsizetype i = 0; i < old_.entries.size(); ++i) {
            const NoteSyncEntry& entry = old_.entries[i];
            pair_first(i, entry.key,
                       [&](const LocalNote& note) { return note.text == entry.text; });
        }
        QSet<QString> known;
        for (qsizetype i = 0; i < old_.entries.size(); ++i) {
            const QString href = Note_Href_Path(old_.entries[i].href);
            known.insert(href);
            const RemoteNote* remote = remote_of_.value(href);
            if (local_of_entry_[i] >= 0 || !remote || remote->deleted || !remote->event)
                continue;
            const QString text = Note_Event_Text(*remote->event, old_.entries[i].text);
            pair_first(i, remote->event->key,
                       [&](const LocalNote& note) { return note.text == text; });
        }
        // Set aside (-3) for a server note new to the state; Merge_New pairs them again.
        for (const RemoteNote& remote : remote_) {
            if (known.contains(Note_Href_Path(remote.href)) || remote.deleted || !remote.event)
                continue;
            for (const qsizetype j : local_by_key.value(remote.event->key)) {
                if (entry_of_local_[j] == -1 && local_[j].text == remote.event->text) {
                    entry_of_local_[j] = -3;
                    break;
                }
            }
        }
        for (qsizetype i = 0; i < old_.entries.size(); ++i) {
            if (local_of_entry_[i] < 0)
                pair_first(i, old_.entries[i].key, [](const LocalNote&) { return true; });
        }
        for (qsizetype& paired : entry_of_local_) {
            if (paired == -3)
                paired = -1;
        }
    }

    QByteArray Body(const NoteSyncEntry& entry) const {
        return entry.foreign_ics.isEmpty()
                   ? Format_Note_Event(entry.uid, entry.key, entry.text, now_)
                   : Patch_Note_Event(entry.foreign_ics, entry.key, entry.text, context_);
    }

    qsizetype Add_Entry(const NoteSyncEntry& entry) {
        plan_.state.entries.append(entry);
        return plan_.state.entries.size() - 1;
    }

    void Upload(NoteUpload::Kind kind, qsizetype index, const QByteArray& if_match = {}) {
        const NoteSyncEntry& entry = plan_.state.entries[index];
        NoteUpload upload;
        upload.kind = kind;
        upload.entry = index;
        upload.href = entry.href;
        upload.if_match = kind == NoteUpload::Create ? QByteArray()
                          : if_match.isEmpty()       ? QByteArrayLiteral("*")
                                                     : if_match;
        if (kind != NoteUpload::Delete)
            upload.body = Body(entry);
        // A note no event can hold stays in calendar.dat only: a new one gets no entry, so it
        // neither waits for ever nor goes up broken.
        if (kind != NoteUpload::Delete && upload.body.isEmpty()) {
            if (kind == NoteUpload::Create && index == plan_.state.entries.size() - 1)
                plan_.state.entries.removeLast();
            return;
        }
        // A patched event is what the server holds once the upload went: the next change
        // patches that.
        if (kind == NoteUpload::Update && !entry.foreign_ics.isEmpty())
            plan_.state.entries[index].foreign_ics = upload.body;
        plan_.uploads.append(upload);
    }

    void Change_Local(const LocalNote* from, const QString& key, const QString& text,
                      qsizetype entry) {
        plan_.local_changes.append(
            {from ? from->key : QString(), from ? from->text : QString(), key, text, entry});
    }

    // A new note of this side: a new UID, and its create waits in the state until confirmed.
    void Create(const LocalNote& note) {
        NoteSyncEntry entry;
        entry.uid = new_uid_();
        entry.href = collection_ + entry.uid + QStringLiteral(".ics");
        entry.key = note.key;
        entry.text = note.text;
        entry.uploaded = false;
        Upload(NoteUpload::Create, Add_Entry(entry));
    }

    // Takes in the server's version of the entry's note (its ETag, and the event when fetched),
    // read against the text of the last sync.
    static void Take_Remote(NoteSyncEntry* entry, const RemoteNote& remote) {
        entry->etag = remote.etag;
        entry->uploaded = true;
        if (remote.event) {
            entry->key = remote.event->key;
            entry->text = Note_Event_Text(*remote.event, entry->text);
            entry->foreign_ics = remote.event->foreign ? remote.ics : QByteArray();
        }
    }

    // A server note a killed run may not have written into calendar.dat: it is added again, as
    // the server has it now, unless the server deleted it meanwhile.
    void Arrive_Again(const NoteSyncEntry& old, const RemoteNote* remote) {
        NoteSyncEntry entry = old;
        entry.arriving = false;
        if (remote && (remote->deleted || (!remote->event && !remote->ics.isEmpty())))
            return;
        if (remote && remote->event)
            Take_Remote(&entry, *remote);
        Change_Local(nullptr, entry.key, entry.text, Add_Entry(entry));
    }

    void Merge_Entry(const NoteSyncEntry& old, qsizetype local_index, const RemoteNote* remote) {
        const LocalNote* local = local_index >= 0 ? &local_[local_index] : nullptr;
        // A create that never reached the server goes again, under the same UID.
        if (!old.uploaded && !remote) {
            if (!local)
                return;
            NoteSyncEntry entry = old;
            entry.text = local->text;
            entry.dirty = false;
            Upload(NoteUpload::Create, Add_Entry(entry));
            return;
        }
        if (old.arriving && !local)
            return Arrive_Again(old, remote);
        const bool changed_here =
            local && (old.dirty || local->text != old.text || local->key != old.key);
        const Side local_side = !local ? Side::Deleted : changed_here ? Side::Changed : Side::Same;
        // The server's note, when it was fetched: an unchanged ETag needs no fetch, and a
        // resource that no longer holds a note counts as deleted.
        const bool unchanged_tag = remote && !old.etag.isEmpty() && remote->etag == old.etag;
        const bool fetched = remote && !remote->deleted && !unchanged_tag && remote->event;
        Side remote_side = Side::Same;
        if (remote &&
            (remote->deleted || (!unchanged_tag && !remote->event && !remote->ics.isEmpty())))
            remote_side = Side::Deleted;
        else if (!remote && full_)
            remote_side = Side::Deleted;
        else if (fetched && (remote->event->key != old.key ||
                             Note_Event_Text(*remote->event, old.text) != old.text))
            remote_side = Side::Changed;
        NoteSyncEntry entry = old;
        entry.dirty = false;
        entry.deleted = false;
        entry.arriving = false;
        if (fetched)
            Take_Remote(&entry, *remote);

        if (remote_side == Side::Deleted) {
            // Deleted on the server: gone here too, unless changed here, when the note goes up
            // anew (the old resource is gone, so under a new UID).
            if (local_side == Side::Same)
                Change_Local(local, QString(), QString(), -1);
            else if (local_side == Side::Changed)
                Create(*local);
            return;
        }
        if (local_side == Side::Deleted) {
            if (remote_side == Side::Same) {
                entry.deleted = true;
                Upload(NoteUpload::Delete, Add_Entry(entry), entry.etag);
            } else {
                Change_Local(nullptr, entry.key, entry.text, Add_Entry(entry));
            }
            return;
        }
        if (local_side == Side::Same) {
            const qsizetype index = Add_Entry(entry);
            if (remote_side == Side::Changed)
                Change_Local(local, entry.key, entry.text, index);
            return;
        }
        // Changed here. The server's day wins (a note can't be moved here, only on the server);
        // the texts join when both changed.
        const QString text = remote_side == Side::Changed && entry.text != old.text
                                 ? Join_Note_Texts(local->text, entry.text)
                                 : local->text;
        if (text != local->text && text != entry.text)
            plan_.conflicts.append(text);
        // Without a fetched copy the server holds the text of the last sync, which a waiting
        // change (dirty) may equal: it still goes up.
        const bool server_has_it = fetched && text == entry.text;
        entry.text = text;
        const qsizetype index = Add_Entry(entry);
        if (entry.key != local->key || text != local->text)
            Change_Local(local, entry.key, text, index);
        if (!server_has_it)
            Upload(NoteUpload::Update, index, entry.etag);
    }

    // Notes new on either side. The same note on the same day is one note (a first sync over a
    // calendar that already has them, or a run killed before it kept its state); on a first
    // sync two notes of one day become one, both texts kept.
    void Merge_New(const QList<const RemoteNote*>& added) {
        QList<bool> taken(added.size(), false);
        QHash<QString, QList<qsizetype>> added_by_key;
        for (qsizetype r = 0; r < added.size(); ++r)
            added_by_key[added[r]->event->key].append(r);
        const bool first_sync = old_.entries.isEmpty();
        for (const bool same_text : {true, false}) {
            if (!same_text && !first_sync)
                break;
            for (qsizetype j = 0; j < local_.size(); ++j) {
                if (entry_of_local_[j] >= 0)
                    continue;
                for (const qsizetype r : added_by_key.value(local_[j].key)) {
                    if (taken[r] || (same_text && added[r]->event->text != local_[j].text))
                        continue;
                    taken[r] = true;
                    entry_of_local_[j] = -2;
                    Pair_New(local_[j], *added[r]);
                    break;
                }
            }
        }
        for (qsizetype r = 0; r < added.size(); ++r) {
            if (taken[r])
                continue;
            NoteSyncEntry entry;
            entry.uid = added[r]->event->uid;
            entry.href = added[r]->href;
            Take_Remote(&entry, *added[r]);
            Change_Local(nullptr, entry.key, entry.text, Add_Entry(entry));
        }
        for (qsizetype j = 0; j < local_.size(); ++j) {
            if (entry_of_local_[j] == -1)
                Create(local_[j]);
        }
    }

    void Pair_New(const LocalNote& local, const RemoteNote& remote) {
        NoteSyncEntry entry;
        entry.uid = remote.event->uid;
        entry.href = remote.href;
        Take_Remote(&entry, remote);
        const QString text = Join_Note_Texts(local.text, entry.text);
        if (text != local.text && text != entry.text)
            plan_.conflicts.append(text);
        const bool server_has_it = text == entry.text;
        entry.text = text;
        const qsizetype index = Add_Entry(entry);
        if (text != local.text)
            Change_Local(&local, entry.key, text, index);
        if (!server_has_it)
            Upload(NoteUpload::Update, index, entry.etag);
    }

    const QList<LocalNote>& local_;
    const NoteSyncState& old_;
    const QList<RemoteNote>& remote_;
    const bool full_;
    const QString collection_;
    const QDateTime now_;
    const ICalImportContext& context_;
    const std::function<QString()>& new_uid_;
    QHash<QString, const RemoteNote*> remote_of_;
    QList<qsizetype> local_of_entry_;
    QList<qsizetype> entry_of_local_;
    NotePlan plan_;
};

} // namespace

QString Note_Href_Path(const QString& href) {
    const QUrl url(href);
    return QUrl::fromPercentEncoding(url.path(QUrl::FullyEncoded).toUtf8());
}

QString Note_Key(QStringView record) {
    EventDay day;
    if (!Parse_Event_Record(record, &day, false))
        return QString();
    const bool valid = day.year == Every_Year ? QDate(2000, day.month, day.day).isValid()
                                              : QDate(day.year, day.month, day.day).isValid();
    return valid ? Event_Key(day.day, day.month, day.year) : QString();
}

QList<LocalNote> Local_Notes(const QStringList& records) {
    QList<LocalNote> notes;
    for (const QString& record : records) {
        const QString key = Note_Key(record);
        const QString text = Record_Text(record);
        if (!key.isNull() && !text.isEmpty())
            notes.append({key, text});
    }
    return notes;
}

NotePlan Plan_Note_Sync(const QList<LocalNote>& local, const NoteSyncState& state,
                        const QList<RemoteNote>& remote, bool listing_full,
                        const QString& collection_path, const QDateTime& now,
                        const ICalImportContext& context, const std::function<QString()>& new_uid) {
    return Planner(local, state, remote, listing_full, collection_path, now, context, new_uid)
        .Run();
}
