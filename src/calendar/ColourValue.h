#pragma once

#include <QColor>
#include <QPalette>

// Colour values as the settings store them: 0x00BBGGRR for a direct colour, or 0x80000000 + n
// for system colour n, which is looked up in the palette each time it is drawn.
bool Is_System_Colour(qint32 value);
QColor Resolve_Colour(qint32 value, const QPalette& palette);

// The window background when the desktop's icon text has none.
constexpr qint32 Dark_Grey = 4934475;
constexpr qint32 White = 16777215;
// "No colour": the desktop icon text is drawn without a background.
constexpr qint32 No_Colour = -1;
