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

    QString Desktop_Wallpaper() override { return desktop_picture; }

    QList<Wallpaper> wallpapers;
    // What the desktop says it shows; empty: it can't say.
    QString desktop_picture;

  private:
    Platform& native_;
};
