#include "calendar/TwipScale.h"

#include <QScreen>

#include <cmath>

namespace {
constexpr double Twips_Per_Inch = 1440.0;

int Nearest(double value) {
    return int(std::nearbyint(value));
}
} // namespace

TwipScale::TwipScale(double dpi_x, double dpi_y)
    : per_pixel_x_(Twips_Per_Inch / (dpi_x > 0 ? dpi_x : 96.0)),
      per_pixel_y_(Twips_Per_Inch / (dpi_y > 0 ? dpi_y : 96.0)) {}

TwipScale TwipScale::For_Screen(const QScreen* screen) {
    if (!screen)
        return TwipScale();
    return TwipScale(screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY());
}

int TwipScale::X_Pixels(qint32 twips) const {
    return Nearest(twips / per_pixel_x_);
}

int TwipScale::Y_Pixels(qint32 twips) const {
    return Nearest(twips / per_pixel_y_);
}

QRect TwipScale::Pixels(const TwipRect& rect) const {
    return QRect(X_Pixels(rect.left), Y_Pixels(rect.top), X_Pixels(rect.width),
                 Y_Pixels(rect.height));
}

QPoint TwipScale::Pixels(const QPoint& twips) const {
    return QPoint(X_Pixels(twips.x()), Y_Pixels(twips.y()));
}

qint32 TwipScale::X_Twips(int pixels) const {
    return qint32(Nearest(pixels * per_pixel_x_));
}

qint32 TwipScale::Y_Twips(int pixels) const {
    return qint32(Nearest(pixels * per_pixel_y_));
}
