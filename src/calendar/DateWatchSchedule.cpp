#include "calendar/DateWatchSchedule.h"

#include "calendar/AppSettings.h"
#include "calendar/General_Mod.h"

namespace {
// The smallest unit of time a title-strip time format shows, outside quoted text: "z" for
// milliseconds, "s" for seconds, anything else changes at most once a minute.
qint64 Format_Step_Ms(const QString& format) {
    qint64 step = 60'000;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        else if (!quoted && c == QLatin1Char('z'))
            return 100;
        else if (!quoted && c == QLatin1Char('s'))
            step = 1'000;
    }
    return step;
}
} // namespace

qint64 Title_Clock_Step_Ms(const AppSettings& settings, qint16 view_month, qint16 view_year,
                           const QDateTime& now) {
    if (!settings.Bar_Time)
        return 0;
    // The same cases as Title_Text: the one-line style and other months show no clock.
    const bool pack_style = settings.Use_Themes == 1 && settings.Use_Theme_Style == 1;
    if (settings.Style == 2 && !pack_style)
        return 0;
    const QDate today = now.date();
    if (Date_Serial(view_year, view_month, today.day()) != today)
        return 0;
    return Format_Step_Ms(settings.Bar_Time_Format);
}

qint64 Title_Clock_Wake_Ms(const AppSettings& settings, qint16 view_month, qint16 view_year,
                           const QDateTime& now) {
    const qint64 step = Title_Clock_Step_Ms(settings, view_month, view_year, now);
    if (step == 0)
        return -1;
    const qint64 into_step = now.time().msecsSinceStartOfDay() % step;
    return step - into_step;
}

qint64 Next_Midnight_Ms(const QDateTime& now) {
    const QDateTime midnight(now.date().addDays(1), QTime(0, 0), now.timeSpec());
    const qint64 ms = now.msecsTo(midnight);
    // A midnight the zone skips (a change to summer time at 0:00) still comes within a day.
    return ms > 0 ? ms : 1;
}

qint64 Compact_Wake_Ms(const QDateTime& deadline, const QDateTime& now) {
    if (!deadline.isValid())
        return -1;
    // Reached when fewer than 1000 ms are left (whole seconds to the deadline below 1).
    return std::max<qint64>(now.msecsTo(deadline) - 999, 0);
}
