#pragma once

#include "calendar/gui/PopMenu_Mod.h"
#include "common/CalendarWorld.h"

#include <QStringList>

class ColourLabel;

// A shown calendar window in a private world: its own settings, program folder, calendar.dat,
// clock, message boxes and pop-up menus. The date watch's timer is stopped; tests tick it.
class InteractionWorld : public CalendarWorld {
  public:
    using CalendarWorld::CalendarWorld;

    QString Stored(const QString& key, const QString& section = QStringLiteral("Settings")) const;
    QStringList Events() const;
    // Starts the window as CalendarWorld does, stops its timer and shows it.
    Main_Frm& Start();

    // The day-number box and the caption of a day of the shown month.
    ColourLabel* Box(int day) const;
    ColourLabel* Caption(int day) const;
    qint16 Box_Index(int day) const;

    PopMenuRecorder menus;
};

// Texts and identifiers of a menu, "1:Jan" ..., for one comparison.
QStringList Menu_Items(const QList<PopMenuItem>& items);
