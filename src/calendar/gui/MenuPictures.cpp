#include "calendar/gui/MenuPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace {
QIcon Drawn(const std::function<void(QPainter&)>& draw) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    painter.end();
    return QIcon(pixmap);
}
} // namespace

QIcon Clear_Pic() {
    return Drawn([](QPainter& p) {
        p.setPen(QPen(QColor(200, 30, 30), 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
        p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
    });
}

QIcon File_Pic() {
    return Drawn([](QPainter& p) {
        QPainterPath page;
        page.moveTo(3.5, 1.5);
        page.lineTo(9.5, 1.5);
        page.lineTo(12.5, 4.5);
        page.lineTo(12.5, 14.5);
        page.lineTo(3.5, 14.5);
        page.closeSubpath();
        p.setPen(QPen(QColor(60, 60, 60), 1));
        p.setBrush(Qt::white);
        p.drawPath(page);
        p.setPen(QPen(QColor(40, 90, 180), 1));
        for (double y : {6.5, 9.0, 11.5})
            p.drawLine(QPointF(5, y), QPointF(11, y));
    });
}

QIcon Settings_Pic() {
    return Drawn([](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(90, 90, 100));
        const QPointF centre(8, 8);
        for (int tooth = 0; tooth < 8; ++tooth) {
            p.save();
            p.translate(centre);
            p.rotate(tooth * 45.0);
            p.drawRect(QRectF(-1.5, -7.5, 3, 3));
            p.restore();
        }
        p.drawEllipse(centre, 5.0, 5.0);
        p.setBrush(Qt::white);
        p.drawEllipse(centre, 2.0, 2.0);
    });
}

QIcon Exit_Pic() {
    return Drawn([](QPainter& p) {
        p.setPen(QPen(QColor(110, 70, 30), 1));
        p.setBrush(QColor(170, 120, 60));
        p.drawRect(QRectF(2.5, 1.5, 7, 13));
        p.setPen(QPen(QColor(30, 130, 40), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QPointF(7, 8), QPointF(14, 8));
        p.drawLine(QPointF(11.5, 5.5), QPointF(14, 8));
        p.drawLine(QPointF(11.5, 10.5), QPointF(14, 8));
    });
}
