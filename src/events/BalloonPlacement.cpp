#include "events/BalloonPlacement.h"

#include <cmath>

namespace {
qint32 Twips(double pixels, double twips_per_pixel) {
    return qint32(std::nearbyint(pixels * twips_per_pixel));
}
} // namespace

QString Balloon_Title(qint64 days_from_today) {
    if (days_from_today < -1)
        return QString::number(-days_from_today) + QStringLiteral(" days ago");
    if (days_from_today == -1)
        return QStringLiteral("Yesterday");
    if (days_from_today == 0)
        return QStringLiteral("Today");
    if (days_from_today == 1)
        return QStringLiteral("Tomorrow");
    return QString::number(days_from_today) + QStringLiteral(" days time");
}

qint32 GetBalloonTop(qint32 box_top, qint32 box_height, double twips_per_pixel, qint32 window_top,
                     qint32 balloon_height, qint32 work_area_height) {
    const qint32 box_bottom = Twips(double(box_top) + box_height, twips_per_pixel) + window_top;
    if (qint64(box_bottom) + balloon_height >= work_area_height)
        return Twips(box_top, twips_per_pixel) + window_top - balloon_height - 125;
    return box_bottom;
}

qint32 GetBalloonLeft(qint32 box_left, qint32 box_width, double twips_per_pixel, qint32 window_left,
                      qint32 balloon_width, qint32 work_area_width) {
    const qint32 box_right = Twips(double(box_left) + box_width, twips_per_pixel) + window_left;
    if (qint64(box_right) + balloon_width >= work_area_width)
        return Twips(box_left, twips_per_pixel) + window_left - balloon_width;
    return box_right;
}

QString Balloon_Font_Name(const QString& requested, bool tahoma_installed) {
    if (requested != QStringLiteral("Tahoma, if exists"))
        return requested;
    return tahoma_installed ? QStringLiteral("Tahoma") : QStringLiteral("MS Sans Serif");
}

bool Balloon_Stays(BalloonActivity active, bool was_active, bool pointer_over) {
    switch (active) {
    case BalloonActivity::Balloon:
        return true;
    case BalloonActivity::Calendar:
        return !was_active;
    case BalloonActivity::Other_Program:
        return !was_active && pointer_over;
    case BalloonActivity::Other_Program_Window:
        return false;
    }
    return false;
}
