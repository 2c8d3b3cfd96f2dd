// The day watch on Linux: a wall-clock timerfd that the kernel cancels when the clock is set,
// and an inotify watch on the time zone file's folder.
#include "platform/DayChangeWatch.h"

#include <QFile>
#include <QSocketNotifier>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <ctime>

#include <sys/inotify.h>
#include <sys/timerfd.h>
#include <unistd.h>

namespace {
// Where the local time zone is configured; changing the zone replaces one of these files.
const char* const System_Zone_Folder = "/etc";
bool Is_Zone_File(const char* name) {
    return std::strcmp(name, "localtime") == 0 || std::strcmp(name, "timezone") == 0;
}
} // namespace

struct DayChangeWatch::State {
    int timer_fd = -1;
    int zone_fd = -1;
    std::unique_ptr<QSocketNotifier> timer_notifier;
    std::unique_ptr<QSocketNotifier> zone_notifier;
};

DayChangeWatch::DayChangeWatch(QObject* parent)
    : DayChangeWatch(QString::fromLatin1(System_Zone_Folder), parent) {}

DayChangeWatch::DayChangeWatch(const QString& zone_folder, QObject* parent)
    : QObject(parent), state_(std::make_unique<State>()) {
    state_->timer_fd = ::timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    if (state_->timer_fd >= 0) {
        state_->timer_notifier =
            std::make_unique<QSocketNotifier>(state_->timer_fd, QSocketNotifier::Read);
        connect(state_->timer_notifier.get(), &QSocketNotifier::activated, this,
                &DayChangeWatch::Timer_Ready);
    }
    state_->zone_fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (state_->zone_fd >= 0 &&
        ::inotify_add_watch(state_->zone_fd, QFile::encodeName(zone_folder).constData(),
                            IN_CREATE | IN_MOVED_TO | IN_CLOSE_WRITE | IN_DELETE | IN_ATTRIB |
                                IN_ONLYDIR) >= 0) {
        state_->zone_notifier =
            std::make_unique<QSocketNotifier>(state_->zone_fd, QSocketNotifier::Read);
        connect(state_->zone_notifier.get(), &QSocketNotifier::activated, this,
                &DayChangeWatch::Zone_Ready);
    }
}

DayChangeWatch::~DayChangeWatch() {
    state_->timer_notifier.reset();
    state_->zone_notifier.reset();
    if (state_->timer_fd >= 0)
        ::close(state_->timer_fd);
    if (state_->zone_fd >= 0)
        ::close(state_->zone_fd);
}

void DayChangeWatch::Arm(qint64 delay_ms) {
    if (state_->timer_fd < 0)
        return;
    delay_ms = std::max<qint64>(delay_ms, 0);
    // An absolute time on the wall clock: it is met after a suspend too, and with
    // TFD_TIMER_CANCEL_ON_SET a change of the clock wakes the reader at once.
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    itimerspec when{};
    const qint64 nanos = qint64(now.tv_nsec) + (delay_ms % 1000) * 1'000'000;
    when.it_value.tv_sec = now.tv_sec + time_t(delay_ms / 1000) + time_t(nanos / 1'000'000'000);
    when.it_value.tv_nsec = long(nanos % 1'000'000'000);
    // A zero it_value would disarm the timer instead.
    if (when.it_value.tv_sec == 0 && when.it_value.tv_nsec == 0)
        when.it_value.tv_nsec = 1;
    if (::timerfd_settime(state_->timer_fd, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &when,
                          nullptr) == 0) {
        armed_ = true;
        delay_ms_ = delay_ms;
    }
}

void DayChangeWatch::Disarm() {
    if (state_->timer_fd >= 0) {
        const itimerspec off{};
        ::timerfd_settime(state_->timer_fd, 0, &off, nullptr);
    }
    armed_ = false;
}

void DayChangeWatch::Timer_Ready() {
    std::uint64_t expirations = 0;
    const ssize_t n = ::read(state_->timer_fd, &expirations, sizeof expirations);
    // ECANCELED: the clock was set. EAGAIN: nothing to read after all (a stale wake-up).
    if (n < 0 && errno == EAGAIN)
        return;
    armed_ = false;
    emit Changed();
}

void DayChangeWatch::Zone_Ready() {
    alignas(inotify_event) char buffer[4096];
    bool zone_changed = false;
    for (;;) {
        const ssize_t n = ::read(state_->zone_fd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        for (ssize_t at = 0; at < n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            if (event->len > 0 && Is_Zone_File(event->name))
                zone_changed = true;
            at += ssize_t(sizeof(inotify_event) + event->len);
        }
    }
    if (zone_changed)
        emit Changed();
}
