#include "common/CalendarWorld.h"

#include "calendar/SettingsStore.h"
#include "events/EventStore.h"
#include "platform/DesktopNotifier.h"

#include <QFile>

CalendarWorld::CalendarWorld(const QDateTime& now) : clock(now) {
    Set_Clock(&clock);
}

CalendarWorld::~CalendarWorld() {
    window.reset();
    Set_Clock(nullptr);
}

void CalendarWorld::Set(const QString& key, const QVariant& value, const QString& section) {
    SettingsStore store(Settings_File_Path());
    store.Write(QStringLiteral("Almanor"), section, key, value);
}

void CalendarWorld::Write_Events(const QStringList& records) {
    QFile file(env.Data_File());
    if (file.open(QIODevice::WriteOnly))
        file.write(Format_Event_File(records));
}

Main_Frm& CalendarWorld::Start(std::unique_ptr<DesktopNotifier> notifier) {
    window = std::make_unique<Main_Frm>();
    if (notifier)
        window->Set_Notifier(std::move(notifier));
    StartOptions options;
    options.single_instance = false;
    options.splash = false;
    options.move_run_entry = false;
    window->Form_Load(options);
    return *window;
}
