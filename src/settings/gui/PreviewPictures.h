#pragma once

#include "calendar/BoxStyles.h"

#include <QPixmap>
#include <QWidget>

// The fixed pictures of the position preview, drawn at run time.

// A monitor: a bezel around the inner rectangle (where the desktop picture goes, in twips
// relative to the widget) on a small stand.
class ScreenPicture : public QWidget {
    Q_OBJECT
  public:
    explicit ScreenPicture(QWidget* parent);
    void Set_Inner(const TwipRect& inner);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    TwipRect inner_;
};

// A miniature calendar of the given size for preview number 1 (square boxes), 2 (thin boxes)
// or 3 (small boxes): a title strip over a grid of day boxes.
QPixmap Calendar_Miniature(const QSize& size, qint16 preview_number);
