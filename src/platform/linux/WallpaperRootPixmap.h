#pragma once

#include "platform/Platform.h"

#include <QColor>
#include <QImage>
#include <QSize>

#include <optional>

// The picture of a whole screen of the given size: the picture centred on the background colour
// (cut at the screen's edges when larger), tiled from the top-left corner, or stretched to fill
// the screen. A null picture gives the background colour alone.
QImage Compose_Wallpaper(const QImage& picture, const QSize& screen, WallpaperFit fit,
                         const QColor& background);

// The wallpaper of a bare X server: the composed picture becomes the root window's background
// pixmap and is announced in _XROOTPMAP_ID and ESETROOT_PMAP_ID for programs that draw the
// desktop behind them. The pixmap outlives this program (RetainPermanent on a connection of its
// own); the one set before by the same means is freed. An empty path shows the background colour.
// False, changing nothing, when there is no X server or the picture can't be loaded.
// noted: leave the note Root_Pixmap_Shows reads (a picture put back for the user gets none).
bool Set_Root_Pixmap(const QString& path, WallpaperFit fit, bool noted = true);
// True when the root pixmap is still the one Set_Root_Pixmap made for the picture at path in
// this fit, for the screen's present size, and the picture's file is unchanged since (its size
// and modification time). Set_Root_Pixmap leaves that note in the root window's property
// _ALMANOR_WALLPAPER.
bool Root_Pixmap_Shows(const QString& path, WallpaperFit fit);

// The bare X server's own background, before this program set one: the picture of the root
// pixmap another program left (saved as "root.png" in folder, value "picture"), else the root
// window's background colour (value "pixel", the pixel value of the root visual). Nothing when
// the root shows a picture this program set, or there is no X server.
std::optional<WallpaperRecord> Record_Root_Background(const QString& folder);
// Puts such a record back: the picture tiled from the top-left corner as the root pixmap, or
// the colour as the root window's background with no pixmap announced.
bool Restore_Root_Background(const WallpaperRecord& record);
// The backend name of those records.
inline constexpr char Root_Backend[] = "x11-root";
