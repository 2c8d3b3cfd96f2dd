// The calendar's remote calendars: set up only when one is on, their events asked of the core's
// event source, and the month rebuilt when the fetch program has written the cache.
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
    // The first fetch waits until the window is up: the cached events are shown meanwhile.
    QTimer::singleShot(0, remote_, [link = remote_] { link->Launcher().Schedule(); });
}

RemoteLink& Main_Frm::Remote_Link() {
    if (!remote_) {
        remote_ = new RemoteLink(
            Settings_File_Path(), Remote_Cache_Dir(), App_Path() + QStringLiteral("/AlmanorFetch"),
            [] { return Current_Clock().Now().toUTC(); }, this);
        // A rebuild after a fetch never opens the "Today:" alert: no message box comes from a
        // timer while the user is elsewhere.
        connect(remote_, &RemoteLink::Events_Changed, this, [this] {
            const bool shown = Alert_Shown;
            Alert_Shown = true;
            Refresh_Calendar();
            Alert_Shown = shown;
        });
    }
    return *remote_;
}

QList<RemoteDayEvent> Main_Frm::Remote_Day(const QDate& day) const {
    if (!remote_ || !day.isValid())
        return {};
    return remote_->Events().Day_Events(day);
}
