#pragma once

#include <QPixmap>
#include <QSize>

// The banner of the wizard's welcome page: a torn-off calendar leaf on a blue gradient.
QPixmap Welcome_Picture(const QSize& size);
