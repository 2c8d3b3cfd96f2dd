// Dragging the calendar window by its title strip.
#include "calendar/MsgBox.h"
#include "calendar/Placement.h"
#include "calendar/PlacementRules.h"
#include "calendar/SettingsStore.h"
#include "calendar/gui/ColourLabel.h"
#include "calendar/gui/Main_Frm.h"

#include <QMouseEvent>

void Main_Frm::Drag_Press(QMouseEvent* event) {
    if (!Drag_Allowed(Settings))
        return;
    Which_Month_Lbl->setCursor(Qt::SizeAllCursor);
    press_point_ = event->position().toPoint();
    press_window_ = pos();
    dragging_ = true;
}

void Main_Frm::Drag_Move(QMouseEvent* event) {
    if (!dragging_ || !Drag_Allowed(Settings))
        return;
    // The label moves with the window, so the offset from the press point is the way to go.
    move(pos() - (press_point_ - event->position().toPoint()));
}

void Main_Frm::Drag_Release(QMouseEvent*) {
    if (!dragging_)
        return;
    dragging_ = false;
    Which_Month_Lbl->unsetCursor();
    if (!Drag_Allowed(Settings))
        return;
    SettingsStore store;
    const QString section = QStringLiteral("Settings");
    const TwipScale scale = Scale();
    Save_Setting(store, Settings, section, QStringLiteral("Manual_PosX"), scale.X_Twips(x()));
    Save_Setting(store, Settings, section, QStringLiteral("Manual_PosY"), scale.Y_Twips(y()));
    if (!Ask_Manual_Positioning(Settings, x() != press_window_.x(), y() != press_window_.y()))
        return;
    const MsgAnswer answer = Msg_Box(
        QStringLiteral("Manual Positioning is not selected. This means that next time the program "
                       "is started or the month is changed the program will revert back to the "
                       "set position. Do you want to change the positioning mode to manual "
                       "positioning?"),
        MsgButtons::YesNo, MsgIcon::Question, QStringLiteral("Almanor"));
    if (answer != MsgAnswer::Yes)
        return;
    Save_Setting(store, Settings, section, QStringLiteral("Alignment"), Window_Position::Manual);
    Save_Setting(store, Settings, section, QStringLiteral("Use Theme Pos"), 0);
}
