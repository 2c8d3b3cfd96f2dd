#pragma once

#include <QString>

// The program folder: where the executable lives, and with it calendar.dat and the packs.
// Tests point it at a temporary folder.
QString App_Path();
// Overrides the program folder; an empty path restores the executable's folder.
void Set_App_Path(const QString& path);
