#pragma once

#include "calendar/Clock.h"
#include "calendar/MsgBox.h"
#include "calendar/gui/Main_Frm.h"
#include "calendar/gui/PopMenu_Mod.h"
#include "common/TestEnv.h"

#include <QStringList>
#include <QVariant>

#include <memory>

class ColourLabel;

// A shown calendar window in a private world: its own settings, program folder, calendar.dat,
// clock, message boxes and pop-up menus. The date watch's timer is stopped; tests tick it.
class InteractionWorld {
  public:
    explicit InteractionWorld(const QDateTime& now = QDateTime(QDate(2026, 2, 10), QTime(9, 0)));
    ~InteractionWorld();
    InteractionWorld(const InteractionWorld&) = delete;
    InteractionWorld& operator=(const InteractionWorld&) = delete;

    void Set(const QString& key, const QVariant& value,
             const QString& section = QStringLiteral("Settings"));
    QString Stored(const QString& key, const QString& section = QStringLiteral("Settings")) const;
    void Write_Events(const QStringList& records);
    QStringList Events() const;
    Main_Frm& Start();

    // The day-number box and the caption of a day of the shown month.
    ColourLabel* Box(int day) const;
    ColourLabel* Caption(int day) const;
    qint16 Box_Index(int day) const;

    TestEnv env;
    ManualClock clock;
    MsgBoxRecorder boxes;
    PopMenuRecorder menus;
    std::unique_ptr<Main_Frm> window;
};

// Texts and identifiers of a menu, "1:Jan" ..., for one comparison.
QStringList Menu_Items(const QList<PopMenuItem>& items);
