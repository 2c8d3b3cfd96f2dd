#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTime>

#include <functional>

// Reminders ahead of time: the notes of today and of the next days, told once a day at a chosen
// time of day, and the record of the last day they were told.

// The notes of one day: the summary names the day, the body holds its notes, one a line.
struct ReminderDay {
    QDate day;
    QString summary;
    QString body;
    bool operator==(const ReminderDay&) const = default;
};

// The most days ahead a reminder looks.
constexpr int Max_Remind_Days = 30;

// "Today", "Tomorrow", or the weekday and the short date in the locale's form.
QString Reminder_Summary(const QDate& day, const QDate& today, const QLocale& locale = QLocale());

// Each day from today to days_ahead days later (0 to 30) that has a note in records, in order.
// A day's note is the record the calendar shows for it. An every-year note of 29 February is
// told on 28 February in a year without a 29th, so that it is never skipped for three years.
// more_lines, when given, adds lines of other sources after a day's notes (the remote
// calendars' events, one a line).
using Reminder_Lines = std::function<QStringList(const QDate& day)>;
QList<ReminderDay> Reminder_Days(const QStringList& records, const QDate& today, int days_ahead,
                                 const QLocale& locale = QLocale(),
                                 const Reminder_Lines& more_lines = {});

// The alert box's text for days after today (today's own note has the "Today: " alert): each day
// as "summary: body", separated by blank lines. Empty when there is none.
QString Reminder_Alert_Text(const QList<ReminderDay>& days, const QDate& today);

// The time of day of a "Remind Time" value (HH:MM, 24-hour); 09:00 for anything else.
QTime Remind_Time_Of(const QString& text);

// The delay in milliseconds from now to the next reminder: 0 when today's are due (the time has
// passed and last_shown is before today), else to the reminder time of today or of tomorrow.
qint64 Next_Reminder_Ms(const QDateTime& now, const QTime& remind_time, const QDate& last_shown);

// The state file: the last day whose reminders were shown, as yyyy-MM-dd.
// $XDG_STATE_HOME/Almanor/reminders, or ~/.local/state/Almanor/reminders.
QString Reminder_State_Path();
// An invalid date when the file is missing or holds no date.
QDate Read_Reminded_Day(const QString& path);
// Writes the day atomically (the folder is made when missing); false when it can't be written.
bool Write_Reminded_Day(const QString& path, const QDate& day);
