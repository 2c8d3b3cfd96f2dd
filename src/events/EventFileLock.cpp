#include "events/EventFileLock.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>

namespace {

// Lock files are written in two steps, made and then filled with the owner's process id. One
// still empty this long after it was made belongs to a process killed between the two: QLockFile
// alone would wait for its stale time (30 s) before it takes such a file over.
constexpr qint64 Empty_Lock_Grace_Ms = 2000;

bool Is_Abandoned(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && info.size() == 0 &&
           qAbs(info.lastModified().msecsTo(QDateTime::currentDateTime())) > Empty_Lock_Grace_Ms;
}

} // namespace

bool Take_Lock_File(QLockFile& lock, int wait_ms) {
    const QString path = lock.fileName();
    const QDeadlineTimer deadline(wait_ms);
    bool locked = false;
    do {
        const qint64 left = deadline.remainingTime(); // -1: wait for ever
        locked = lock.tryLock(int(left < 0 ? 100 : qMin<qint64>(100, left)));
        if (!locked && lock.error() == QLockFile::LockFailedError) {
            // QLockFile removes a stale lock under a second lock file beside it, which a kill
            // can leave empty just the same: stale locks then stay for its stale time.
            if (const QString remover = path + QStringLiteral(".rmlock"); Is_Abandoned(remover))
                QFile::remove(remover);
            if (Is_Abandoned(path))
                lock.removeStaleLockFile();
            locked = lock.tryLock(0);
        }
    } while (!locked && lock.error() == QLockFile::LockFailedError && !deadline.hasExpired());
    return locked;
}

EventFileLock::EventFileLock(const QString& dat_path, int wait_ms)
    : lock_(dat_path + QStringLiteral(".lock")) {
    // Nobody holds it longer than one read and write of the file.
    lock_.setStaleLockTime(30000);
    locked_ = Take_Lock_File(lock_, wait_ms);
    if (!locked_ && lock_.error() == QLockFile::PermissionError)
        locked_ = true;
}

EventFileLock::~EventFileLock() {
    if (lock_.isLocked())
        lock_.unlock();
}
