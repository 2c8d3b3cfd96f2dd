#pragma once

#include <QString>

class QWindow;
class RegistryBackend;

// How a wallpaper picture fills the desktop.
enum class WallpaperFit { Centre, Tile, Stretch };

// What the desktop provides. One backend per operating system, chosen in Platform.cpp; tests
// install a fake with Set_Platform where a real effect can't be observed.
class Platform {
  public:
    virtual ~Platform() = default;

    // The store behind the registry module.
    virtual RegistryBackend& Registry() = 0;

    // The desktop layer: keeps a top-level window below ordinary windows but above the desktop's
    // icon window, on every workspace, out of task bars and pagers, and in place while the
    // desktop is shown, while it still takes focus when clicked. Call it before the window is
    // first shown. Does nothing where the window system offers no such layer.
    virtual void Keep_On_Desktop(QWindow* window) { (void)window; }

    // Shows the picture at path as the desktop wallpaper; an empty path removes the picture.
    // Returns false, leaving the desktop as it was, when the desktop could not be changed.
    virtual bool Set_Desktop_Wallpaper(const QString& path, WallpaperFit fit) {
        (void)path;
        (void)fit;
        return false;
    }
    // True only when the desktop is known to show the picture at path, as it is in its file now,
    // in this fit, because this program set it so and nothing replaced it since. False whenever
    // that can't be told: the caller then sets the wallpaper again.
    virtual bool Desktop_Shows_Wallpaper(const QString& path, WallpaperFit fit) {
        (void)path;
        (void)fit;
        return false;
    }

    // The picture the desktop shows now, as a path; empty when the desktop can't say.
    virtual QString Desktop_Wallpaper() { return QString(); }

    // Opens a local file (the help page) with the desktop's default handler. False when nothing
    // could open it.
    virtual bool Open_File(const QString& path);
};

// The platform in force. Never null.
Platform& Current_Platform();
// Installs platform (not owned); nullptr restores the native backend.
void Set_Platform(Platform* platform);

// The systems this build runs on, as the About tab names them.
QString Build_Platforms();
