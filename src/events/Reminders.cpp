#include "events/Reminders.h"

#include "calendar/General_Mod.h"
#include "events/EventStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

QString Reminder_Summary(const QDate& day, const QDate& today, const QLocale& locale) {
    const qint64 ahead = today.daysTo(day);
    if (ahead == 0)
        return QStringLiteral("Today");
    if (ahead == 1)
        return QStringLiteral("Tomorrow");
    return locale.dayName(day.dayOfWeek()) + QLatin1Char(' ') + Format_Short_Date(day, locale);
}

namespace {
// The text of the record the calendar shows for key's day, or a null string.
QString Day_Note(const QStringList& records, const QString& key) {
    const DayRecord found = Find_Day_Record(records, key);
    if (found.index < 0)
        return QString();
    return Unescape_Event_Text(Record_Text(records[found.index]));
}
} // namespace

QList<ReminderDay> Reminder_Days(const QStringList& records, const QDate& today, int days_ahead,
                                 const QLocale& locale, const Reminder_Lines& more_lines) {
    QList<ReminderDay> days;
    const int last = std::clamp(days_ahead, 0, Max_Remind_Days);
    for (int ahead = 0; ahead <= last; ++ahead) {
        const QDate day = today.addDays(ahead);
        QStringList notes;
        const QString note = Day_Note(records, Event_Key(day));
        if (!note.isNull())
            notes << note;
        if (day.month() == 2 && day.day() == 28 && !QDate::isLeapYear(day.year())) {
            const QString leap_note = Day_Note(records, QStringLiteral("29/2/9999"));
            if (!leap_note.isNull())
                notes << leap_note;
        }
        if (more_lines)
            notes << more_lines(day);
        if (!notes.isEmpty()) {
            days.append(ReminderDay{day, Reminder_Summary(day, today, locale),
                                    notes.join(QLatin1Char('\n'))});
        }
    }
    return days;
}

QString Reminder_Alert_Text(const QList<ReminderDay>& days, const QDate& today) {
    QStringList parts;
    for (const ReminderDay& day : days) {
        if (day.day > today)
            parts << day.summary + QStringLiteral(": ") + day.body;
    }
    return parts.join(QStringLiteral("\r\n\r\n"));
}

QTime Remind_Time_Of(const QString& text) {
    const QTime time = QTime::fromString(text.trimmed(), QStringLiteral("H:mm"));
    return time.isValid() ? time : QTime(9, 0);
}

qint64 Next_Reminder_Ms(const QDateTime& now, const QTime& remind_time, const QDate& last_shown) {
    const QDate today = now.date();
    const bool shown_today = last_shown.isValid() && last_shown >= today;
    if (!shown_today && now.time() >= remind_time)
        return 0;
    const QDate next_day = shown_today ? today.addDays(1) : today;
    const QDateTime next(next_day, remind_time, now.timeSpec());
    // A time the zone skips (the hour of a change to summer time) still comes within a day.
    return std::max<qint64>(now.msecsTo(next), 1);
}

QString Reminder_State_Path() {
    QString home = qEnvironmentVariable("XDG_STATE_HOME");
    if (home.isEmpty() || !QDir::isAbsolutePath(home))
        home = QDir::homePath() + QStringLiteral("/.local/state");
    return home + QStringLiteral("/Almanor/reminders");
}

QDate Read_Reminded_Day(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QDate();
    return QDate::fromString(QString::fromLatin1(file.read(64)).trimmed(), Qt::ISODate);
}

bool Write_Reminded_Day(const QString& path, const QDate& day) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(day.toString(Qt::ISODate).toLatin1() + '\n');
    return file.commit();
}
