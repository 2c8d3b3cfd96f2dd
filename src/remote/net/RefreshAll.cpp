#include "remote/net/RefreshAll.h"

#include "remote/RemoteCache.h"

#include <memory>

QList<int> Due_Calendars(const QList<RemoteCalendar>& calendars, const QString& cache_dir,
                         const QDateTime& now, bool all) {
    QList<int> due;
    for (qsizetype i = 0; i < calendars.size(); ++i) {
        const RemoteCalendar& calendar = calendars[i];
        if (!calendar.enabled)
            continue;
        const QDateTime last = Read_Remote_State(cache_dir, calendar).last_attempt;
        if (all || !last.isValid() || last.secsTo(now) >= qint64(calendar.refresh_minutes) * 60 ||
            last > now)
            due.append(static_cast<int>(i) + 1);
    }
    return due;
}

namespace {

struct Run {
    QNetworkAccessManager* network;
    QList<RemoteCalendar> calendars;
    QHash<int, QString> passwords;
    QString cache_dir;
    QDateTime now;
    RefreshOptions options;
    std::function<void(const QList<RefreshOutcome>&)> done;
    QList<RefreshOutcome> outcomes;
};

void Next(const std::shared_ptr<Run>& run) {
    const qsizetype index = run->outcomes.size();
    if (index == run->calendars.size())
        return run->done(run->outcomes);
    const int number = static_cast<int>(index) + 1;
    Refresh_Remote_Calendar(*run->network, run->calendars[index], run->passwords.value(number),
                            run->cache_dir, run->now, run->options,
                            [run](const RefreshOutcome& outcome) {
                                run->outcomes.append(outcome);
                                Next(run);
                            });
}

} // namespace

void Refresh_Calendars(QNetworkAccessManager& network, const QList<RemoteCalendar>& calendars,
                       const QHash<int, QString>& passwords, const QString& cache_dir,
                       const QDateTime& now, const RefreshOptions& options,
                       std::function<void(const QList<RefreshOutcome>&)> done) {
    auto run = std::make_shared<Run>(
        Run{&network, calendars, passwords, cache_dir, now, options, std::move(done), {}});
    Next(run);
}
