#pragma once

#include "remote/RemoteAccounts.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QTimer>

#include <chrono>
#include <functional>

// The calendar's side of the refreshes: starts the fetch program (AlmanorFetch, in the program
// folder) when a calendar's refresh is due and tells when it has written the cache. One timer
// runs to the next due refresh, nothing polls; with no calendar on nothing runs at all. The
// calendar itself never loads network code: the fetch does the talking in its own process.
// For the calendar that keeps the notes the fetch syncs calendar.dat with it; that sync also
// runs at the calendar's start and a few seconds after the calendar changed a note.
class RemoteFetchLauncher : public QObject {
    Q_OBJECT
  public:
    // The password of a calendar (from the keyring or the session); empty for none.
    using PasswordLookup = std::function<QString(int number, const RemoteCalendar& calendar)>;
    // now gives the current time (UTC); the calendar passes its Clock, tests a fixed one.
    RemoteFetchLauncher(QString fetch_program, QString settings_path, QString cache_dir,
                        PasswordLookup passwords, std::function<QDateTime()> now,
                        QObject* parent = nullptr);
    ~RemoteFetchLauncher() override;

    // Reads the calendars again (after the settings changed) and sets the timer to the next due
    // refresh, or stops it when no calendar is on.
    void Schedule();
    // Starts a fetch of every enabled calendar now (the tab's Refresh Now); false when one runs.
    bool Refresh_Now();
    bool Running() const;
    // When the next fetch starts; invalid when none is planned.
    QDateTime Next_Fetch() const { return next_; }

    // The calendar.dat the note sync works on (the calendar's own; the fetch program would
    // otherwise take the one beside itself).
    void Set_Notes_File(const QString& dat_path) { notes_file_ = dat_path; }
    // Starts the note sync now, or as soon as the running fetch ends; false when no calendar
    // that is on keeps the notes.
    bool Sync_Notes_Now();
    // The calendar changed calendar.dat: the sync follows once the changes have paused for
    // Notes_Delay, so typing one note after another sends them together.
    void Notes_Changed();
    bool Notes_Sync_Waiting() const { return notes_timer_.isActive() || notes_queued_; }
    static constexpr std::chrono::milliseconds Notes_Delay{3000};

  signals:
    // The fetch ended: the cache may hold new data or new errors. ok is false when any
    // calendar failed or the program could not be started.
    void Fetch_Finished(bool ok);

  private:
    bool Start(const QStringList& arguments);
    // The number (from 1) of the calendar that keeps the notes, when it is on; else 0.
    int Notes_Number() const;
    void Ended(int exit_code, QProcess::ExitStatus status);

    QString program_;
    QString settings_path_;
    QString cache_dir_;
    PasswordLookup passwords_;
    std::function<QDateTime()> now_;
    QTimer timer_;
    QTimer notes_timer_;
    QString notes_file_;
    // A note sync asked for while a fetch ran: it starts when that one ends.
    bool notes_queued_ = false;
    QPointer<QProcess> process_;
    QDateTime next_;
    // When the last fetch ended or failed to start: the next automatic one waits at least the
    // least refresh interval after it, so a fetch that fails before it records anything (a
    // missing program, a crash) can't be started again and again.
    QDateTime last_end_;
    // The last fetch failed (offline, say): the notes calendar is tried again after the least
    // interval rather than its own, so that waiting changes go out soon after the server is back.
    bool last_failed_ = false;
};
