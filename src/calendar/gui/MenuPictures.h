#pragma once

#include <QIcon>

// The small pictures of the day-box menu, drawn rather than loaded so the program needs no
// image files: a red cross, a page, a gear and an open door.
QIcon Clear_Pic();
QIcon File_Pic();
QIcon Settings_Pic();
QIcon Exit_Pic();
