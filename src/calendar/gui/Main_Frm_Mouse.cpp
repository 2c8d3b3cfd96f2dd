// Mouse handlers of the calendar window's labels: the header strip, the weekday headers and the
// day boxes.
#include "calendar/gui/ColourLabel.h"
#include "calendar/gui/Main_Frm.h"
#include "events/gui/Edit_Frm.h"
#include "events/gui/frmBalloon.h"
#include "settings/gui/Settings_Frm.h"

#include <QCloseEvent>
#include <QMouseEvent>

void Main_Frm::Connect_Interaction() {
    QList<QWidget*> labels{Prev_Month_Lbl, Which_Month_Lbl, Next_Month_Lbl};
    for (ColourLabel* label : Day_Lbl)
        labels.append(label);
    for (int i = 0; i < Box_Count; ++i) {
        labels.append(Box_Lbl[i]);
        labels.append(Box_Caption_Lbl[i]);
    }
    for (QWidget* label : labels) {
        // Moves without a button pressed restart the idle time of compact mode.
        label->setMouseTracking(true);
        label->installEventFilter(this);
    }
}

void Main_Frm::Idle_Activity() {
    if (!Compacted && Settings.Auto_Compact == 1)
        Update_Timeout();
}

bool Main_Frm::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
        type != QEvent::MouseButtonDblClick && type != QEvent::MouseMove)
        return QWidget::eventFilter(watched, event);
    auto* mouse = static_cast<QMouseEvent*>(event);

    if (watched == Which_Month_Lbl)
        return Title_Mouse(event);
    if (watched == Prev_Month_Lbl || watched == Next_Month_Lbl) {
        if (type == QEvent::MouseButtonPress && mouse->button() == Qt::RightButton) {
            Popup_Months();
            return true;
        }
        if (type == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton) {
            if (watched == Prev_Month_Lbl)
                Previous_Month();
            else
                Next_Month();
            return true;
        }
        if (type == QEvent::MouseMove)
            Idle_Activity();
        return false;
    }
    for (qint16 c = 0; c < 7; ++c) {
        if (watched != Day_Lbl[c])
            continue;
        if (type == QEvent::MouseButtonPress && mouse->button() == Qt::RightButton) {
            Popup_Start_Day(c);
            return true;
        }
        if (type == QEvent::MouseMove)
            Idle_Activity();
        return false;
    }
    for (qint16 i = 0; i < Box_Count; ++i) {
        if (watched == Box_Lbl[i] || watched == Box_Caption_Lbl[i])
            return Box_Mouse(i, event);
    }
    return QWidget::eventFilter(watched, event);
}

bool Main_Frm::Title_Mouse(QEvent* event) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (mouse->button() == Qt::RightButton) {
            Popup_Years();
            return true;
        }
        if (mouse->button() == Qt::LeftButton)
            Drag_Press(mouse);
        return true;
    case QEvent::MouseMove:
        if (Compacted && AutoCompacted && Settings.Auto_Compact == 1) {
            // Hovering brings back a window that shrank by itself; leaving compact mode also
            // restarts the idle time.
            Compact_Mode();
        } else {
            Idle_Activity();
        }
        if (mouse->buttons() & Qt::LeftButton)
            Drag_Move(mouse);
        return true;
    case QEvent::MouseButtonRelease:
        if (mouse->button() != Qt::RightButton)
            Drag_Release(mouse);
        return true;
    case QEvent::MouseButtonDblClick:
        if (mouse->button() == Qt::LeftButton)
            Compact_Mode();
        return true;
    default:
        return false;
    }
}

void Main_Frm::closeEvent(QCloseEvent* event) {
    Close_Other_Windows();
    QWidget::closeEvent(event);
}

void Main_Frm::Close_Other_Windows() {
    if (edit_frm_) {
        Edit_Frm* editor = edit_frm_.data();
        if (!editor->Closed())
            editor->close();
        delete editor;
    }
    if (balloon_)
        balloon_->HideBalloon();
    if (settings_frm_) {
        Settings_Frm* settings = settings_frm_.data();
        settings->close();
        delete settings;
    }
}
