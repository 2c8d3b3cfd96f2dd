#pragma once

#include "platform/Platform.h"

#include <QString>
#include <QStringList>

// The desktops whose wallpaper is set through their own tools, and the bare X server whose
// wallpaper is the root window's pixmap.
enum class DesktopFamily { Gnome, Cinnamon, Mate, Kde, Xfce, Lxqt, Bare_X };

// The family named by XDG_CURRENT_DESKTOP (a colon-separated list, first known name wins).
DesktopFamily Desktop_Family(const QString& current_desktop);

// Runs a program found on PATH; its standard output goes to out. False when it can't be started,
// doesn't end within ten seconds or ends with a non-zero status.
bool Run_Tool(const QString& program, const QStringList& arguments, QString* out = nullptr);
// The backdrops (one per monitor and workspace) in xfconf-query's listing of xfce4-desktop: the
// property paths before "/last-image".
QStringList Xfce_Backdrops(const QString& listing);

// Sets the wallpaper with the tools of a desktop family other than Bare_X (GNOME and Budgie:
// gsettings org.gnome.desktop.background; Cinnamon: org.cinnamon.desktop.background; MATE:
// org.mate.background; KDE Plasma: evaluateScript over D-Bus with qdbus or dbus-send; XFCE:
// xfconf-query; LXQt: pcmanfm-qt). An empty path removes the picture. When a step fails, the
// settings already changed are put back and false is returned.
bool Set_Wallpaper_With_Tools(DesktopFamily family, const QString& path, WallpaperFit fit);

// Sets Plasma's wallpaper on every desktop: image as its configuration holds it (a file URI),
// and the fill mode when not empty (a number as text).
bool Set_Plasma_Wallpaper(const QString& image, const QString& fill_mode);

// The picture the desktop of a family other than Bare_X shows, asked of its tools or read from
// its configuration file; empty when it can't be found out or there is none.
QString Wallpaper_From_Tools(DesktopFamily family);
// The path in a setting as a desktop tool prints it: a GVariant string ('file:///a%20b.jpg'), a
// file URI or a plain path. Empty for an empty setting or any other kind of URI.
QString Picture_Path_From_Setting(const QString& printed);
// The value of the first line "key=..." of a configuration file's text, after "[section]" when
// section isn't empty (a section whose header contains it); empty when there is none.
QString Config_File_Value(const QString& text, const QString& section, const QString& key);

// A text as a GVariant string literal, as gsettings reads it.
QString GVariant_String(const QString& text);
