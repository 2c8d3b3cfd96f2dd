// The kept index of calendar.dat and the check that it still matches the file.
#include "events/MonthEventCache.h"

#include "events/EventStore.h"

#include <QFileInfo>

namespace {
// A file's times have a coarse grain (a few milliseconds on Linux, two seconds on FAT), so a
// rewrite of the same size just after a read can leave the size and times as they were. A copy
// read from a file written this recently is used once and not kept.
constexpr qint64 kSettleMs = 2000;
} // namespace

std::shared_ptr<const MonthEventIndex> MonthEventCache::Get(const QString& path, qint16 month,
                                                            qint16 year, const QDate& today,
                                                            quint64 save_count, bool* read_ok) {
    const QFileInfo info(path);
    Identity now;
    now.path = path;
    now.month = month;
    now.year = year;
    now.today = today;
    now.exists = info.exists();
    now.save_count = save_count;
    if (now.exists) {
        now.size = info.size();
        now.modified = info.lastModified();
        now.changed = info.metadataChangeTime();
    }
    *read_ok = true;
    if (index_ && now == identity_)
        return index_;

    std::shared_ptr<const MonthEventIndex> index;
    *read_ok = Map_Event_Bytes(path, [&](const QByteArray& bytes) {
        index = std::make_shared<const MonthEventIndex>(bytes, month, year, today);
    });
    const QDateTime settled = QDateTime::currentDateTimeUtc().addMSecs(-kSettleMs);
    const bool recent = now.exists && now.modified > settled;
    if (*read_ok && !recent) {
        identity_ = now;
        index_ = index;
    } else {
        index_.reset();
    }
    return index;
}
