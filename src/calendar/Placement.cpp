#include "calendar/Placement.h"

#include <cmath>

namespace {
// Half of the free room, truncated towards zero like the integer division it stands for.
qint32 Centred(qint32 start, qint32 room, qint32 size) {
    return qint32(start + (qint64(room) - size) / 2);
}
} // namespace

std::optional<QPoint> Place_Window(qint16 position, const TwipRect& work_area, qint32 width,
                                   qint32 height, qint32 manual_x, qint32 manual_y) {
    const qint32 left_edge = work_area.left;
    const qint32 right_edge = work_area.width - width + work_area.left;
    const qint32 centre_across = Centred(work_area.left, work_area.width, width);
    const qint32 top_edge = work_area.top;
    const qint32 bottom_edge = work_area.top + work_area.height - height;
    const qint32 centre_down = Centred(work_area.top, work_area.height, height);
    using namespace Window_Position;
    switch (position) {
    case Bottom_Right:
        return QPoint(right_edge, bottom_edge);
    case Bottom_Center:
        return QPoint(centre_across, bottom_edge);
    case Bottom_Left:
        return QPoint(left_edge, bottom_edge);
    case Center_Screen:
        return QPoint(centre_across, centre_down);
    case Top_Right:
        return QPoint(right_edge, top_edge);
    case Top_Center:
        return QPoint(centre_across, top_edge);
    case Top_Left:
        return QPoint(left_edge, top_edge);
    case Manual:
        return QPoint(manual_x, manual_y);
    case Center_Right:
        return QPoint(right_edge, centre_down);
    case Center_Left:
        return QPoint(left_edge, centre_down);
    default:
        return std::nullopt;
    }
}

TwipRect Work_Area_In_Twips(const QRect& pixels, double twips_per_pixel_x,
                            double twips_per_pixel_y) {
    const auto twips = [](int value, double factor) {
        return qint32(std::nearbyint(double(value) * factor));
    };
    return {twips(pixels.left(), twips_per_pixel_x), twips(pixels.top(), twips_per_pixel_y),
            twips(pixels.width(), twips_per_pixel_x), twips(pixels.height(), twips_per_pixel_y)};
}
