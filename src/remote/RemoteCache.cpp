#include "remote/RemoteCache.h"

#include "events/ReplaceFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QString State_Path(const QString& cache_dir, const RemoteCalendar& calendar) {
    return cache_dir + QLatin1Char('/') + Remote_Cache_Key(calendar) + QStringLiteral(".json");
}

QString Index_Path(const QString& cache_dir, const RemoteCalendar& calendar) {
    return cache_dir + QLatin1Char('/') + Remote_Cache_Key(calendar) + QStringLiteral(".days");
}

QString Time_Text(const QDateTime& time) {
    return time.isValid() ? time.toUTC().toString(Qt::ISODate) : QString();
}

QDateTime Time_Of(const QJsonValue& value) {
    QDateTime time = QDateTime::fromString(value.toString(), Qt::ISODate);
    return time.isValid() ? time.toUTC() : QDateTime();
}

// The cache holds the user's private calendars: the folder is the user's alone, as the home
// folder above it often is readable by everyone.
bool Ensure_Dir(const QString& cache_dir) {
    if (!QDir().mkpath(cache_dir))
        return false;
    QFile::setPermissions(cache_dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return true;
}

} // namespace

QString Remote_Cache_Dir() {
    QString base = qEnvironmentVariable("XDG_CACHE_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.cache");
    return base + QStringLiteral("/Almanor");
}

QString Remote_Cache_Key(const RemoteCalendar& calendar) {
    const QByteArray identity =
        (Fetch_Url(calendar.url) + QLatin1Char('\n') + calendar.user).toUtf8();
    return QString::fromLatin1(
        QCryptographicHash::hash(identity, QCryptographicHash::Sha256).toHex().left(24));
}

QString Remote_Data_Path(const QString& cache_dir, const RemoteCalendar& calendar) {
    return cache_dir + QLatin1Char('/') + Remote_Cache_Key(calendar) + QStringLiteral(".ics");
}

RemoteCacheState Read_Remote_State(const QString& cache_dir, const RemoteCalendar& calendar) {
    RemoteCacheState state;
    QFile file(State_Path(cache_dir, calendar));
    if (!file.open(QIODevice::ReadOnly) || file.size() > 1024 * 1024)
        return state;
    const QJsonObject object = QJsonDocument::fromJson(file.readAll()).object();
    state.url = object.value(QStringLiteral("url")).toString();
    state.last_success = Time_Of(object.value(QStringLiteral("last_success")));
    state.last_attempt = Time_Of(object.value(QStringLiteral("last_attempt")));
    state.error = object.value(QStringLiteral("error")).toString();
    state.data_digest = object.value(QStringLiteral("data_digest")).toString();
    if (state.url == Fetch_Url(calendar.url)) {
        state.kind = object.value(QStringLiteral("kind")).toString();
        state.etag = object.value(QStringLiteral("etag")).toString();
        state.last_modified = object.value(QStringLiteral("last_modified")).toString();
        state.ctag = object.value(QStringLiteral("ctag")).toString();
        state.sync_token = object.value(QStringLiteral("sync_token")).toString();
    }
    return state;
}

QByteArray Read_Remote_Data(const QString& cache_dir, const RemoteCalendar& calendar) {
    QFile file(Remote_Data_Path(cache_dir, calendar));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool Write_Remote_State(const QString& cache_dir, const RemoteCalendar& calendar,
                        const RemoteCacheState& state) {
    QJsonObject object;
    object.insert(QStringLiteral("url"), state.url);
    object.insert(QStringLiteral("kind"), state.kind);
    object.insert(QStringLiteral("etag"), state.etag);
    object.insert(QStringLiteral("last_modified"), state.last_modified);
    object.insert(QStringLiteral("ctag"), state.ctag);
    object.insert(QStringLiteral("sync_token"), state.sync_token);
    object.insert(QStringLiteral("last_success"), Time_Text(state.last_success));
    object.insert(QStringLiteral("last_attempt"), Time_Text(state.last_attempt));
    object.insert(QStringLiteral("error"), state.error);
    object.insert(QStringLiteral("data_digest"), state.data_digest);
    return Ensure_Dir(cache_dir) &&
           Replace_File(State_Path(cache_dir, calendar), QJsonDocument(object).toJson());
}

bool Store_Remote_Data(const QString& cache_dir, const RemoteCalendar& calendar,
                       const QByteArray& data, const RemoteCacheState& state) {
    if (!Ensure_Dir(cache_dir) || !Replace_File(Remote_Data_Path(cache_dir, calendar), data))
        return false;
    const QDate today =
        (state.last_success.isValid() ? state.last_success : QDateTime::currentDateTimeUtc())
            .toLocalTime()
            .date();
    const RemoteIndex index = Build_Remote_Index(data, today);
    RemoteCacheState stored = state;
    stored.data_digest = QString::fromLatin1(Remote_Data_Digest(data));
    // Without an index the calendar parses the data itself: slower, never wrong.
    if (!index.first.isValid() ||
        !Replace_File(Index_Path(cache_dir, calendar), Format_Remote_Index(index)))
        QFile::remove(Index_Path(cache_dir, calendar));
    return Write_Remote_State(cache_dir, calendar, stored);
}

std::optional<RemoteIndex> Read_Remote_Index_File(const QString& cache_dir,
                                                  const RemoteCalendar& calendar,
                                                  const QString& digest) {
    QFile file(Index_Path(cache_dir, calendar));
    if (digest.isEmpty() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    std::optional<RemoteIndex> index = Read_Remote_Index(file.readAll());
    if (!index || QString::fromLatin1(index->data_digest) != digest)
        return std::nullopt;
    return index;
}

bool Record_Remote_Error(const QString& cache_dir, const RemoteCalendar& calendar,
                         const QString& error, const QDateTime& when) {
    RemoteCacheState state = Read_Remote_State(cache_dir, calendar);
    if (state.url.isEmpty())
        state.url = Fetch_Url(calendar.url);
    state.error = error;
    state.last_attempt = when;
    return Write_Remote_State(cache_dir, calendar, state);
}

void Renew_Remote_Index(const QString& cache_dir, const RemoteCalendar& calendar,
                        const QDate& today) {
    const RemoteCacheState state = Read_Remote_State(cache_dir, calendar);
    const std::optional<RemoteIndex> index =
        Read_Remote_Index_File(cache_dir, calendar, state.data_digest);
    const QDate month(today.year(), today.month(), 1);
    if (index && index->Covers(month.addYears(-1), month.addYears(1)))
        return;
    const QByteArray data = Read_Remote_Data(cache_dir, calendar);
    const RemoteIndex fresh = Build_Remote_Index(data, today);
    if (!fresh.first.isValid() ||
        !Replace_File(Index_Path(cache_dir, calendar), Format_Remote_Index(fresh)))
        return;
    if (state.data_digest != QString::fromLatin1(fresh.data_digest)) {
        RemoteCacheState agreed = state;
        agreed.data_digest = QString::fromLatin1(fresh.data_digest);
        Write_Remote_State(cache_dir, calendar, agreed);
    }
}

void Remove_Remote_Cache(const QString& cache_dir, const RemoteCalendar& calendar) {
    QFile::remove(Remote_Data_Path(cache_dir, calendar));
    QFile::remove(State_Path(cache_dir, calendar));
    QFile::remove(Index_Path(cache_dir, calendar));
}
