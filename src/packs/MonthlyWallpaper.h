#pragma once

#include "packs/PackFolder.h"

// Sets the desktop wallpaper to the pack's picture for month (1..12) in the pack's display mode
// (or "Other Display Mode" when "Use Other Display Mode" is on), and takes the pack's box style
// and position into the settings record when "Use Theme Style" / "Use Theme Pos" are on. Does
// nothing while "Use Themes" is 0. The picture is converted once a month; the wallpaper is set on
// every call. A pack file without usable details for the month is reported and changes nothing.
// At start-up (unless_in_place) a wallpaper the desktop already shows, set by this program in
// the same mode from the same picture, is not set again.
void Get_Wallpaper_Stuff(PackContext& context, const QString& pack, qint16 month,
                         bool unless_in_place = false);

// The same for any month, whatever "Use Themes" says, for the settings window's preview; the
// wallpaper is left alone when it is already this picture in this display mode.
void Preview_Wallpaper_Stuff(PackContext& context, const QString& pack, qint16 month);

// The display mode the wallpaper values in the registry stand for: 1 when tiled, 2 when
// stretched, 0 when centred; -1 when they are missing or unknown.
qint16 Current_Display_Mode();
