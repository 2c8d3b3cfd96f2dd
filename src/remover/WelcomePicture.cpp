#include "remover/WelcomePicture.h"

#include <QLinearGradient>
#include <QPainter>

QPixmap Welcome_Picture(const QSize& size) {
    QPixmap picture(size);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0.0, QColor(0x1f, 0x3a, 0x68));
    sky.setColorAt(1.0, QColor(0x5b, 0x8d, 0xc9));
    painter.fillRect(picture.rect(), sky);

    // The leaf: a white page with a red title strip and a grid of day boxes, one of them gone.
    const int margin = size.width() / 8;
    const QRectF leaf(margin, size.height() / 4.0, size.width() - 2 * margin,
                      size.width() - 2 * margin);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(leaf, 6, 6);
    const QRectF strip(leaf.left(), leaf.top(), leaf.width(), leaf.height() / 5);
    painter.setBrush(QColor(0xc8, 0x3c, 0x3c));
    painter.drawRoundedRect(strip, 6, 6);

    constexpr int columns = 7;
    constexpr int rows = 5;
    const double cell_w = leaf.width() / (columns + 1);
    const double cell_h = (leaf.height() - strip.height()) / (rows + 1);
    painter.setBrush(QColor(0xd6, 0xe2, 0xf0));
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            if (row == rows - 1 && column == columns - 1)
                continue;
            const QRectF box(leaf.left() + cell_w * (column + 0.5) + 1,
                             strip.bottom() + cell_h * (row + 0.5) + 1, cell_w - 2, cell_h - 2);
            painter.drawRect(box);
        }
    }
    return picture;
}
