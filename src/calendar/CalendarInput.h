#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>
#include <span>

// Every key and mouse action of the calendar window, with the words the help page gives them.
// The key handling looks its commands up here, and the help page is written from the same
// tables, so the two can't tell different stories.

enum class CalendarCommand {
    Todays_Event,
    Previous_Month,
    Todays_Month,
    Next_Month,
    Refresh,
    Settings,
    Next_Box_Style,
    Compact_Mode,
};

struct CalendarKey {
    qint16 code;      // the classic key code (F1 = 112 .. F12 = 123), as Key_Code gives it
    const char* name; // the key as the help page names it
    CalendarCommand command;
    const char* help; // what the key does, in the help page's words
};

struct CalendarMouseAction {
    const char* action; // what the user does, e.g. "Double-click a day box"
    const char* help;   // what the calendar does then
};

std::span<const CalendarKey> Calendar_Keys();
std::span<const CalendarMouseAction> Calendar_Mouse_Actions();

// The command of a key code; nothing for keys the calendar has no use for.
std::optional<CalendarCommand> Key_Command(qint16 code);

// The help page's lists of keys and mouse actions, as HTML.
QString Help_Input_Html();
// The help page from its template: the line holding Help_Input_Marker becomes the lists.
// The template unchanged when it lacks the marker.
inline constexpr char Help_Input_Marker[] = "<!-- keys and mouse -->";
QString Fill_Help_Page(const QString& page_template);
