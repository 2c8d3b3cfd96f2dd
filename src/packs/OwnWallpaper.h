#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

struct WallpaperRecord;

// The user's own desktop wallpaper while wallpaper packs replace it. It is recorded when packs go
// from off to on and put back when they go off again, or when the pack in use goes (the Remover
// deletes it, or its folder is missing). The record lives beside the settings, in
// $XDG_CONFIG_HOME/Almanor/Own Wallpaper/, where the calendar and the Remover both find it.

// The folder of the record (with any picture the desktop kept only in the window system).
QString Own_Wallpaper_Folder();
// The record kept, if any.
std::optional<WallpaperRecord> Own_Wallpaper_Record();

// Records what the desktop shows, unless a record is kept already: a second "on" must not
// replace the user's wallpaper with a pack's picture. Nor is a picture of the program folder
// (a pack's) recorded as the user's. False when nothing new was recorded.
bool Record_Own_Wallpaper(const QString& program_dir);

// Packs are turned off: the recorded wallpaper is put back and the record forgotten. Without a
// record, or when the desktop refuses it, the wallpaper is cleared (the record is then kept for
// the next try).
void Put_Back_Own_Wallpaper();
// "Use Themes" went from before to after (the settings window's Apply, a configuration
// import): turned on, the user's wallpaper is recorded before a pack replaces it; turned off, it
// is put back.
void Packs_Switched(qint16 before, qint16 after, const QString& program_dir);

// The pack in use is gone (pack_folder): the same, except that without a record the wallpaper is
// only cleared while it is a picture of that pack, as last set by this program.
void Put_Back_Own_Wallpaper_After(const QString& pack_folder);
