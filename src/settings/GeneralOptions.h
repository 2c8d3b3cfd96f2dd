#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class SettingsStore;
struct AppSettings;

// The items of the title-bar format lists.
QStringList Bar_Time_Formats();
QStringList Bar_Date_Formats();
// The items of the compact-mode delay lists: "1" to "60", and "Seconds", "Minutes".
QStringList Timeout_Values();
QStringList Timeout_Formats();

// The idle time typed or chosen in the delay list: a whole number from 1 to 60 (blanks around it
// allowed). Empty for anything else, which must not be stored.
std::optional<qint16> Parse_Timeout_Value(const QString& text);

// The controls of the "Settings" tab that Apply compares with the settings record.
struct GeneralChoices {
    QString timeout_value; // the text of the delay list
    qint16 carriage_return = 0;
    qint16 timeout_format = 0;
    qint16 trans_icons = 0;
    qint16 show_splash = 1;
    qint16 show_alerts = 1;
    qint16 allow_dragging = 1;
    qint16 auto_compact = 0;
    // The "Reminders" frame: days ahead (0 to 30), the time (HH:MM), desktop notifications.
    qint16 remind_days = 0;
    QString remind_time = QStringLiteral("09:00");
    qint16 use_notifications = 1;
};
// The choices as the settings record holds them now.
GeneralChoices Current_General_Choices(const AppSettings& settings);

struct GeneralSaveResult {
    // "Auto Compact" changed: the calendar's compact-mode countdown must start again.
    bool auto_compact_changed = false;
    // The delay text that was not stored because it is no whole number from 1 to 60.
    std::optional<QString> refused_timeout;
};
// Apply's general step: each option that differs from the settings record is stored (section
// "Settings"), in the order "Timeout Value", "Carriage_Return", "Timeout Format", "Trans Icons",
// "Show Splash", "Show Alerts", "Allow Dragging", "Auto Compact", then "Remind Days" (held within
// 0 to 30), "Remind Time" and "Use Notifications". A delay text the user changed
// that isn't a whole number from 1 to 60 leaves "Timeout Value" as it was and is returned as
// refused; the text of the stored time, whatever its value, is no change.
GeneralSaveResult Save_General_Choices(SettingsStore& store, AppSettings& settings,
                                       const GeneralChoices& choices);
// The message that tells the user which delay was refused.
QString Refused_Timeout_Message(const QString& text, qint16 kept);

// Stores the tooltip kind (0 none, 1 standard, 2 balloons) when it changed; true when it did.
bool Save_Tooltips_Choice(SettingsStore& store, AppSettings& settings, qint16 selected);

// Apply's title-bar step: always stores "Bar Time", "Bar Time Format" and "Bar Date Format".
void Save_Title_Bar_Choices(SettingsStore& store, AppSettings& settings, bool bar_time,
                            const QString& time_format, const QString& date_format);

// The "Tooltips" tab's texts for each kind (0 none, 1 standard, 2 balloons): the caption that
// says how to make a tip appear, the tooltip of the example labels and the notes paragraph.
QString Tips_Trigger_Text(qint16 kind);
QString Tips_Example_Tooltip(qint16 kind);
QString Tips_Notes_Text(qint16 kind);
// The example's caption and its balloon text.
QString Tips_Example_Text();
