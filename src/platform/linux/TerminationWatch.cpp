// The termination watch on Linux: SIGTERM and SIGHUP write a byte into a pipe that the event loop
// watches, since a signal handler may do little more than that.
#include "platform/TerminationWatch.h"

#include <QSocketNotifier>

#include <csignal>
#include <iterator>

#include <fcntl.h>
#include <unistd.h>

namespace {
int write_end = -1;
constexpr int Watched[] = {SIGTERM, SIGHUP};

void On_Signal(int) {
    const char byte = 1;
    if (write_end >= 0)
        (void)!::write(write_end, &byte, 1);
}
} // namespace

struct TerminationWatch::State {
    int read_end = -1;
    std::unique_ptr<QSocketNotifier> notifier;
    struct sigaction previous[std::size(Watched)] = {};
};

TerminationWatch::TerminationWatch(QObject* parent)
    : QObject(parent), state_(std::make_unique<State>()) {
    int fds[2];
    if (write_end >= 0 || ::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    state_->read_end = fds[0];
    write_end = fds[1];
    state_->notifier = std::make_unique<QSocketNotifier>(fds[0], QSocketNotifier::Read);
    connect(state_->notifier.get(), &QSocketNotifier::activated, this, &TerminationWatch::Ready);
    struct sigaction action = {};
    action.sa_handler = On_Signal;
    sigemptyset(&action.sa_mask);
    // A second request, while the first one waits (a failed save keeps the program open), ends
    // the process as it would have ended without this watch.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (std::size_t i = 0; i < std::size(Watched); ++i)
        ::sigaction(Watched[i], &action, &state_->previous[i]);
}

TerminationWatch::~TerminationWatch() {
    if (state_->read_end < 0)
        return;
    for (std::size_t i = 0; i < std::size(Watched); ++i)
        ::sigaction(Watched[i], &state_->previous[i], nullptr);
    state_->notifier.reset();
    ::close(write_end);
    write_end = -1;
    ::close(state_->read_end);
}

void TerminationWatch::Ready() {
    char bytes[16];
    while (::read(state_->read_end, bytes, sizeof bytes) > 0) {
    }
    emit Termination_Requested();
}
