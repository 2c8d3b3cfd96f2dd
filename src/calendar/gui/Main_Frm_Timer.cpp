// The date watch's tick and compact mode. Main_Frm_Wake.cpp decides when a tick runs.
#include "calendar/Clock.h"
#include "calendar/PlacementRules.h"
#include "calendar/gui/ColourLabel.h"
#include "calendar/gui/Main_Frm.h"
#include "calendar/gui/TransparentForm.h"
#include "settings/gui/Settings_Frm.h"

void Main_Frm::Date_Watch_Tick() {
    Dectect_Date_Timer_Timer();
}

// A tick reads only the clock, the active window and the work area; it touches no file and
// lays nothing out unless the day or the work area changed. It ends by arming the next wake-ups.
void Main_Frm::Dectect_Date_Timer_Timer() {
    Date_Watch_Check();
    // After the check, so that a new day's month is in place before its reminders.
    Check_Reminders(Current_Clock().Now());
    Arm_Date_Watch();
}

void Main_Frm::Date_Watch_Check() {
    // One reading of the clock serves the whole tick: each reading of the local time makes the C
    // library look at the time zone file again, ten times a second.
    const QDateTime now = Current_Clock().Now();
    const bool active = Is_Active_Window();
    if (active && InactiveShown) {
        Colour_Menus();
        InactiveShown = false;
    }
    if (!active && !InactiveShown) {
        Colour_Inactive();
        InactiveShown = true;
    }
    // "Trans Icons": the desktop here draws its icon labels without a background already.
    if (Settings.Auto_Compact == 1)
        Check_Auto_Compact(now);
    RePosition();
    const QString title = Title(now);
    if (Which_Month_Lbl->text() != title)
        Which_Month_Lbl->setText(title);

    const QDate today = now.date();
    const QString stamp = Day_Stamp(today);
    if (stamp == DayStamp)
        return;
    Alert_Shown = false;
    ViewMonth = qint16(today.month());
    ViewYear = qint16(today.year());
    Which_Month_Lbl->setText(Title(now));
    Set_Day_Headers();
    Get_Wallpaper_Stuff(Settings.Pack_Name);
    DayStamp = stamp;
    if (Compacted) {
        Load_Dates();
    } else {
        Setup_Boxes(ViewMonth, ViewYear);
        Set_Colours();
        Mark_Today();
        Load_Dates();
    }
}

void Main_Frm::Update_Timeout() {
    const QDateTime now = Current_Clock().Now();
    Compact_Deadline = now.addSecs(Settings.Idle_Seconds());
    Arm_Compact_Timer(now);
}

void Main_Frm::Check_Auto_Compact() {
    Check_Auto_Compact(Current_Clock().Now());
}

void Main_Frm::Check_Auto_Compact(const QDateTime& now) {
    // While the user works in another window of the program the deadline keeps moving.
    if (AutoCompacted || Compacted || Editor() || Balloon_Showing ||
        (Settings_Window() && Settings_Window()->isVisible())) {
        Update_Timeout();
        return;
    }
    if (!Compact_Deadline.isValid() || now.secsTo(Compact_Deadline) < 1) {
        AutoCompacted = true;
        Compact_Mode();
    }
}

void Main_Frm::Compact_Mode() {
    if (!Compacted) {
        Prev_Month_Lbl->setVisible(false);
        Next_Month_Lbl->setVisible(false);
        Compact_Layout(layout_);
        setFixedHeight(Scale().Y_Pixels(layout_.window_height));
        Compacted = true;
        TransparentForm(this);
        Position_Form(Settings.Effective_Position());
        return;
    }
    Update_Timeout();
    AutoCompacted = false;
    Prev_Month_Lbl->setVisible(true);
    Next_Month_Lbl->setVisible(true);
    Compacted = false;
    Refresh_Calendar();
}

void Main_Frm::RePosition() {
    if (Absorb_Work_Area_Change(WorkAreaMemo, GetDesktopRect()))
        Position_Form(Settings.Effective_Position());
}
