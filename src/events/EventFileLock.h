#pragma once

#include <QLockFile>
#include <QString>

// Locks lock within wait_ms (-1: for ever), as QLockFile::tryLock does, and also takes over a
// lock file left empty by a process killed between making it and writing its id into it, which
// QLockFile alone holds on to until its stale time passes (or for ever, with none).
bool Take_Lock_File(QLockFile& lock, int wait_ms);

// Held while calendar.dat is read, changed and written back, by the calendar and by the note
// sync (a separate process), so that neither writes the file over a change the other made in
// between. The lock is the file path + ".lock"; one left by a process that died is taken over.
// A folder where no lock can be made (read-only) doesn't stop anyone: the save itself then
// fails and says so.
class EventFileLock {
  public:
    explicit EventFileLock(const QString& dat_path, int wait_ms = 5000);
    ~EventFileLock();
    EventFileLock(const EventFileLock&) = delete;
    EventFileLock& operator=(const EventFileLock&) = delete;

    // False when another process held the lock for the whole wait.
    bool Locked() const { return locked_; }

  private:
    QLockFile lock_;
    bool locked_ = false;
};
