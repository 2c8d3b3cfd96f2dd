// The pop-up menus of the calendar window: months, years, the first day of the week and the
// day-box menu.
#include "calendar/Clock.h"
#include "calendar/MsgBox.h"
#include "calendar/SettingsStore.h"
#include "calendar/ViewNavigation.h"
#include "calendar/gui/ColourLabel.h"
#include "calendar/gui/Main_Frm.h"
#include "calendar/gui/MenuPictures.h"
#include "calendar/gui/PopMenu_Mod.h"
#include "events/EventFileLock.h"

namespace {
constexpr qint32 Expand_Id = 999;
}

void Main_Frm::Popup_Months() {
    const QDate today = Current_Clock().Today();
    static const char* const names[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    QList<PopMenuItem> items;
    for (qint32 month = 1; month <= 12; ++month) {
        QString text = QString::fromLatin1(names[month - 1]);
        if (ViewYear == today.year() && month == today.month())
            text.prepend(QStringLiteral("- "));
        items.append({month, text, {}});
    }
    const qint32 chosen = Track_Popup_Menu(items, this);
    if (chosen >= 1 && chosen <= 12)
        Show_Month(qint16(chosen), ViewYear);
}

void Main_Frm::Popup_Years() {
    if (Compacted) {
        if (Track_Popup_Menu({{Expand_Id, QStringLiteral("Expand"), {}}}, this) == Expand_Id)
            Compact_Mode();
        return;
    }
    const qint32 y = ViewYear;
    const QList<PopMenuItem> items{{1, QString::number(y - 2), {}},
                                   {2, QString::number(y - 1), {}},
                                   {3, QStringLiteral("Current Month\\Year"), {}},
                                   {4, QString::number(y + 1), {}},
                                   {5, QString::number(y + 2), {}}};
    const QDate today = Current_Clock().Today();
    switch (Track_Popup_Menu(items, this)) {
    case 1:
        Show_Month(ViewMonth, qint16(y - 2));
        break;
    case 2:
        Show_Month(ViewMonth, qint16(y - 1));
        break;
    case 3:
        Show_Month(qint16(today.month()), qint16(today.year()));
        break;
    case 4:
        Show_Month(ViewMonth, qint16(y + 1));
        break;
    case 5:
        Show_Month(ViewMonth, qint16(y + 2));
        break;
    default:
        break;
    }
}

void Main_Frm::Popup_Start_Day(qint16 which_day) {
    if (Track_Popup_Menu({{1, QStringLiteral("Set as Start Day"), {}}}, this) != 1)
        return;
    const auto start_day = Start_Day_For_Column(which_day, Settings.Start_Day);
    if (!start_day)
        return;
    Settings.Start_Day = *start_day;
    Refresh_Calendar();
    SettingsStore store;
    Save_Setting(store, Settings, QStringLiteral("Settings"), QStringLiteral("Start Day"),
                 *start_day);
}

void Main_Frm::Popup_Menu(qint16 index) {
    // The menu may stay open past midnight, when the date watch shows another month: the day
    // actions work on the day that was under the pointer when it opened.
    const QDate day = Box_Date(index);
    const QList<PopMenuItem> items{{1, QStringLiteral("Clear"), Clear_Pic()},
                                   {2, QStringLiteral("Edit"), File_Pic()},
                                   {3, QStringLiteral("Settings"), Settings_Pic()},
                                   {4, QStringLiteral("Exit"), Exit_Pic()}};
    switch (Track_Popup_Menu(items, this)) {
    case 1:
        Clear_Date(day);
        break;
    case 2:
        Edit_Day(day);
        break;
    case 3:
        Show_Settings();
        break;
    case 4:
        Exit_Click();
        break;
    default:
        break;
    }
}

void Main_Frm::Clear_Day(qint16 index) {
    Clear_Date(Box_Date(index));
}

void Main_Frm::Clear_Date(const QDate& day) {
    if (!day.isValid())
        return;
    Temp_Lst.current_key = Event_Key(day);
    {
        // The note sync writes calendar.dat from its own process.
        EventFileLock lock(Temp_Lst.Path());
        Temp_Lst.Load_File();
        if (!Temp_Lst.Check_For_Pre(QString()))
            return;
    }
    Notes_Changed();
    const qint16 index = Box_Index(day);
    if (index < 0)
        return;
    // Another record of the day (a dated one under an every-year one) is what the day shows now.
    const DayRecord left = Find_Day_Record(Temp_Lst.records, Temp_Lst.current_key);
    if (left.index >= 0) {
        Show_Box_Event(index, Record_Text(Temp_Lst.records.at(left.index)), true);
        return;
    }
    Box_Caption_Lbl[index]->setText(QString());
    Box_Caption_Lbl[index]->setToolTip(QString());
    Box_Lbl[index]->setToolTip(QString());
    QFont font = Box_Lbl[index]->font();
    font.setUnderline(false);
    Box_Lbl[index]->setFont(font);
}
