#pragma once

#include <QList>
#include <QString>

#include <optional>
#include <utility>

class QWindow;
class RegistryBackend;

// How a wallpaper picture fills the desktop.
enum class WallpaperFit { Centre, Tile, Stretch };

// The desktop's own wallpaper as the backend in use keeps it, so that exactly that can be put
// back: the backend's name and each setting's name and value as the backend gives them.
struct WallpaperRecord {
    QString backend;
    QList<std::pair<QString, QString>> values;
};

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

    // The wallpaper settings of the desktop in use. A picture that lives only in the window
    // system is saved as a file in folder. Nothing when the desktop can't say, or when what it
    // shows is a picture this program set.
    virtual std::optional<WallpaperRecord> Record_Desktop_Wallpaper(const QString& folder) {
        (void)folder;
        return std::nullopt;
    }
    // Puts back what Record_Desktop_Wallpaper gave. False when the desktop could not be changed
    // or the record belongs to another backend.
    virtual bool Restore_Desktop_Wallpaper(const WallpaperRecord& record) {
        (void)record;
        return false;
    }

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
