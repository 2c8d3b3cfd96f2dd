#include "packs/SetWallpaper_Mod.h"

#include "platform/Platform.h"
#include "registry/Registry.h"

namespace {
const QString Current_User = QStringLiteral("HKCU");
} // namespace

QString Wallpaper_Style_Word(qint16 display_mode) {
    switch (display_mode) {
    case 0:
        return QStringLiteral("CENTER");
    case 1:
        return QStringLiteral("TILED");
    case 2:
        return QStringLiteral("STRETCH");
    default:
        return QString();
    }
}

void SetWallpaper(const QString& path, qint16 display_mode) {
    SetWallpaperByName(path, Wallpaper_Style_Word(display_mode));
}

void SetWallpaperByName(const QString& path, const QString& style_word) {
    WallpaperFit fit = WallpaperFit::Stretch;
    QString tile = QStringLiteral("0");
    QString style = QStringLiteral("2");
    if (style_word == QLatin1String("CENTER")) {
        fit = WallpaperFit::Centre;
        style = QStringLiteral("0");
    } else if (style_word == QLatin1String("TILED")) {
        fit = WallpaperFit::Tile;
        tile = QStringLiteral("1");
        style = QStringLiteral("0");
    }
    SetRegistryString(Current_User, Desktop_Key, QStringLiteral("TileWallpaper"), tile);
    SetRegistryString(Current_User, Desktop_Key, QStringLiteral("WallpaperStyle"), style);
    Current_Platform().Set_Desktop_Wallpaper(path, fit);
}

void SetRegistryString(const QString& root, const QString& key, const QString& value_name,
                       const QString& value) {
    Write_Value(root, key, value_name, QStringLiteral("S"), value);
}

QString Current_Wallpaper() {
    QVariant path;
    Read_Value(Current_User, Desktop_Key, QStringLiteral("Wallpaper"), QStringLiteral("S"),
               QStringLiteral("NONE"), path);
    return path.toString();
}

std::optional<QString> Desktop_Value(const QString& value_name) {
    QVariant value;
    if (Read_Value(Current_User, Desktop_Key, value_name, QStringLiteral("S"), QString(), value) !=
        0)
        return std::nullopt;
    return value.toString();
}

qint16 Display_Mode_Of(const QString& tile_wallpaper, const QString& wallpaper_style) {
    if (tile_wallpaper == QLatin1String("1") && wallpaper_style == QLatin1String("0"))
        return 1;
    if (tile_wallpaper == QLatin1String("0") && wallpaper_style == QLatin1String("2"))
        return 2;
    if (tile_wallpaper == QLatin1String("0") && wallpaper_style == QLatin1String("0"))
        return 0;
    return -1;
}
