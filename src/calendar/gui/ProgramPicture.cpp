#include "calendar/gui/ProgramPicture.h"

#include <QPainter>
#include <QPainterPath>

// Drawn from the same shapes as assets/almanor.svg, on its 64 x 64 grid, so the program needs no
// image file or picture plug-in.
QPixmap Program_Picture(int size) {
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 64.0, size / 64.0);

    const QColor navy(0x1f, 0x3a, 0x68);
    painter.setPen(QPen(navy, 2));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(6, 9, 52, 49), 5, 5);

    QPainterPath strip;
    strip.moveTo(6, 14);
    strip.arcTo(QRectF(6, 9, 10, 10), 180, -90);
    strip.lineTo(53, 9);
    strip.arcTo(QRectF(48, 9, 10, 10), 90, -90);
    strip.lineTo(58, 22);
    strip.lineTo(6, 22);
    strip.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xc8, 0x3c, 0x3c));
    painter.drawPath(strip);

    painter.setBrush(navy);
    painter.drawRoundedRect(QRectF(17, 4, 4, 10), 2, 2);
    painter.drawRoundedRect(QRectF(43, 4, 4, 10), 2, 2);

    // Three rows of five days; the middle one of the second row is marked.
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 5; ++column) {
            const bool marked = row == 1 && column == 2;
            painter.setBrush(marked ? QColor(0x5b, 0x8d, 0xc9) : QColor(0xd6, 0xe2, 0xf0));
            painter.drawRect(QRectF(11 + column * 9, 27 + row * 9, 7, 6));
        }
    }
    return picture;
}
