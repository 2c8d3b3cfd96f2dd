#include "calendar/CalendarInput.h"

#include <array>

namespace {

constexpr std::array<CalendarKey, 8> Keys{{
    {112, "F1", CalendarCommand::Todays_Event, "Shows today's event, when today has one."},
    {113, "F2", CalendarCommand::Previous_Month, "Goes back a month."},
    {114, "F3", CalendarCommand::Todays_Month, "Goes to today's month."},
    {115, "F4", CalendarCommand::Next_Month, "Goes forward a month."},
    {116, "F5", CalendarCommand::Refresh,
     "Draws the month again and reads its events afresh from calendar.dat."},
    {119, "F8", CalendarCommand::Settings, "Opens the settings window."},
    {120, "F9", CalendarCommand::Next_Box_Style, "Switches the day boxes to the next style."},
    {123, "F12", CalendarCommand::Compact_Mode,
     "Shrinks the calendar to its title strip (compact mode), or brings the month back."},
}};

constexpr std::array<CalendarMouseAction, 10> Mouse_Actions{{
    {"Double-click a day box", "Opens the editor to write or change that day's event."},
    {"Right-click a day box",
     "The day menu: Clear (deletes the day's event), Edit, Settings and Exit."},
    {"Point at a day box with an event",
     "Shows the event as a tooltip (with standard tooltips chosen on the Tooltips tab)."},
    {"Hold the left button on a day box with an event",
     "Shows the event in a balloon (with balloon tooltips chosen on the Tooltips tab)."},
    {"Click \"<\" or \">\"", "Goes back or forward a month."},
    {"Right-click \"<\" or \">\"", "A menu of the twelve months of the year shown."},
    {"Right-click the title strip",
     "A menu of the two years before and after the one shown, and \"Current Month\\Year\"; in "
     "compact mode the one item \"Expand\"."},
    {"Double-click the title strip", "Compact mode on or off, as F12."},
    {"Drag the title strip",
     "Moves the calendar, with Manual Position chosen or dragging allowed in the settings."},
    {"Right-click a weekday's name", "\"Set as Start Day\" makes that day the first column."},
}};

QString Escaped(const char* text) {
    return QString::fromUtf8(text).toHtmlEscaped();
}

} // namespace

std::span<const CalendarKey> Calendar_Keys() {
    return Keys;
}

std::span<const CalendarMouseAction> Calendar_Mouse_Actions() {
    return Mouse_Actions;
}

std::optional<CalendarCommand> Key_Command(qint16 code) {
    for (const CalendarKey& key : Keys) {
        if (key.code == code)
            return key.command;
    }
    return std::nullopt;
}

QString Help_Input_Html() {
    QString html = QStringLiteral("<h2>Keys</h2>\n<p>While the calendar is the active window:</p>\n"
                                  "<table>\n");
    for (const CalendarKey& key : Keys)
        html += QStringLiteral("<tr><td><kbd>") + Escaped(key.name) +
                QStringLiteral("</kbd></td><td>") + Escaped(key.help) +
                QStringLiteral("</td></tr>\n");
    html += QStringLiteral("</table>\n\n<h2>Mouse</h2>\n<table>\n");
    for (const CalendarMouseAction& mouse : Mouse_Actions)
        html += QStringLiteral("<tr><td>") + Escaped(mouse.action) + QStringLiteral("</td><td>") +
                Escaped(mouse.help) + QStringLiteral("</td></tr>\n");
    return html + QStringLiteral("</table>\n");
}

QString Fill_Help_Page(const QString& page_template) {
    const QString marker = QString::fromLatin1(Help_Input_Marker);
    const qsizetype at = page_template.indexOf(marker);
    if (at < 0)
        return page_template;
    const qsizetype line_start = page_template.lastIndexOf(QLatin1Char('\n'), at) + 1;
    qsizetype line_end = page_template.indexOf(QLatin1Char('\n'), at);
    line_end = line_end < 0 ? page_template.size() : line_end + 1;
    return page_template.left(line_start) + Help_Input_Html() + page_template.mid(line_end);
}
