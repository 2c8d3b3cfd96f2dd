// The month grid of the calendar window: which box shows which day, the headers and today.
#include "calendar/gui/Main_Frm.h"

#include "calendar/Clock.h"
#include "calendar/ColourValue.h"
#include "calendar/General_Mod.h"
#include "calendar/MonthGrid.h"
#include "calendar/gui/ColourLabel.h"
#include "calendar/gui/TransparentForm.h"

qint16 Main_Frm::Start_Box(qint16 month, qint16 year) const {
    return ::Start_Box(month, year, Settings.Start_Day, QLocale());
}

QString Main_Frm::Title() const {
    return Title(Current_Clock().Now());
}

QString Main_Frm::Title(const QDateTime& now) const {
    return Title_Text(Settings, ViewMonth, ViewYear, Settings.Bar_Time, Settings.Bar_Time_Format,
                      Settings.Bar_Date_Format, now, QLocale());
}

void Main_Frm::Reset_Boxes() {
    for (int i = 0; i < Box_Count; ++i) {
        Box_Lbl[i]->setVisible(true);
        Box_Caption_Lbl[i]->setVisible(true);
        Box_Lbl[i]->Set_Back_Colour(White);
        if (!Box_Lbl[i]->text().isEmpty())
            Box_Lbl[i]->clear();
        if (!Box_Caption_Lbl[i]->text().isEmpty())
            Box_Caption_Lbl[i]->clear();
    }
}

void Main_Frm::Setup_Boxes(qint16 month, qint16 year) {
    Reset_Boxes();
    const qint32 days = DaysInMonth(QDate(year, month, 1));
    const int first = Start_Box(month, year);
    const int last = first + days - 1;
    for (int i = first; i <= last && i < Box_Count; ++i)
        Box_Lbl[i]->setText(Day_Number_Caption(i - first + 1));
    Hide_Misc_Boxes();
    Which_Style(Settings.Effective_Style());
    Position_Form(Settings.Effective_Position());
    TransparentForm(this);
}

void Main_Frm::Hide_Misc_Boxes() {
    for (int i = 0; i < Box_Count; ++i) {
        if (Box_Lbl[i]->text().isEmpty()) {
            Box_Lbl[i]->setVisible(false);
            Box_Caption_Lbl[i]->setVisible(false);
        }
    }
}

void Main_Frm::Mark_Today() {
    const QDate today = Current_Clock().Today();
    if (today.month() != ViewMonth || today.year() != ViewYear)
        return;
    const int box = Start_Box(ViewMonth, ViewYear) + today.day() - 1;
    if (box >= 0 && box < Box_Count)
        Box_Lbl[box]->Set_Back_Colour(Settings.Today);
}

void Main_Frm::Set_Day_Headers() {
    // The stored style decides, not a pack's: with a pack style in force the names stay whole.
    const bool pack_style = Settings.Use_Themes == 1 && Settings.Use_Theme_Style == 1;
    const bool single_letters = Settings.Style == 2 && !pack_style;
    const QStringList texts = Day_Header_Texts(Settings.Start_Day, single_letters, QLocale());
    for (int c = 0; c < 7; ++c)
        Day_Lbl[c]->setText(texts[c]);
}

void Main_Frm::Refresh_Calendar() {
    Which_Month_Lbl->setText(Title());
    // Another month shows no clock in the title; today's month may.
    Arm_Date_Watch();
    if (Compacted)
        return;
    Set_Day_Headers();
    Setup_Boxes(ViewMonth, ViewYear);
    Load_Dates();
    Set_Colours();
    Mark_Today();
}
