// The calendar's remote calendars: set up only when one is on, their events asked of the core's
// event source, and the month rebuilt when the fetch program has written the cache or synced
// the notes into calendar.dat.
#include "calendar/AppPath.h"
#include "calendar/Clock.h"
#include "calendar/SettingsStore.h"
#include "calendar/gui/Main_Frm.h"
#include "remote/RemoteCache.h"
#include "remote/RemoteLink.h"

#include <QTimer>

void Main_Frm::Start_Remote() {
    if (remote_ || !Any_Remote_Calendar_On(Settings_File_Path()))
        return;
    Remote_Link();
    // The first fetch waits until the window is up: the cached events are shown meanwhile. The
    // notes are synced at every start, whenever the calendar's next refresh is due.
    QTimer::singleShot(0, remote_, [link = remote_] {
        link->Launcher().Sync_Notes_Now();
        link->Launcher().Schedule();
    });
}

RemoteLink& Main_Frm::Remote_Link() {
    if (!remote_) {
        remote_ = new RemoteLink(
            Settings_File_Path(), Remote_Cache_Dir(), App_Path() + QStringLiteral("/AlmanorFetch"),
            [] { return Current_Clock().Now().toUTC(); }, this);
        remote_->Launcher().Set_Notes_File(Temp_Lst.Path());
        // A rebuild after a fetch never opens the "Today:" alert: no message box comes from a
        // timer while the user is elsewhere.
        connect(remote_, &RemoteLink::Events_Changed, this, [this] {
            // The note sync may have written calendar.dat: a note changed to a text of the same
            // length within the resolution of the file's times would look unchanged.
            Month_Events.Invalidate();
            const bool shown = Alert_Shown;
            Alert_Shown = true;
            Refresh_Calendar();
            Alert_Shown = shown;
        });
    }
    return *remote_;
}

void Main_Frm::Notes_Changed() {
    if (remote_)
        remote_->Launcher().Notes_Changed();
}

QList<RemoteDayEvent> Main_Frm::Remote_Day(const QDate& day) const {
    if (!remote_ || !day.isValid())
        return {};
    return remote_->Events().Day_Events(day);
}
