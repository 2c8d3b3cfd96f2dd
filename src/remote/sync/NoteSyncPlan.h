#pragma once

#include "events/NoteJoin.h"
#include "exchange/ICalExchange.h"
#include "remote/sync/NoteEvent.h"
#include "remote/sync/NoteSyncState.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The three-way merge of the notes: calendar.dat as it is, the server as it is, and the state
// both agreed on at the last sync. Pure: the driver does the reading, writing and sending.

// A note of calendar.dat: its normalised key and its stored text.
struct LocalNote {
    QString key;
    QString text;
    bool operator==(const LocalNote&) const = default;
};
// The records of a day (a valid dated or every-year key), in file order.
QList<LocalNote> Local_Notes(const QStringList& records);
// The normalised key of a record ("05/03/2004" -> "5/3/2004"), or a null string when the record
// names no day.
QString Note_Key(QStringView record);

// The path an href names, the same however the server writes it (a path or a whole address,
// percent-encoded or not): hrefs of one resource compare equal by it.
QString Note_Href_Path(const QString& href);

// A member of the collection as the server reported it.
struct RemoteNote {
    QString href;
    QByteArray etag;
    bool deleted = false;
    // Filled when the resource was fetched (its ETag changed); nullopt for a resource that
    // holds no note.
    std::optional<NoteEvent> event;
    // The fetched resource, kept for a foreign event.
    QByteArray ics;
};

struct NoteUpload {
    enum Kind { Create, Update, Delete } kind = Create;
    // The entry of the plan's state it belongs to.
    qsizetype entry = -1;
    QString href;
    // Update and Delete: the ETag the change is based on ("*" when none is known).
    QByteArray if_match;
    QByteArray body;
};

// A change of calendar.dat, applied under its lock to the file as it is then.
struct NoteLocalChange {
    // The record as the plan saw it; an empty old_key adds a record.
    QString old_key;
    QString old_text;
    // An empty new_key removes the record.
    QString new_key;
    QString new_text;
    // The entry of the plan's state it belongs to (-1 for a removal whose entry is gone).
    qsizetype entry = -1;
    bool operator==(const NoteLocalChange&) const = default;
};

struct NotePlan {
    QList<NoteUpload> uploads;
    QList<NoteLocalChange> local_changes;
    // The state once all of the above succeeded. The uploads only fill in ETags, confirm
    // creates and drop the entries of confirmed deletes (those stay here, marked deleted).
    NoteSyncState state;
    // The joined texts.
    QStringList conflicts;
};

// listing_full: remote holds every member of the collection (a first sync, a lost token), so an
// entry whose href is missing was deleted on the server; otherwise remote holds only the changes
// since the state's token. collection_path ends with "/" and starts the href of a new note.
// new_uid makes UIDs.
NotePlan Plan_Note_Sync(const QList<LocalNote>& local, const NoteSyncState& state,
                        const QList<RemoteNote>& remote, bool listing_full,
                        const QString& collection_path, const QDateTime& now,
                        const ICalImportContext& context, const std::function<QString()>& new_uid);

// Applies changes to records as they are now. A record that changed since the plan read it (its
// text is no longer old_text) keeps both texts, its own first, and the joined text is added to
// conflicts; joined then receives the change with new_text set to the joined text, so that its
// entry is marked dirty and the text goes to the server next time. New records go before the
// first record without "=", where the calendar stops reading.
QStringList Apply_Note_Changes(const QStringList& records, const QList<NoteLocalChange>& changes,
                               QStringList* conflicts, QList<NoteLocalChange>* joined = nullptr);
