// Day boxes: mouse handlers, the press-and-hold balloon and its placement.
#include "calendar/Clock.h"
#include "calendar/gui/ColourLabel.h"
#include "calendar/gui/Main_Frm.h"
#include "events/BalloonPlacement.h"
#include "events/TimeOut.h"
#include "events/gui/frmBalloon.h"
#include "remote/RemoteLink.h"

#include <QMouseEvent>

bool Main_Frm::Box_Mouse(qint16 index, QEvent* event) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (mouse->button() == Qt::RightButton) {
            Popup_Menu(index);
            return true;
        }
        if (Settings.Tooltips == 2)
            Balloon_Press(index);
        return false;
    case QEvent::MouseButtonRelease:
        Mouse_Released = true;
        return false;
    case QEvent::MouseMove:
        Idle_Activity();
        return false;
    case QEvent::MouseButtonDblClick:
        if (mouse->button() == Qt::LeftButton)
            Edit_Box(index);
        return true;
    default:
        return false;
    }
}

void Main_Frm::Balloon_Press(qint16 index) {
    if (Box_Caption_Lbl[index]->text().isEmpty())
        return;
    Mouse_Released = false;
    // The wait lets every handler run: the window may close, or the month change, meanwhile.
    const QPointer<Main_Frm> self(this);
    const qint16 month = ViewMonth;
    const qint16 year = ViewYear;
    TimeOut(0.3f);
    if (!self || !isVisible() || Mouse_Released || Compacted || ViewMonth != month ||
        ViewYear != year)
        return;
    const QDate day = Box_Date(index);
    if (!day.isValid())
        return;
    Hovered_Box = index;
    Temp_Lst.current_key = Event_Key(day);
    QString text = Temp_Lst.Get_Message(false);
    const QString remote = Remote_Tip_Text(Remote_Day(day), QLocale());
    if (!remote.isEmpty())
        text += (text.isEmpty() ? QString() : QStringLiteral("\r\n")) + remote;
    Balloon_Tooltip(text);
}

void Main_Frm::Balloon_Tooltip(const QString& text) {
    const QDate day = Box_Date(Hovered_Box);
    if (!day.isValid())
        return;
    if (balloon_)
        balloon_->HideBalloon();
    const qint64 days = Current_Clock().Today().daysTo(day);
    auto* balloon = new frmBalloon(this);
    balloon_ = balloon;
    Balloon_Showing = true;
    balloon->SetBalloon(Balloon_Title(days), text, 0, 0, QStringLiteral("i"), false, 0, 1620, 4680,
                        QStringLiteral("Tahoma, if exists"), 8);
    balloon->show();
    balloon->raise();
    balloon->activateWindow();
}

frmBalloon* Main_Frm::Balloon() const {
    return balloon_.data();
}

qint32 Main_Frm::GetBalloonTop(qint16 index, qint32 balloon_height) const {
    const QRect box = Box_Lbl[index]->geometry();
    const TwipScale scale = Scale();
    return ::GetBalloonTop(box.top(), box.height(), scale.Twips_Per_Pixel_Y(), scale.Y_Twips(y()),
                           balloon_height, GetDesktopRect().height);
}

qint32 Main_Frm::GetBalloonLeft(qint16 index, qint32 balloon_width) const {
    const QRect box = Box_Lbl[index]->geometry();
    const TwipScale scale = Scale();
    return ::GetBalloonLeft(box.left(), box.width(), scale.Twips_Per_Pixel_X(), scale.X_Twips(x()),
                            balloon_width, GetDesktopRect().width);
}
