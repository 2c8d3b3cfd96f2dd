#pragma once

#include "platform/Platform.h"
#include "platform/linux/WallpaperTools.h"

#include <optional>

// The wallpaper settings of a desktop family other than Bare_X, read with its own tools so that
// exactly they can be put back: GNOME, Cinnamon and MATE keep them in gsettings keys, XFCE in a
// backdrop per monitor and workspace in xfconf, Plasma and LXQt in their configuration files.
// Nothing when a setting that must be read can't be.
std::optional<WallpaperRecord> Record_With_Tools(DesktopFamily family);
// Puts a record of Record_With_Tools back with the same tools. False when the record is of
// another family or a step failed.
bool Restore_With_Tools(DesktopFamily family, const WallpaperRecord& record);
// The backend name a family's records carry.
QString Backend_Name(DesktopFamily family);
