#include "remote/sync/NoteSyncState.h"

#include "events/ReplaceFile.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace {

QJsonObject Entry_Object(const NoteSyncEntry& entry) {
    QJsonObject object{{QStringLiteral("uid"), entry.uid},
                       {QStringLiteral("href"), entry.href},
                       {QStringLiteral("etag"), QString::fromUtf8(entry.etag)},
                       {QStringLiteral("key"), entry.key},
                       {QStringLiteral("text"), entry.text}};
    // Only what differs from the usual is written: 10,000 notes keep the file small.
    if (!entry.uploaded)
        object.insert(QStringLiteral("uploaded"), false);
    if (entry.dirty)
        object.insert(QStringLiteral("dirty"), true);
    if (entry.deleted)
        object.insert(QStringLiteral("deleted"), true);
    if (entry.arriving)
        object.insert(QStringLiteral("arriving"), true);
    if (!entry.foreign_ics.isEmpty())
        object.insert(QStringLiteral("foreign_ics"),
                      QString::fromLatin1(entry.foreign_ics.toBase64()));
    return object;
}

NoteSyncEntry Entry_Of(const QJsonObject& object) {
    NoteSyncEntry entry;
    entry.uid = object.value(QStringLiteral("uid")).toString();
    entry.href = object.value(QStringLiteral("href")).toString();
    entry.etag = object.value(QStringLiteral("etag")).toString().toUtf8();
    entry.key = object.value(QStringLiteral("key")).toString();
    entry.text = object.value(QStringLiteral("text")).toString();
    entry.uploaded = object.value(QStringLiteral("uploaded")).toBool(true);
    entry.dirty = object.value(QStringLiteral("dirty")).toBool(false);
    entry.deleted = object.value(QStringLiteral("deleted")).toBool(false);
    entry.arriving = object.value(QStringLiteral("arriving")).toBool(false);
    entry.foreign_ics =
        QByteArray::fromBase64(object.value(QStringLiteral("foreign_ics")).toString().toLatin1());
    return entry;
}

} // namespace

int NoteSyncState::Waiting() const {
    int waiting = 0;
    for (const NoteSyncEntry& entry : entries)
        waiting += !entry.uploaded || entry.dirty || entry.deleted ? 1 : 0;
    return waiting;
}

void NoteSyncState::Add_Conflicts(const QStringList& texts) {
    QStringList all = texts;
    std::reverse(all.begin(), all.end());
    all += conflicts;
    conflicts = all.mid(0, Max_Kept_Conflicts);
}

QString Note_Sync_State_Path(const QString& dat_path) {
    return QFileInfo(dat_path).absolutePath() + QStringLiteral("/calendar.sync");
}

bool Read_Note_Sync_State(const QString& path, NoteSyncState* state, QString* error) {
    *state = NoteSyncState();
    QFile file(path);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error =
                QStringLiteral("The sync state %1 can't be read: %2").arg(path, file.errorString());
        return false;
    }
    QJsonParseError parse;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parse);
    if (parse.error != QJsonParseError::NoError || !document.isObject()) {
        if (error)
            *error = QStringLiteral("The sync state %1 is damaged (%2); the next sync "
                                    "compares every note anew.")
                         .arg(path, parse.errorString());
        return false;
    }
    const QJsonObject object = document.object();
    state->calendar_url = object.value(QStringLiteral("calendar_url")).toString();
    state->sync_token = object.value(QStringLiteral("sync_token")).toString();
    const QDateTime last =
        QDateTime::fromString(object.value(QStringLiteral("last_sync")).toString(), Qt::ISODate);
    state->last_sync = last.isValid() ? last.toUTC() : QDateTime();
    state->last_error = object.value(QStringLiteral("last_error")).toString();
    for (const QJsonValue& text : object.value(QStringLiteral("conflicts")).toArray())
        state->conflicts.append(text.toString());
    for (const QJsonValue& entry : object.value(QStringLiteral("entries")).toArray()) {
        if (entry.isObject())
            state->entries.append(Entry_Of(entry.toObject()));
    }
    return true;
}

bool Write_Note_Sync_State(const QString& path, const NoteSyncState& state) {
    QJsonArray entries;
    for (const NoteSyncEntry& entry : state.entries)
        entries.append(Entry_Object(entry));
    const QJsonObject object{
        {QStringLiteral("calendar_url"), state.calendar_url},
        {QStringLiteral("sync_token"), state.sync_token},
        {QStringLiteral("last_sync"),
         state.last_sync.isValid() ? state.last_sync.toUTC().toString(Qt::ISODate) : QString()},
        {QStringLiteral("last_error"), state.last_error},
        {QStringLiteral("conflicts"), QJsonArray::fromStringList(state.conflicts)},
        {QStringLiteral("entries"), entries}};
    return Replace_File(path, QJsonDocument(object).toJson(QJsonDocument::Indented));
}
