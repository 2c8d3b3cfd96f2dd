#pragma once

class QWindow;

// Puts a top-level X11 window on the desktop layer: _NET_WM_STATE_BELOW, _SKIP_TASKBAR,
// _SKIP_PAGER and _STICKY, and _NET_WM_DESKTOP 0xFFFFFFFF (every workspace). Before the window is
// mapped the properties are written directly, which is what the window manager reads when it
// maps the window; once mapped, the window manager is asked through client messages. Does
// nothing on other window systems.
void Keep_Window_On_Desktop(QWindow* window);
