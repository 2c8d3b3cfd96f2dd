#include "platform/linux/LinuxPlatform.h"

#include "platform/linux/DesktopLayer.h"
#include "platform/linux/WallpaperRecordTools.h"
#include "platform/linux/WallpaperRootPixmap.h"
#include "platform/linux/WallpaperTools.h"

#include <QByteArray>

RegistryBackend& LinuxPlatform::Registry() {
    return registry_;
}

void LinuxPlatform::Keep_On_Desktop(QWindow* window) {
    Keep_Window_On_Desktop(window);
}

bool LinuxPlatform::Desktop_Shows_Wallpaper(const QString& path, WallpaperFit fit) {
    const DesktopFamily family = Desktop_Family(qEnvironmentVariable("XDG_CURRENT_DESKTOP"));
    return family == DesktopFamily::Bare_X && Root_Pixmap_Shows(path, fit);
}

bool LinuxPlatform::Set_Desktop_Wallpaper(const QString& path, WallpaperFit fit) {
    const DesktopFamily family = Desktop_Family(qEnvironmentVariable("XDG_CURRENT_DESKTOP"));
    const bool set = family == DesktopFamily::Bare_X ? Set_Root_Pixmap(path, fit)
                                                     : Set_Wallpaper_With_Tools(family, path, fit);
    if (!set)
        return false;
    // Where the system keeps the wallpaper path on the other platform.
    RegistryBackend::Key key = 0;
    if (registry_.Create_Key(HKEY_CURRENT_USER_Handle, QStringLiteral("Control Panel\\Desktop"),
                             KEY_SET_VALUE_Right, &key) == ERROR_SUCCESS_Code) {
        QByteArray data = path.toUtf8();
        data.append('\0');
        registry_.Set_Value(key, QStringLiteral("Wallpaper"), REG_SZ_Type, data.constData(),
                            static_cast<quint32>(data.size()));
        registry_.Close_Key(key);
    }
    return true;
}

QString LinuxPlatform::Desktop_Wallpaper() {
    const DesktopFamily family = Desktop_Family(qEnvironmentVariable("XDG_CURRENT_DESKTOP"));
    return family == DesktopFamily::Bare_X ? QString() : Wallpaper_From_Tools(family);
}

std::optional<WallpaperRecord> LinuxPlatform::Record_Desktop_Wallpaper(const QString& folder) {
    const DesktopFamily family = Desktop_Family(qEnvironmentVariable("XDG_CURRENT_DESKTOP"));
    return family == DesktopFamily::Bare_X ? Record_Root_Background(folder)
                                           : Record_With_Tools(family);
}

bool LinuxPlatform::Restore_Desktop_Wallpaper(const WallpaperRecord& record) {
    const DesktopFamily family = Desktop_Family(qEnvironmentVariable("XDG_CURRENT_DESKTOP"));
    return family == DesktopFamily::Bare_X ? Restore_Root_Background(record)
                                           : Restore_With_Tools(family, record);
}
