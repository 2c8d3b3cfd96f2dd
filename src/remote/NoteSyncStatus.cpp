#include "remote/NoteSyncStatus.h"

#include "events/EventStore.h"

namespace {

QString When(const QDateTime& time, const QLocale& locale) {
    const QDateTime local = time.toLocalTime();
    return locale.toString(local.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
           locale.toString(local.time(), QLocale::ShortFormat);
}

// A stored text on one line, as typed: the tab's line has room for one.
QString One_Line(const QString& stored) {
    QString text = Unescape_Event_Text(stored);
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" / "));
    text.replace(QLatin1Char('\n'), QStringLiteral(" / "));
    return text;
}

} // namespace

QString Note_Sync_Brief(const NoteSyncState& state, const QLocale& locale) {
    if (!state.last_error.isEmpty())
        return QStringLiteral("Notes: ") + state.last_error;
    if (state.last_sync.isValid())
        return QStringLiteral("Notes, synced ") + When(state.last_sync, locale);
    return QStringLiteral("Notes, not synced yet");
}

QStringList Note_Sync_Lines(const NoteSyncState& state, const QString& read_error,
                            const QLocale& locale) {
    QStringList lines;
    if (state.last_sync.isValid())
        lines << QStringLiteral("Notes: last sync %1, %2 waiting")
                     .arg(When(state.last_sync, locale))
                     .arg(state.Waiting());
    else
        lines << QStringLiteral("Notes: not synced yet");
    if (!read_error.isEmpty())
        lines << read_error;
    if (!state.last_error.isEmpty())
        lines << QStringLiteral("Last try failed: ") + state.last_error;
    if (!state.conflicts.isEmpty())
        lines << QStringLiteral("Kept both texts: ") + One_Line(state.conflicts.first());
    return lines;
}

void Keep_Notes_In(QList<RemoteCalendar>& calendars, qsizetype index) {
    for (qsizetype i = 0; i < calendars.size(); ++i)
        calendars[i].keep_notes = i == index;
}
