#include "remote/RemoteFetchLauncher.h"

#include "remote/RemoteSchedule.h"

#include <algorithm>
#include <utility>

RemoteFetchLauncher::RemoteFetchLauncher(QString fetch_program, QString settings_path,
                                         QString cache_dir, PasswordLookup passwords,
                                         std::function<QDateTime()> now, QObject* parent)
    : QObject(parent), program_(std::move(fetch_program)), settings_path_(std::move(settings_path)),
      cache_dir_(std::move(cache_dir)), passwords_(std::move(passwords)), now_(std::move(now)) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::VeryCoarseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (!Start({}))
            Schedule();
    });
    notes_timer_.setSingleShot(true);
    connect(&notes_timer_, &QTimer::timeout, this, [this] { Sync_Notes_Now(); });
}

RemoteFetchLauncher::~RemoteFetchLauncher() {
    // A fetch keeps running on its own: it writes the cache atomically and exits.
    if (process_)
        process_->setParent(nullptr);
}

void RemoteFetchLauncher::Schedule() {
    // The fetch's end plans the next one.
    if (Running()) {
        timer_.stop();
        return;
    }
    QList<RemoteCalendar> calendars = Read_Remote_Calendars(settings_path_);
    const QDateTime now = now_();
    // The notes calendar keeps no cache to date its last refresh by. Every run of the fetch syncs
    // it, and one runs at the calendar's start, so its interval counts from the last run's end.
    QDateTime notes_due;
    if (const qsizetype notes = Notes_Calendar_Index(calendars); notes >= 0) {
        const int minutes = last_failed_ ? std::min(calendars[notes].refresh_minutes,
                                                    RemoteCalendar::Min_Refresh_Minutes)
                                         : calendars[notes].refresh_minutes;
        if (calendars[notes].enabled)
            notes_due = last_end_.isValid() ? last_end_.addSecs(qint64(minutes) * 60) : now;
        calendars.removeAt(notes);
    }
    next_ = Next_Remote_Refresh(calendars, cache_dir_, now);
    if (notes_due.isValid() && (!next_.isValid() || notes_due < next_))
        next_ = notes_due;
    if (!next_.isValid()) {
        timer_.stop();
        return;
    }
    if (last_end_.isValid())
        next_ = std::max(next_, last_end_.addSecs(RemoteCalendar::Min_Refresh_Minutes * 60));
    // At least a few seconds apart, so a calendar whose fetch fails at once can't spin.
    const qint64 wait = std::clamp<qint64>(now.msecsTo(next_), 5000, qint64(24) * 3600 * 1000);
    timer_.start(std::chrono::milliseconds(wait));
}

bool RemoteFetchLauncher::Refresh_Now() {
    return Start({QStringLiteral("--all")});
}

int RemoteFetchLauncher::Notes_Number() const {
    const QList<RemoteCalendar> calendars = Read_Remote_Calendars(settings_path_);
    const qsizetype index = Notes_Calendar_Index(calendars);
    return index >= 0 && calendars[index].enabled ? static_cast<int>(index) + 1 : 0;
}

bool RemoteFetchLauncher::Sync_Notes_Now() {
    notes_timer_.stop();
    const int number = Notes_Number();
    if (number == 0)
        return false;
    // A change saved while a fetch runs may have come after that fetch read calendar.dat.
    if (Running()) {
        notes_queued_ = true;
        return true;
    }
    notes_queued_ = false;
    return Start({QStringLiteral("--calendar"), QString::number(number)});
}

void RemoteFetchLauncher::Notes_Changed() {
    if (Notes_Number() != 0)
        notes_timer_.start(Notes_Delay);
}

bool RemoteFetchLauncher::Running() const {
    return process_ && process_->state() != QProcess::NotRunning;
}

bool RemoteFetchLauncher::Start(const QStringList& arguments) {
    if (Running())
        return false;
    const QList<RemoteCalendar> calendars = Read_Remote_Calendars(settings_path_);
    QByteArray passwords;
    for (qsizetype i = 0; i < calendars.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        const QString password = passwords_ ? passwords_(number, calendars[i]) : QString();
        if (!password.isEmpty() && !calendars[i].user.isEmpty())
            passwords += QByteArray::number(number) + '=' + password.toUtf8() + '\n';
    }
    auto* process = new QProcess(this);
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    connect(process, &QProcess::finished, this, &RemoteFetchLauncher::Ended);
    connect(process, &QProcess::errorOccurred, this, [this, process](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            process->deleteLater();
            last_end_ = now_();
            emit Fetch_Finished(false);
            Schedule();
        }
    });
    process_ = process;
    // The fetch reads the same settings and writes the same cache as this calendar.
    QStringList all = QStringList(arguments)
                      << QStringLiteral("--passwords") << QStringLiteral("--settings")
                      << settings_path_ << QStringLiteral("--cache") << cache_dir_;
    if (!notes_file_.isEmpty() && Notes_Calendar_Index(calendars) >= 0)
        all << QStringLiteral("--data") << notes_file_;
    process->start(program_, all);
    process->write(passwords);
    process->closeWriteChannel();
    return true;
}

void RemoteFetchLauncher::Ended(int exit_code, QProcess::ExitStatus status) {
    if (process_)
        process_->deleteLater();
    process_ = nullptr;
    last_end_ = now_();
    last_failed_ = status != QProcess::NormalExit || exit_code != 0;
    emit Fetch_Finished(!last_failed_);
    if (!notes_queued_ || !Sync_Notes_Now())
        Schedule();
}
