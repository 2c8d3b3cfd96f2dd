#pragma once

#include "platform/Platform.h"
#include "platform/linux/FileRegistry.h"

// The Linux desktop: a file-backed registry whose run-at-logon key is the XDG autostart folder,
// the X11 desktop layer and the wallpaper of the desktop in use.
class LinuxPlatform final : public Platform {
  public:
    RegistryBackend& Registry() override;
    void Keep_On_Desktop(QWindow* window) override;
    // Uses the tools of the desktop named by XDG_CURRENT_DESKTOP, or the root window's pixmap on
    // a bare X server. The path set is recorded as "Wallpaper" under "Control Panel\Desktop".
    bool Set_Desktop_Wallpaper(const QString& path, WallpaperFit fit) override;
    // Told on a bare X server only (the root pixmap carries a note of what it shows); the
    // desktops' own tools are always asked to set the picture.
    bool Desktop_Shows_Wallpaper(const QString& path, WallpaperFit fit) override;

    // Asks the tools of the desktop in use; on a bare X server nobody can say.
    QString Desktop_Wallpaper() override;

    // The keys of the desktop in use, or the root window's own picture or colour.
    std::optional<WallpaperRecord> Record_Desktop_Wallpaper(const QString& folder) override;
    bool Restore_Desktop_Wallpaper(const WallpaperRecord& record) override;

  private:
    FileRegistry registry_;
};
