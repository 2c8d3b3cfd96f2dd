#pragma once

#include "events/MonthEventIndex.h"

#include <QDateTime>
#include <QString>

#include <memory>

// Keeps the MonthEventIndex of the last month rebuilt, so that rebuilding the same month again
// (a style change, compact mode, a balloon) doesn't read calendar.dat again. Each Get looks at
// the file once (one stat) and reads it again when another month or day is asked for, when its
// path, size, modification time or status-change time differ from the kept copy's, or when the
// saves counter given has moved.
class MonthEventCache {
  public:
    // The index of the file at path. A missing file gives an empty index. read_ok is false when
    // the file exists but couldn't be read whole; the index then holds what was read, and the
    // next Get reads again. save_count: the EventStore's Save_Count(), so its saves are never
    // missed.
    std::shared_ptr<const MonthEventIndex> Get(const QString& path, qint16 month, qint16 year,
                                               const QDate& today, quint64 save_count,
                                               bool* read_ok);
    // Forgets the kept copy: the next Get reads the file.
    void Invalidate() { index_.reset(); }

  private:
    struct Identity {
        QString path;
        bool exists = false;
        qint64 size = -1;
        QDateTime modified;
        QDateTime changed;
        quint64 save_count = 0;
        qint16 month = 0;
        qint16 year = 0;
        QDate today;
        bool operator==(const Identity&) const = default;
    };
    Identity identity_;
    std::shared_ptr<const MonthEventIndex> index_;
};
