#pragma once

class QWindow;

// Puts a top-level X11 window on the desktop layer: the desktop's window type
// (_NET_WM_WINDOW_TYPE_DESKTOP, so that showing the desktop leaves it in place), and
// _NET_WM_STATE_BELOW, _SKIP_TASKBAR, _SKIP_PAGER and _STICKY and _NET_WM_DESKTOP 0xFFFFFFFF
// (every workspace) for window managers that don't know the type. Before the window is mapped
// the properties are written directly, which is what the window manager reads when it maps the
// window; once mapped, the window manager is asked for the states through client messages (the
// type can't change then). The window then keeps above the desktop's icon window. Does nothing
// on other window systems.
void Keep_Window_On_Desktop(QWindow* window);
