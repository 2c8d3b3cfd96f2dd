#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>

#include "platform/Platform.h"

struct AppSettings;
class SettingsStore;

// The "Wallpaper" tab without its widgets: which folders are packs, the texts of the month
// preview, and what Apply stores for the packs and the box style and position.

// The sub-folders of the program folder, as full paths, in the order a folder list shows them
// (by name, ignoring case).
QStringList Pack_Folders(const QString& program_dir);
// True when the folder holds settings.ini and 1.jpg to 12.jpg (tested in that order).
bool All_Files(const QString& folder);
// The names of the packs of the program folder, each once, in folder-list order.
QStringList Valid_Packs(const QString& program_dir);

// Names of the codes of a month's details; empty for a code without a name.
QString Box_Style_Name(qint16 style);
QString Display_Mode_Name(qint16 mode);

// The three labels of the month preview. A details string that is "ERROR", empty or not three
// numbers leaves the bare captions "Position:", "Box Style:" and "Display:".
struct MonthDetailLabels {
    QString position = QStringLiteral("Position:");
    QString box_style = QStringLiteral("Box Style:");
    QString display = QStringLiteral("Display:");
};
MonthDetailLabels Month_Detail_Labels(const QString& details);

// The choices of the two tabs that Apply stores for the packs, the box style and the position.
struct ThemeChoices {
    bool use_themes = false;      // Theme_Use_Chk
    bool use_theme_pos = false;   // Theme_Pos_Chk
    bool use_theme_style = false; // Theme_Style_Chk
    QString pack;                 // the text of Packs_Cbo
    qint16 style = 1;             // the style option: 1, 0 or 2
    bool manual_position = false; // Pos_Manual_Opt
    qint16 set_position = 0;      // Get_Set_Position of the sliders
};

// Stores the choices, each in the record and the store: "Use Themes" when it changed (recording
// the user's own wallpaper when packs are turned on, putting it back when they are turned off),
// "Use Theme Pos" and "Use Theme Style" when they changed, "Pack Name" when a pack is chosen and it
// changed, "Style" always, and "Alignment" unless the pack's position is in use.
void Store_Theme_Choices(const ThemeChoices& choices, AppSettings& settings, SettingsStore& store);
// Whether the calendar takes the new wallpaper, headers, box style and events: not when the
// pack's style is to be used but no pack is chosen.
bool Theme_Renews_Calendar(const ThemeChoices& choices, const AppSettings& settings);
// The box style the calendar takes after the choices are stored: the pack's when packs and
// "Use Pack Style" are on.
qint16 Theme_Box_Style(const ThemeChoices& choices, const AppSettings& settings);
// The position the calendar takes after the choices are stored: the pack's when packs and
// "Use Pack Position when available" are on (nothing when no pack is chosen), else "Alignment".
std::optional<qint16> Theme_Position(const ThemeChoices& choices, const AppSettings& settings);

// The record the desktop preview plays with: the stored one with the tab's unapplied choices.
AppSettings Preview_Settings(AppSettings settings, const ThemeChoices& choices,
                             bool use_other_display_mode, qint16 other_display_mode);
// The month caption of the calendar while the preview shows month (1..12).
QString Preview_Caption(qint16 month);

// The picture the desktop shows now: asked of the desktop, else the path last recorded as
// "Wallpaper" under "Control Panel\Desktop"; empty when neither knows one.
QString Current_Desktop_Picture();

// What the desktop preview must put back: the desktop's own wallpaper settings where the desktop
// can give them (a picture kept only in the window system is saved in a folder beside the
// settings), the desktop's picture, and the three wallpaper values of "Control Panel\Desktop",
// each as found (nothing when it was missing).
struct DesktopSnapshot {
    QString picture;
    std::optional<QString> wallpaper;
    std::optional<QString> tile_wallpaper;
    std::optional<QString> wallpaper_style;
    std::optional<WallpaperRecord> settings;
};
DesktopSnapshot Take_Desktop_Snapshot();
// Puts the desktop's own settings back; where there are none (or the desktop refuses them),
// shows the picture again, in the display mode the saved values stand for (stretched when they
// stand for none). Then writes the saved values back exactly (removing those that were
// missing). The "Wallpaper" value is only put back when the desktop took the wallpaper, so that
// it never names a picture the desktop doesn't show.
void Restore_Desktop(const DesktopSnapshot& snapshot);
