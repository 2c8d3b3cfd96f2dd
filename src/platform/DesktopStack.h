#pragma once

#include <QList>
#include <QRect>

// A top-level window as the window manager stacks it.
struct StackedWindow {
    quint32 id = 0;
    // Its type is the desktop's own (_NET_WM_WINDOW_TYPE_DESKTOP): a window that draws the
    // desktop, such as the one that holds its icons.
    bool desktop_type = false;
    // Where it lies on the screen.
    QRect geometry;
};

// Whether the window own, which lives on the desktop layer, lies under a window of the desktop
// that covers it whole (the desktop's icon window, raised by a click on an icon, or started
// after the calendar). bottom_to_top is the window manager's stacking order. Only a larger
// window that covers it counts, so two desktop windows never take turns at rising over each other.
bool Covered_By_Desktop_Window(const QList<StackedWindow>& bottom_to_top, quint32 own);
