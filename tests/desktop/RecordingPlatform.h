#pragma once

#include "platform/Platform.h"

#include <QList>
#include <QString>

// The native registry, but wallpaper changes are only recorded, so no test touches the desktop
// it runs on. Installs itself while it lives.
class RecordingPlatform final : public Platform {
  public:
    struct Wallpaper {
        QString path;
        WallpaperFit fit;
    };

    RecordingPlatform() : native_(Current_Platform()) { Set_Platform(this); }
    ~RecordingPlatform() override { Set_Platform(nullptr); }
    RecordingPlatform(const RecordingPlatform&) = delete;
    RecordingPlatform& operator=(const RecordingPlatform&) = delete;

    RegistryBackend& Registry() override { return native_.Registry(); }
    bool Set_Desktop_Wallpaper(const QString& path, WallpaperFit fit) override {
        wallpapers.append({path, fit});
        return true;
    }
    // The desktop shows what was set last, until desktop_replaced says another program changed it.
    bool Desktop_Shows_Wallpaper(const QString& path, WallpaperFit fit) override {
        return !desktop_replaced && !wallpapers.isEmpty() && wallpapers.last().path == path &&
               wallpapers.last().fit == fit;
    }

    QString Desktop_Wallpaper() override { return desktop_picture; }

    std::optional<WallpaperRecord> Record_Desktop_Wallpaper(const QString&) override {
        return own_wallpaper;
    }
    bool Restore_Desktop_Wallpaper(const WallpaperRecord& record) override {
        restored.append(record);
        return restore_works;
    }

    QList<Wallpaper> wallpapers;
    bool desktop_replaced = false;
    // What the desktop says it shows; empty: it can't say.
    QString desktop_picture;
    // The desktop's own settings as it would give them; the records put back, and whether the
    // desktop takes them.
    std::optional<WallpaperRecord> own_wallpaper;
    QList<WallpaperRecord> restored;
    bool restore_works = true;

  private:
    Platform& native_;
};
