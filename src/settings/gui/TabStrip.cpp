#include "settings/gui/TabStrip.h"

#include "settings/TabRows.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QWheelEvent>

TabStrip::TabStrip(int per_row, QWidget* parent) : QWidget(parent), per_row_(std::max(1, per_row)) {
    setFocusPolicy(Qt::TabFocus);
}

void TabStrip::addTab(const QString& caption) {
    captions_.append(caption);
    if (current_ < 0)
        setCurrentIndex(0);
    update();
}

void TabStrip::setCurrentIndex(int index) {
    if (index < 0 || index >= count() || index == current_)
        return;
    current_ = index;
    update();
    emit currentChanged(index);
}

int TabStrip::Row_Height() const {
    return fontMetrics().height() + 8;
}

int TabStrip::Rows() const {
    return std::max(1, (count() + per_row_ - 1) / per_row_);
}

int TabStrip::Rows_Height() const {
    return Rows() * Row_Height();
}

QRect TabStrip::tabRect(int index) const {
    if (index < 0 || index >= count())
        return QRect();
    // Each tab of a row is as wide as its caption, and the row's spare width is shared equally.
    const int row = index / per_row_;
    const int first = row * per_row_;
    const int in_row = std::min(per_row_, count() - first);
    const QFontMetrics metrics = fontMetrics();
    QList<int> widths;
    int used = 0;
    for (int i = first; i < first + in_row; ++i) {
        widths.append(metrics.horizontalAdvance(
            QString(captions_[i]).replace(QStringLiteral("&&"), QStringLiteral("&"))));
        used += widths.last();
    }
    const int spare = std::max(0, width() - used);
    int left = 0;
    for (int i = 0; i < index - first; ++i)
        left += widths[i] + spare * (i + 1) / in_row - spare * i / in_row;
    const int column = index - first;
    const int own = widths[column] + spare * (column + 1) / in_row - spare * column / in_row;
    const int selected_row = current_ < 0 ? -1 : current_ / per_row_;
    return QRect(left, Tab_Row_Line(row, selected_row, Rows()) * Row_Height(), own, Row_Height());
}

void TabStrip::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    // The selected tab last: a style may draw it a little larger, over its neighbours.
    QList<int> order;
    for (int i = 0; i < count(); ++i)
        if (i != current_)
            order.append(i);
    if (current_ >= 0)
        order.append(current_);
    for (const int i : order) {
        QStyleOptionTab option;
        option.initFrom(this);
        option.rect = tabRect(i);
        option.text = captions_[i];
        option.shape = QTabBar::RoundedNorth;
        const int column = i % per_row_;
        const int in_row = std::min(per_row_, count() - (i / per_row_) * per_row_);
        option.position = in_row == 1            ? QStyleOptionTab::OnlyOneTab
                          : column == 0          ? QStyleOptionTab::Beginning
                          : column == in_row - 1 ? QStyleOptionTab::End
                                                 : QStyleOptionTab::Middle;
        option.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
        if (i == current_) {
            option.state |= QStyle::State_Selected;
            if (hasFocus())
                option.state |= QStyle::State_HasFocus;
        }
        painter.drawControl(QStyle::CE_TabBarTab, option);
    }
}

void TabStrip::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    for (int i = 0; i < count(); ++i)
        if (tabRect(i).contains(event->position().toPoint())) {
            setCurrentIndex(i);
            return;
        }
}

void TabStrip::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) {
        Step(event->key() == Qt::Key_Left ? -1 : 1);
        return;
    }
    QWidget::keyPressEvent(event);
}

void TabStrip::wheelEvent(QWheelEvent* event) {
    // A notch is 120; turning the wheel towards the user goes to the next tab.
    wheel_ += event->angleDelta().y();
    while (wheel_ <= -120) {
        wheel_ += 120;
        Step(1);
    }
    while (wheel_ >= 120) {
        wheel_ -= 120;
        Step(-1);
    }
    event->accept();
}

void TabStrip::Step(int by) {
    if (count() > 0)
        setCurrentIndex(std::clamp(current_ + by, 0, count() - 1));
}
