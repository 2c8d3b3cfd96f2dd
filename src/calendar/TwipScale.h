#pragma once

#include "calendar/BoxStyles.h"

#include <QPoint>
#include <QRect>

class QScreen;

// Converts between twips and pixels at a screen's logical resolution: 1440 twips to the inch,
// so 15 twips to a pixel at 96 dots per inch.
class TwipScale {
  public:
    explicit TwipScale(double dpi_x = 96.0, double dpi_y = 96.0);
    // The scale of screen (96 dots per inch when there is none).
    static TwipScale For_Screen(const QScreen* screen);

    double Twips_Per_Pixel_X() const { return per_pixel_x_; }
    double Twips_Per_Pixel_Y() const { return per_pixel_y_; }

    int X_Pixels(qint32 twips) const;
    int Y_Pixels(qint32 twips) const;
    QRect Pixels(const TwipRect& rect) const;
    QPoint Pixels(const QPoint& twips) const;
    qint32 X_Twips(int pixels) const;
    qint32 Y_Twips(int pixels) const;

  private:
    double per_pixel_x_;
    double per_pixel_y_;
};
