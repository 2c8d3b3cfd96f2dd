#pragma once

#include "calendar/Clock.h"
#include "calendar/MsgBox.h"
#include "calendar/gui/Main_Frm.h"
#include "common/TestEnv.h"
#include "platform/DesktopNotifier.h"

#include <QStringList>
#include <QVariant>

#include <memory>

// A calendar window in a private world: its own settings file, program folder, calendar.dat,
// clock and message boxes.
class CalendarWorld {
  public:
    explicit CalendarWorld(const QDateTime& now = QDateTime(QDate(2026, 2, 10), QTime(9, 0)));
    ~CalendarWorld();
    CalendarWorld(const CalendarWorld&) = delete;
    CalendarWorld& operator=(const CalendarWorld&) = delete;

    // Stores a setting before the window starts.
    void Set(const QString& key, const QVariant& value,
             const QString& section = QStringLiteral("Settings"));
    // Writes calendar.dat with these records.
    void Write_Events(const QStringList& records);
    // Builds the window and runs its start-up, touching nothing outside the world. notifier,
    // when given, stands for the desktop's notification service.
    Main_Frm& Start(std::unique_ptr<DesktopNotifier> notifier = nullptr);

    TestEnv env;
    ManualClock clock;
    MsgBoxRecorder boxes;
    std::unique_ptr<Main_Frm> window;
};
