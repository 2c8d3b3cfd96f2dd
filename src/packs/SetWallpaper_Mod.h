#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

// The desktop wallpaper and its values under HKEY_CURRENT_USER "Control Panel\Desktop":
//   display mode  style word  TileWallpaper  WallpaperStyle
//   0             CENTER      "0"            "0"
//   1             TILED       "1"            "0"
//   2             STRETCH     "0"            "2"
//   other         ""          "0"            "2"
// The platform records the path it set as the value "Wallpaper" of the same key.

inline const QString Desktop_Key = QStringLiteral("Control Panel\\Desktop");

// The style word of a display mode.
QString Wallpaper_Style_Word(qint16 display_mode);
// Sets the wallpaper in a display mode; an empty path removes the picture. Never reports.
void SetWallpaper(const QString& path, qint16 display_mode);
// Writes TileWallpaper and WallpaperStyle for the style word, then sets the wallpaper: "CENTER"
// centres it, "TILED" tiles it, any other word stretches it. Words compare case-sensitively.
void SetWallpaperByName(const QString& path, const QString& style_word);
// Writes one string value, creating the key when it is missing. root is a root name ("HKCU").
// Errors are ignored.
void SetRegistryString(const QString& root, const QString& key, const QString& value_name,
                       const QString& value);
// A string value of "Control Panel\Desktop"; nothing when it is missing.
std::optional<QString> Desktop_Value(const QString& value_name);
// The display mode a pair of TileWallpaper and WallpaperStyle values stands for: 1 tiled,
// 2 stretched, 0 centred; -1 for any other pair.
qint16 Display_Mode_Of(const QString& tile_wallpaper, const QString& wallpaper_style);
// The wallpaper path last set, as recorded in the registry; "NONE" when nothing is recorded.
QString Current_Wallpaper();
