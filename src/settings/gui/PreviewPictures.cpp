#include "settings/gui/PreviewPictures.h"

#include "calendar/TwipScale.h"

#include <QPainter>

ScreenPicture::ScreenPicture(QWidget* parent) : QWidget(parent) {}

void ScreenPicture::Set_Inner(const TwipRect& inner) {
    inner_ = inner;
    update();
}

void ScreenPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect inner = TwipScale::For_Screen(screen()).Pixels(inner_);
    // The bezel is as wide below the picture as at its sides; the stand fills the rest.
    const int side = qMax(2, inner.left());
    const QRect bezel(0, 0, width(), qMin(height(), inner.bottom() + side + 1));
    const int neck_width = width() / 6;
    const int foot_top = height() - qMax(3, (height() - bezel.height()) / 3);
    painter.setPen(QColor(40, 40, 40));
    painter.setBrush(QColor(150, 150, 150));
    painter.drawRect(
        QRect((width() - neck_width) / 2, bezel.bottom(), neck_width, foot_top - bezel.bottom()));
    painter.drawRoundedRect(QRect(width() / 4, foot_top, width() / 2, height() - foot_top - 1), 2,
                            2);
    painter.setBrush(QColor(70, 70, 75));
    painter.drawRoundedRect(bezel.adjusted(0, 0, -1, -1), 4, 4);
}

QPixmap Calendar_Miniature(const QSize& size, qint16 preview_number) {
    QPixmap pixmap(size.expandedTo(QSize(8, 8)));
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    const int w = pixmap.width();
    const int h = pixmap.height();
    // The default title strip colour and white day boxes.
    const int title = qMax(2, h / 6);
    painter.fillRect(0, 0, w, title, QColor(31, 8, 128));
    const int rows = 5;
    const int columns = 7;
    const int gap = preview_number == 2 ? 1 : qMax(1, w / 60);
    const int top = title + gap;
    const double box_w = double(w - gap * (columns + 1)) / columns;
    const double box_h = double(h - top - gap * rows) / rows;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const QRectF box(gap + c * (box_w + gap), top + r * (box_h + gap), box_w, box_h);
            painter.fillRect(box, Qt::white);
            painter.setPen(QColor(160, 160, 160));
            painter.drawRect(box.adjusted(0, 0, -0.5, -0.5));
        }
    }
    return pixmap;
}
