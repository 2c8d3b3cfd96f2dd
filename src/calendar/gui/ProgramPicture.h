#pragma once

#include <QPixmap>

// The program's picture, the month leaf of its launcher icon (a red title strip, a grid of days
// and one marked day), drawn at size x size pixels on a transparent ground.
QPixmap Program_Picture(int size);
