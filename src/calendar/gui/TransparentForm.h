#pragma once

class QWidget;

// Cuts a window down to its visible controls: only the labels placed directly on it are drawn,
// and the desktop shows through everything else.
void TransparentForm(QWidget* window);
