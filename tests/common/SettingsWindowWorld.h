#pragma once

#include "common/CalendarWorld.h"
#include "desktop/RecordingPlatform.h"
#include "settings/gui/Settings_Frm.h"

#include <QPointer>

// The settings window of a calendar in a private world, opened as F8 opens it (load, then
// activation). Wallpaper changes are only recorded.
class SettingsWindowWorld {
  public:
    explicit SettingsWindowWorld(const QDateTime& now = QDateTime(QDate(2026, 2, 10), QTime(9, 0)));
    ~SettingsWindowWorld();

    // Starts the calendar, then opens its settings window.
    Settings_Frm& Open();
    // Activates the window again, as when the user comes back to it.
    void Reactivate() { frame->Form_Activate(); }
    // A pack folder with settings.ini and pictures (40 x 30) for the months listed.
    void Make_Pack(const QString& pack, const QByteArray& ini, QList<int> months) const;
    static QByteArray Full_Ini() {
        return "1=0-0-2\r\n2=1-4-0\r\n3=1-4-2\r\n4=2-6-1\r\n5=1-8-0\r\n6=0-2-2\r\n7=1-5-1\r\n"
               "8=2-9-0\r\n9=0-3-2\r\n10=1-1-1\r\n11=2-0-0\r\n12=0-6-2\r\n";
    }
    static QList<int> All_Months() { return {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}; }
    // A stored setting as text; "missing" when absent.
    QString Stored(const QString& key) const;

    RecordingPlatform platform;
    CalendarWorld world;
    QPointer<Settings_Frm> frame;
};
