#pragma once

#include "platform/Platform.h"

#include <QColor>
#include <QImage>
#include <QSize>

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
bool Set_Root_Pixmap(const QString& path, WallpaperFit fit);
// True when the root pixmap is still the one Set_Root_Pixmap made for the picture at path in
// this fit, for the screen's present size, and the picture's file is unchanged since (its size
// and modification time). Set_Root_Pixmap leaves that note in the root window's property
// _ALMANOR_WALLPAPER.
bool Root_Pixmap_Shows(const QString& path, WallpaperFit fit);
