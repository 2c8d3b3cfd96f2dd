#pragma once

#include <QString>
#include <QtGlobal>

class SettingsStore;

// The in-memory settings record. One field per stored key, named after the key (spaces become
// underscores). Filled once at start-up by Load_Settings; every writer changes a field and its
// stored key together (Save_* helpers of SettingsStore.h).
struct AppSettings {
    // Section "Settings"
    qint16 Style = 1;
    qint16 Alignment = 0;
    QString Pack_Name = QStringLiteral("Default");
    qint16 Use_Themes = 0;
    qint16 Use_Theme_Pos = 0;
    qint16 Use_Theme_Style = 0;
    qint16 Show_Alerts = 1;
    qint16 Allow_Dragging = 1;
    bool Bar_Time = false;
    QString Bar_Time_Format = QStringLiteral("H:mm");
    QString Bar_Date_Format = QStringLiteral("d Month - yyyy");
    qint32 Manual_PosX = 0;
    qint32 Manual_PosY = 0;
    bool Use_Other_Display_Mode = false;
    qint16 Other_Display_Mode = 0;
    qint16 Auto_Compact = 0;
    qint16 Tooltips = 1;
    qint16 Settings_Tab = 4;
    qint16 Start_Day = 0;
    qint16 Show_Splash = 1;
    qint16 Trans_Icons = 0;
    qint16 Timeout_Value = 45;
    qint16 Timeout_Format = 0;
    qint16 Carriage_Return = 0;
    // Reminders: days ahead (0 to 30, 0 for today only), the time of day (HH:MM), and whether
    // they go to the desktop's notification service when it has one.
    qint16 Remind_Days = 0;
    QString Remind_Time = QStringLiteral("09:00");
    qint16 Use_Notifications = 1;

    // Section "Colours": 0x00BBGGRR, or 0x80000000 + n for system colour n.
    qint32 Today = 16761024;
    qint32 Normal = 16777215;
    qint32 Fore = 16777215;
    qint32 Num = -2147483630;
    qint32 Text = -2147483630;
    qint32 Back = 8390687;
    qint32 Inactive = -2147483645;
    qint16 Menu_Colour_Source = 1;

    // Taken from the current wallpaper pack; never stored.
    qint16 PackBoxStyle = 0;
    qint16 PackPosition = 0;

    // The pack's style when packs and "Use Theme Style" are both on, else "Style".
    qint16 Effective_Style() const {
        return (Use_Themes == 1 && Use_Theme_Style == 1) ? PackBoxStyle : Style;
    }
    // The pack's position when packs and "Use Theme Pos" are both on, else "Alignment".
    qint16 Effective_Position() const {
        return (Use_Themes == 1 && Use_Theme_Pos == 1) ? PackPosition : Alignment;
    }
    bool operator==(const AppSettings&) const = default;

    // Idle time before auto compact, in seconds.
    qint32 Idle_Seconds() const {
        return Timeout_Format == 1 ? qint32(Timeout_Value) * 60 : qint32(Timeout_Value);
    }
};
