#pragma once

#include "calendar/BoxStyles.h"

#include <QPoint>
#include <QRect>

// Window positions ("Alignment" and the pack's position).
namespace Window_Position {
constexpr qint16 Bottom_Right = 0;
constexpr qint16 Bottom_Center = 1;
constexpr qint16 Bottom_Left = 2;
constexpr qint16 Center_Screen = 3;
constexpr qint16 Top_Right = 4;
constexpr qint16 Top_Center = 5;
constexpr qint16 Top_Left = 6;
constexpr qint16 Manual = 7;
constexpr qint16 Center_Right = 8;
constexpr qint16 Center_Left = 9;
} // namespace Window_Position

// The top-left corner, in twips, of a window of width x height twips at position inside the
// work area. manual_x and manual_y are used by the manual position. Returns nothing for an
// unknown position: the window stays where it is.
std::optional<QPoint> Place_Window(qint16 position, const TwipRect& work_area, qint32 width,
                                   qint32 height, qint32 manual_x, qint32 manual_y);

// A work area given in pixels, in twips (each value taken to the nearest whole twip).
TwipRect Work_Area_In_Twips(const QRect& pixels, double twips_per_pixel_x,
                            double twips_per_pixel_y);
