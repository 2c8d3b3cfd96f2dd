#pragma once

#include <QString>
#include <QtGlobal>

// The balloon's title for a day d days from today: "Today", "Tomorrow", "Yesterday",
// "2 days time", "5 days ago".
QString Balloon_Title(qint64 days_from_today);

// Where the balloon goes, in twips. A box is measured in pixels inside the calendar window
// (start and size along one axis); window_start is the window's left or top in twips, balloon
// the balloon's width or height in twips, and work_area_size the work area's width or height.
// The balloon hangs just after the box, or before it when it would reach the work area's edge:
// above with a gap of 125 twips, to the left with none.
qint32 GetBalloonTop(qint32 box_top, qint32 box_height, double twips_per_pixel, qint32 window_top,
                     qint32 balloon_height, qint32 work_area_height);
qint32 GetBalloonLeft(qint32 box_left, qint32 box_width, double twips_per_pixel, qint32 window_left,
                      qint32 balloon_width, qint32 work_area_width);

// The font a balloon asks for: "Tahoma, if exists" becomes "Tahoma" when that font is installed,
// else "MS Sans Serif"; any other name stays.
QString Balloon_Font_Name(const QString& requested, bool tahoma_installed);

// Which window is active while a balloon is open.
enum class BalloonActivity { Balloon, Calendar, Other_Program_Window, Other_Program };
// Whether an open balloon stays, as its timer looks ten times a second. It goes once it lost the
// activity it had, or when another window of the program is active. A window manager may
// decline to activate it: it then stays while the calendar is active; and while another
// program's window stays active (the calendar lives below it), it stays like a tooltip as long as
// pointer_over (the pointer rests on the calendar or on the balloon).
bool Balloon_Stays(BalloonActivity active, bool was_active, bool pointer_over);
