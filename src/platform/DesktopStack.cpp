#include "platform/DesktopStack.h"

bool Covered_By_Desktop_Window(const QList<StackedWindow>& bottom_to_top, quint32 own) {
    qsizetype own_index = -1;
    for (qsizetype i = 0; i < bottom_to_top.size(); ++i)
        if (bottom_to_top[i].id == own)
            own_index = i;
    if (own_index < 0)
        return false;
    const QRect own_geometry = bottom_to_top[own_index].geometry;
    for (qsizetype i = own_index + 1; i < bottom_to_top.size(); ++i) {
        const StackedWindow& above = bottom_to_top[i];
        // Strictly larger: two desktop windows of one size (two calendars) would otherwise raise
        // each other without end, waking every program on the screen.
        if (above.desktop_type && above.geometry.contains(own_geometry) &&
            above.geometry != own_geometry)
            return true;
    }
    return false;
}
