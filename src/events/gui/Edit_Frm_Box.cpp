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

void Main_Frm::Edit_Box(qint16 index) {
    const QDate day = Box_Date(index);
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
    Edited_Box = index;
    editor->Open_Day(day);
}
