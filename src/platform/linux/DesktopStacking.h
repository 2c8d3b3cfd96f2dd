#pragma once

class QWindow;

// Keeps a window of the desktop layer above the desktop's icon window: whenever the window
// manager's stacking order changes and a desktop window that covers it lies above it, the
// window asks to be raised within its layer (it stays below every ordinary window). Lives as
// long as the window. Does nothing on other window systems.
void Keep_Above_Desktop_Windows(QWindow* window);
