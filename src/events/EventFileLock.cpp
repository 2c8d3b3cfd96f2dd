#include "events/EventFileLock.h"

EventFileLock::EventFileLock(const QString& dat_path, int wait_ms)
    : lock_(dat_path + QStringLiteral(".lock")) {
    // Nobody holds it longer than one read and write of the file.
    lock_.setStaleLockTime(30000);
    locked_ = lock_.tryLock(wait_ms);
    if (!locked_ && lock_.error() == QLockFile::PermissionError)
        locked_ = true;
}

EventFileLock::~EventFileLock() {
    if (lock_.isLocked())
        lock_.unlock();
}
