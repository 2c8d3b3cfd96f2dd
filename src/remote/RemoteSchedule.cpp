#include "remote/RemoteSchedule.h"

QDateTime Next_Remote_Refresh(const QList<RemoteCalendar>& calendars, const QString& cache_dir,
                              const QDateTime& now) {
    QDateTime next;
    for (const RemoteCalendar& calendar : calendars) {
        if (!calendar.enabled)
            continue;
        const QDateTime last = Read_Remote_State(cache_dir, calendar).last_attempt;
        // A last attempt in the future (the clock was set back) counts as none.
        QDateTime due = last.isValid() && last <= now
                            ? last.addSecs(qint64(calendar.refresh_minutes) * 60)
                            : now;
        if (due < now)
            due = now;
        if (!next.isValid() || due < next)
            next = due;
    }
    return next;
}

QString Remote_State_Text(const RemoteCacheState& state, const QLocale& locale) {
    const auto when = [&](const QDateTime& time) {
        const QDateTime local = time.toLocalTime();
        return locale.toString(local.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
               locale.toString(local.time(), QLocale::ShortFormat);
    };
    if (!state.error.isEmpty())
        return state.last_attempt.isValid()
                   ? when(state.last_attempt) + QStringLiteral(": ") + state.error
                   : state.error;
    if (state.last_success.isValid())
        return QStringLiteral("Refreshed ") + when(state.last_success);
    return QStringLiteral("Not refreshed yet");
}
