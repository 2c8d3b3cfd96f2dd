#include "calendar/gui/ColourLabel.h"

#include "calendar/ColourValue.h"

#include <QPainter>

QString Shown_Caption(const QString& caption) {
    QString shown = caption;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QStringLiteral("&&"), QStringLiteral("&"));
    return shown;
}

ColourLabel::ColourLabel(const QString& name, QWidget* parent) : QLabel(parent) {
    setObjectName(name);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void ColourLabel::Set_Back_Colour(qint32 value) {
    if (back_ == value)
        return;
    back_ = value;
    update();
}

void ColourLabel::Set_Fore_Colour(qint32 value) {
    if (fore_ == value)
        return;
    fore_ = value;
    update();
}

void ColourLabel::Set_Opaque(bool opaque) {
    opaque_ = opaque;
    update();
}

void ColourLabel::Set_Tint(int first_line, qint32 colour) {
    if (tint_line_ == first_line && tint_ == colour)
        return;
    tint_line_ = first_line;
    tint_ = colour;
    update();
}

QString ColourLabel::Shown_Text() const {
    return Shown_Caption(text());
}

QColor ColourLabel::Shown_Back() const {
    return Resolve_Colour(back_, palette());
}

QColor ColourLabel::Shown_Fore() const {
    return Resolve_Colour(fore_, palette());
}

void ColourLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (opaque_)
        painter.fillRect(rect(), Shown_Back());
    const QString shown = Shown_Text();
    if (shown.isEmpty())
        return;
    painter.setFont(font());
    painter.setPen(Shown_Fore());
    // Captions start at the top like the classic label, aligned across as asked, and are clipped
    // by the label.
    const int flags = int((alignment() & Qt::AlignHorizontal_Mask) | Qt::AlignTop);
    const QStringList lines = shown.split(QLatin1Char('\n'));
    if (tint_line_ < 0 || tint_line_ >= lines.size()) {
        painter.drawText(rect(), flags, shown);
        return;
    }
    // The tinted lines go where the same text drawn at once would put them.
    painter.drawText(rect(), flags, lines.mid(0, tint_line_).join(QLatin1Char('\n')));
    painter.setPen(Resolve_Colour(tint_, palette()));
    const int top = tint_line_ * QFontMetrics(font()).lineSpacing();
    painter.drawText(rect().adjusted(0, top, 0, 0), flags,
                     lines.mid(tint_line_).join(QLatin1Char('\n')));
}
