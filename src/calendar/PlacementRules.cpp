#include "calendar/PlacementRules.h"

#include "calendar/AppSettings.h"
#include "calendar/Placement.h"

bool Absorb_Work_Area_Change(TwipRect& memo, const TwipRect& now) {
    if (memo.height != now.height) {
        memo.height = now.height;
        return true;
    }
    if (memo.width != now.width) {
        memo.width = now.width;
        return true;
    }
    if (memo.top != now.top) {
        memo.top = now.top;
        return true;
    }
    if (memo.left != now.left) {
        memo.left = now.left;
        return true;
    }
    return false;
}

bool Drag_Allowed(const AppSettings& settings) {
    return settings.Alignment == Window_Position::Manual || settings.Allow_Dragging != 0;
}

bool Ask_Manual_Positioning(const AppSettings& settings, bool left_moved, bool top_moved) {
    const bool manual_in_force =
        settings.Alignment == Window_Position::Manual && settings.Use_Theme_Pos != 1;
    return left_moved && top_moved && !manual_in_force;
}
