// Reminders ahead of time: at the reminder time the notes of today and of the next days go to
// the desktop's notification service, or, without one, to the calendar's alert box.
#include "calendar/gui/Main_Frm.h"

#include "calendar/MsgBox.h"
#include "events/Reminders.h"
#include "platform/DesktopNotifier.h"
#include "remote/RemoteLink.h"

void Main_Frm::Set_Notifier(std::unique_ptr<DesktopNotifier> notifier) {
    notifier_ = std::move(notifier);
    connect(notifier_.get(), &DesktopNotifier::Show_Day, this, &Main_Frm::Show_Reminded_Day);
}

DesktopNotifier& Main_Frm::Notifier() {
    if (!notifier_)
        Set_Notifier(Make_Desktop_Notifier());
    return *notifier_;
}

qint64 Main_Frm::Reminder_Wake_Ms(const QDateTime& now) {
    // Days ahead need the reminder time; today's notes alone only where notices can go (without
    // a service the day's own "Today: " alert tells them, and the watch wakes at midnight only).
    if (Settings.Remind_Days <= 0 &&
        (Settings.Use_Notifications != 1 || !Notifier().May_Be_Available()))
        return -1;
    if (!reminded_read_) {
        reminded_day_ = Read_Reminded_Day(Reminder_State_Path());
        reminded_read_ = true;
    }
    return Next_Reminder_Ms(now, Remind_Time_Of(Settings.Remind_Time), reminded_day_);
}

void Main_Frm::Check_Reminders(const QDateTime& now) {
    if (Reminder_Wake_Ms(now) != 0)
        return;
    const QDate today = now.date();
    // Recorded first: a tick during the alert box, or a second start, finds them shown.
    reminded_day_ = today;
    Write_Reminded_Day(Reminder_State_Path(), today);
    bool read_ok = true;
    const QList<ReminderDay> days = Reminder_Days(
        Read_Event_Records(Temp_Lst.Path(), &read_ok), today, Settings.Remind_Days, QLocale(),
        [this](const QDate& day) {
            // The remote calendars' events of the day, after its note.
            const QString lines = Remote_Tip_Text(Remote_Day(day), QLocale());
            return lines.isEmpty() ? QStringList() : lines.split(QStringLiteral("\r\n"));
        });
    if (Settings.Use_Notifications == 1 && Notifier().Available()) {
        for (const ReminderDay& day : days)
            Notifier().Notify(day.day, day.summary, day.body);
        return;
    }
    // The alert box: today's note has its own "Today: " alert, this one tells the days ahead.
    const QString text = Reminder_Alert_Text(days, today);
    if (Settings.Show_Alerts != 1 || text.isEmpty())
        return;
    setEnabled(false);
    Msg_Box(text, MsgButtons::Ok, MsgIcon::Information, QStringLiteral("Almanor"));
    setEnabled(true);
}

void Main_Frm::Show_Reminded_Day(const QDate& day) {
    if (Compacted)
        Compact_Mode();
    Show_Month(qint16(day.month()), qint16(day.year()));
    show();
    raise();
    activateWindow();
    const qint16 index = Box_Index(day);
    if (index < 0 || ViewMonth != day.month() || ViewYear != day.year())
        return;
    Hovered_Box = index;
    Temp_Lst.current_key = Event_Key(day);
    Balloon_Tooltip(Temp_Lst.Get_Message(false));
}
