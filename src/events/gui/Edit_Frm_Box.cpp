// Opening the event editor on a day box of the calendar window.
#include "calendar/MonthGrid.h"
#include "calendar/MsgBox.h"
#include "calendar/gui/Main_Frm.h"
#include "events/gui/Edit_Frm.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

Edit_Frm* Main_Frm::Editor() const {
    return (edit_frm_ && !edit_frm_->Closed()) ? edit_frm_.data() : nullptr;
}

QDate Main_Frm::Box_Date(qint16 index) const {
    const int day = index - Start_Box(ViewMonth, ViewYear) + 1;
    const QDate first(ViewYear, ViewMonth, 1);
    if (index < 0 || index >= Box_Count || day < 1 || day > DaysInMonth(first))
        return {};
    return QDate(ViewYear, ViewMonth, day);
}

qint16 Main_Frm::Box_Index(const QDate& day) const {
    if (!day.isValid() || day.year() != ViewYear || day.month() != ViewMonth)
        return -1;
    return qint16(Start_Box(ViewMonth, ViewYear) + day.day() - 1);
}

void Main_Frm::Edit_Box(qint16 index) {
    Edit_Day(Box_Date(index));
}

void Main_Frm::Edit_Day(const QDate& day) {
    if (!day.isValid())
        return;
    Edit_Frm* editor = Editor();
    if (editor && !editor->Date_Lbl->text().isEmpty() && editor->Apply_Btn->isEnabled()) {
        const MsgAnswer answer = Msg_Box(QStringLiteral("Save changes for the ") +
                                             editor->Date_Lbl->text() + QStringLiteral("?"),
                                         MsgButtons::YesNoCancel, MsgIcon::Question,
                                         QStringLiteral("Desktop Wallpaper"));
        if (answer == MsgAnswer::Cancel) {
            editor->Message_Txt->setFocus();
            return;
        }
        // A failed save keeps the first day in the editor, as Cancel does.
        if (answer == MsgAnswer::Yes && !editor->Apply_Btn_Click())
            return;
        editor = Editor();
    }
    if (!editor) {
        editor = new Edit_Frm(this);
        edit_frm_ = editor;
    }
    // The save prompt may have let the date watch move the view: the box is the day's own.
    Edited_Box = Box_Index(day);
    editor->Open_Day(day);
}
