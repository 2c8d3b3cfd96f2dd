// Stepping between months and years.
#include "calendar/ViewNavigation.h"
#include "calendar/gui/Main_Frm.h"

void Main_Frm::Show_Month(qint16 month, qint16 year) {
    const auto shown = Viewable(month, year);
    if (!shown)
        return;
    ViewMonth = shown->month;
    ViewYear = shown->year;
    Refresh_Calendar();
}

void Main_Frm::Next_Month() {
    if (const auto next = Month_After(ViewMonth, ViewYear))
        Show_Month(next->month, next->year);
}

void Main_Frm::Previous_Month() {
    if (const auto previous = Month_Before(ViewMonth, ViewYear))
        Show_Month(previous->month, previous->year);
}
