#include "packs/PacksTab.h"

#include "calendar/AppPath.h"
#include "calendar/AppSettings.h"
#include "calendar/General_Mod.h"
#include "calendar/SettingsStore.h"
#include "packs/OwnWallpaper.h"
#include "packs/PackFolder.h"
#include "packs/SetWallpaper_Mod.h"
#include "platform/Platform.h"
#include "registry/Registry.h"
#include "settings/StylePosition.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace {
const QString Current_User = QStringLiteral("HKCU");
const QString Wallpaper_Value = QStringLiteral("Wallpaper");
const QString Tile_Value = QStringLiteral("TileWallpaper");
const QString Style_Value = QStringLiteral("WallpaperStyle");

void Put_Desktop_Value(const QString& name, const std::optional<QString>& value) {
    if (value)
        Write_Value(Current_User, Desktop_Key, name, QStringLiteral("S"), *value);
    else
        Delete_Value(Current_User, Desktop_Key, name);
}

WallpaperFit Saved_Fit(const DesktopSnapshot& snapshot) {
    switch (Display_Mode_Of(snapshot.tile_wallpaper.value_or(QString()),
                            snapshot.wallpaper_style.value_or(QString()))) {
    case 0:
        return WallpaperFit::Centre;
    case 1:
        return WallpaperFit::Tile;
    default:
        return WallpaperFit::Stretch;
    }
}

void Store(SettingsStore& store, AppSettings& settings, const char* key, const QVariant& value) {
    Save_Setting(store, settings, QStringLiteral("Settings"), QString::fromLatin1(key), value);
}

// Where the desktop preview keeps a picture of the desktop it must put back.
QString Preview_Folder() {
    return QFileInfo(Settings_File_Path()).absolutePath() + QStringLiteral("/Preview Wallpaper");
}

bool Pack_Style_In_Use(const ThemeChoices& choices, const AppSettings& settings) {
    return settings.Use_Themes == 1 && choices.use_theme_style;
}
} // namespace

QStringList Pack_Folders(const QString& program_dir) {
    QStringList folders;
    const QDir dir(program_dir);
    const QStringList names =
        dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : names)
        folders.append(dir.filePath(name));
    return folders;
}

bool All_Files(const QString& folder) {
    if (!File_Exists(folder + QStringLiteral("/settings.ini")))
        return false;
    for (int month = 1; month <= 12; ++month) {
        if (!File_Exists(folder + QStringLiteral("/%1.jpg").arg(month)))
            return false;
    }
    return true;
}

QStringList Valid_Packs(const QString& program_dir) {
    QStringList packs;
    for (const QString& folder : Pack_Folders(program_dir)) {
        if (All_Files(folder))
            packs.append(folder.mid(folder.lastIndexOf(QLatin1Char('/')) + 1));
    }
    return packs;
}

QString Box_Style_Name(qint16 style) {
    switch (style) {
    case 0:
        return QStringLiteral("Thin Box");
    case 1:
        return QStringLiteral("Square Box");
    default:
        return QString();
    }
}

QString Display_Mode_Name(qint16 mode) {
    switch (mode) {
    case 0:
        return QStringLiteral("Center");
    case 1:
        return QStringLiteral("Tile");
    case 2:
        return QStringLiteral("Stretch");
    default:
        return QString();
    }
}

MonthDetailLabels Month_Detail_Labels(const QString& details) {
    MonthDetailLabels labels;
    if (!Paper_Details_Valid(details))
        return labels;
    labels.position = QStringLiteral("Position: ") + Position_Name(Get_Paper_Pos(details));
    labels.box_style = QStringLiteral("Box Style: ") + Box_Style_Name(Get_Paper_BoxStyle(details));
    labels.display =
        QStringLiteral("Display: ") + Display_Mode_Name(Get_Paper_DisplayMode(details));
    return labels;
}

void Store_Theme_Choices(const ThemeChoices& choices, AppSettings& settings, SettingsStore& store) {
    const qint16 use_themes = choices.use_themes ? 1 : 0;
    if (use_themes != settings.Use_Themes) {
        Packs_Switched(settings.Use_Themes, use_themes, App_Path());
        Store(store, settings, "Use Themes", use_themes);
    }
    const qint16 use_pos = choices.use_theme_pos ? 1 : 0;
    if (use_pos != settings.Use_Theme_Pos)
        Store(store, settings, "Use Theme Pos", use_pos);
    const qint16 use_style = choices.use_theme_style ? 1 : 0;
    if (use_style != settings.Use_Theme_Style)
        Store(store, settings, "Use Theme Style", use_style);
    if (!choices.pack.isEmpty() && choices.pack != settings.Pack_Name)
        Store(store, settings, "Pack Name", choices.pack);
    Store(store, settings, "Style", choices.style);
    if (!(settings.Use_Themes == 1 && choices.use_theme_pos))
        Store(store, settings, "Alignment",
              choices.manual_position ? qint16(7) : choices.set_position);
}

bool Theme_Renews_Calendar(const ThemeChoices& choices, const AppSettings& settings) {
    return !(Pack_Style_In_Use(choices, settings) && choices.pack.isEmpty());
}

qint16 Theme_Box_Style(const ThemeChoices& choices, const AppSettings& settings) {
    return Pack_Style_In_Use(choices, settings) ? settings.PackBoxStyle : settings.Style;
}

std::optional<qint16> Theme_Position(const ThemeChoices& choices, const AppSettings& settings) {
    if (settings.Use_Themes == 1 && choices.use_theme_pos) {
        if (choices.pack.isEmpty())
            return std::nullopt;
        return settings.PackPosition;
    }
    return settings.Alignment;
}

AppSettings Preview_Settings(AppSettings settings, const ThemeChoices& choices,
                             bool use_other_display_mode, qint16 other_display_mode) {
    settings.Use_Themes = choices.use_themes ? 1 : 0;
    settings.Use_Theme_Style = choices.use_theme_style ? 1 : 0;
    settings.Use_Theme_Pos = choices.use_theme_pos ? 1 : 0;
    settings.Style = choices.style;
    settings.Alignment = choices.manual_position ? qint16(7) : choices.set_position;
    settings.Use_Other_Display_Mode = use_other_display_mode;
    settings.Other_Display_Mode = other_display_mode;
    return settings;
}

QString Preview_Caption(qint16 month) {
    return QStringLiteral("Preview Mode - ") + QLocale().monthName(month, QLocale::LongFormat);
}

QString Current_Desktop_Picture() {
    const QString asked = Current_Platform().Desktop_Wallpaper();
    if (!asked.isEmpty())
        return asked;
    return Desktop_Value(Wallpaper_Value).value_or(QString());
}

DesktopSnapshot Take_Desktop_Snapshot() {
    DesktopSnapshot snapshot;
    // A colour or a picture only the desktop knows (a bare X server's) would otherwise come back
    // as no picture at all.
    if (QDir().mkpath(Preview_Folder()))
        snapshot.settings = Current_Platform().Record_Desktop_Wallpaper(Preview_Folder());
    snapshot.picture = Current_Desktop_Picture();
    snapshot.wallpaper = Desktop_Value(Wallpaper_Value);
    snapshot.tile_wallpaper = Desktop_Value(Tile_Value);
    snapshot.wallpaper_style = Desktop_Value(Style_Value);
    return snapshot;
}

void Restore_Desktop(const DesktopSnapshot& snapshot) {
    Platform& platform = Current_Platform();
    const bool shown =
        (snapshot.settings && platform.Restore_Desktop_Wallpaper(*snapshot.settings)) ||
        platform.Set_Desktop_Wallpaper(snapshot.picture, Saved_Fit(snapshot));
    QDir(Preview_Folder()).removeRecursively();
    Put_Desktop_Value(Tile_Value, snapshot.tile_wallpaper);
    Put_Desktop_Value(Style_Value, snapshot.wallpaper_style);
    if (shown)
        Put_Desktop_Value(Wallpaper_Value, snapshot.wallpaper);
}
