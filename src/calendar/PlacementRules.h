#pragma once

#include "calendar/BoxStyles.h"

struct AppSettings;

// Takes one changed value of the work area into memo, looking at height, width, top and left in
// that order. Returns true when a value was taken (the window is then placed again); a change of
// several values is so followed over as many calls.
bool Absorb_Work_Area_Change(TwipRect& memo, const TwipRect& now);

// Dragging by the title strip is allowed with manual positioning ("Alignment" 7, the stored
// value, not a pack's) or when "Allow Dragging" is on.
bool Drag_Allowed(const AppSettings& settings);

// After a drop: ask whether to switch to manual positioning when the window moved both across and
// down and manual positioning is not in force.
bool Ask_Manual_Positioning(const AppSettings& settings, bool left_moved, bool top_moved);
