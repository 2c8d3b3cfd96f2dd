// The function keys of the calendar window: their commands come from the table in
// CalendarInput, which also writes them into the help page.
#include "calendar/CalendarInput.h"
#include "calendar/Clock.h"
#include "calendar/MsgBox.h"
#include "calendar/SettingsStore.h"
#include "calendar/ViewNavigation.h"
#include "calendar/gui/ColourLabel.h"
#include "calendar/gui/Main_Frm.h"
#include "calendar/gui/TransparentForm.h"
#include "events/MonthEvents.h"

#include <QKeyEvent>

void Main_Frm::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat()) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    Form_KeyUp(Key_Code(event->key()), qint16(event->modifiers() >> 25));
    // A key may change what the title shows.
    Arm_Date_Watch();
}

void Main_Frm::Form_KeyUp(qint16 key_code, qint16 shift) {
    Q_UNUSED(shift);
    if (!Compacted && Settings.Auto_Compact == 1)
        Update_Timeout();
    // The commands come from the table the help page is written from.
    const std::optional<CalendarCommand> command = Key_Command(key_code);
    if (!command)
        return;
    switch (*command) {
    case CalendarCommand::Todays_Event: {
        const QDate today = Current_Clock().Today();
        Temp_Lst.current_key = Event_Key(today);
        const QString text = Temp_Lst.Get_Message(false);
        if (!text.isEmpty())
            Msg_Box(Alert_Text(text, today), MsgButtons::Ok, MsgIcon::Information,
                    QStringLiteral("Almanor"));
        break;
    }
    case CalendarCommand::Previous_Month:
        Previous_Month();
        break;
    case CalendarCommand::Todays_Month: {
        const QDate today = Current_Clock().Today();
        Show_Month(qint16(today.month()), qint16(today.year()));
        break;
    }
    case CalendarCommand::Next_Month:
        Next_Month();
        break;
    case CalendarCommand::Refresh:
        Refresh_Calendar();
        break;
    case CalendarCommand::Settings:
        Show_Settings();
        break;
    case CalendarCommand::Next_Box_Style:
        Next_Box_Style();
        break;
    case CalendarCommand::Compact_Mode:
        Compact_Mode();
        break;
    }
}

void Main_Frm::Next_Box_Style() {
    Update_Timeout();
    AutoCompacted = false;
    Prev_Month_Lbl->setVisible(true);
    Next_Month_Lbl->setVisible(true);
    const bool was_compacted = Compacted;
    Compacted = false;
    // The grid was not kept up while compacted (month steps change only the title) and the
    // window is still the height of its title strip: build it whole before going on.
    if (was_compacted)
        Refresh_Calendar();

    SettingsStore store;
    const QString section = QStringLiteral("Settings");
    if (Settings.Use_Themes == 1 && Settings.Use_Theme_Style == 1) {
        const MsgAnswer answer = Msg_Box(
            QStringLiteral("You can't change the box style because Use Theme Style is selected. "
                           "Do you want to turn off Use Theme Style?"),
            MsgButtons::YesNoCancel, MsgIcon::Question, QStringLiteral("Almanor"));
        if (answer != MsgAnswer::Yes)
            return;
        Settings.Use_Theme_Style = 0;
        Save_Setting(store, Settings, section, QStringLiteral("Style"),
                     Settings.PackBoxStyle == 0 ? 1 : 0);
        Save_Setting(store, Settings, section, QStringLiteral("Use Theme Style"), 0);
    } else {
        Save_Setting(store, Settings, section, QStringLiteral("Style"),
                     ::Next_Box_Style(Settings.Style));
    }
    Set_Day_Headers();
    Which_Style(Settings.Style);
    TransparentForm(this);
    Load_Dates();
    Position_Form(Settings.Effective_Position());
}
