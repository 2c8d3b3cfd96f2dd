#include "packs/MonthlyWallpaper.h"

#include "calendar/AppSettings.h"
#include "packs/SetWallpaper_Mod.h"

namespace {
// The details of the month, or an empty string (after telling the user when the file's item
// is unusable) when nothing should change.
QString Usable_Details(PackContext& context, const QString& pack, qint16 month) {
    const QString details = Get_Paper_Details(context, month, pack);
    if (details == Paper_Error)
        return QString();
    if (!Paper_Details_Valid(details)) {
        // Every caller needs three numbers: a month without them is a broken settings file.
        Report_Settings_File(context.program_dir, pack);
        return QString();
    }
    return details;
}

void Take_Pack_Layout(AppSettings& settings, const QString& details) {
    if (settings.Use_Theme_Style == 1)
        settings.PackBoxStyle = Get_Paper_BoxStyle(details);
    if (settings.Use_Theme_Pos == 1)
        settings.PackPosition = Get_Paper_Pos(details);
}

qint16 Mode_To_Set(const AppSettings& settings, const QString& details) {
    return settings.Use_Other_Display_Mode ? settings.Other_Display_Mode
                                           : Get_Paper_DisplayMode(details);
}

} // namespace

void Get_Wallpaper_Stuff(PackContext& context, const QString& pack, qint16 month) {
    if (context.settings.Use_Themes == 0)
        return;
    const QString details = Usable_Details(context, pack, month);
    if (details.isEmpty())
        return;
    Take_Pack_Layout(context.settings, details);
    const QString path = Get_Paper_Path(context.program_dir, pack, month);
    if (path == Paper_Error)
        return;
    SetWallpaper(path, Mode_To_Set(context.settings, details));
}

void Preview_Wallpaper_Stuff(PackContext& context, const QString& pack, qint16 month) {
    const QString details = Usable_Details(context, pack, month);
    if (details.isEmpty())
        return;
    Take_Pack_Layout(context.settings, details);
    const QString current = Current_Wallpaper();
    const QString path = Get_Paper_Path(context.program_dir, pack, month);
    if (path == Paper_Error)
        return;
    // Compare with the mode that would be set, so switching "Use Other Display Mode" is seen.
    const qint16 mode = Mode_To_Set(context.settings, details);
    const qint16 in_force = Current_Display_Mode();
    const qint16 wanted = (mode == 0 || mode == 1) ? mode : qint16(2);
    if (path == current && in_force == wanted)
        return;
    SetWallpaper(path, mode);
}

qint16 Current_Display_Mode() {
    return Display_Mode_Of(Desktop_Value(QStringLiteral("TileWallpaper")).value_or(QString()),
                           Desktop_Value(QStringLiteral("WallpaperStyle")).value_or(QString()));
}
