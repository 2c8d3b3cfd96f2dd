#include "InteractionWorld.h"

#include "calendar/SettingsStore.h"
#include "calendar/gui/ColourLabel.h"
#include "events/EventStore.h"

#include <QFile>
#include <QTimer>

InteractionWorld::InteractionWorld(const QDateTime& now) : clock(now) {
    Set_Clock(&clock);
}

InteractionWorld::~InteractionWorld() {
    window.reset();
    Set_Clock(nullptr);
}

void InteractionWorld::Set(const QString& key, const QVariant& value, const QString& section) {
    SettingsStore store(Settings_File_Path());
    store.Write(QStringLiteral("Almanor"), section, key, value);
}

QString InteractionWorld::Stored(const QString& key, const QString& section) const {
    SettingsStore store(Settings_File_Path());
    return store.Read(QStringLiteral("Almanor"), section, key, QStringLiteral("<none>"));
}

void InteractionWorld::Write_Events(const QStringList& records) {
    QFile file(env.Data_File());
    if (file.open(QIODevice::WriteOnly))
        file.write(Format_Event_File(records));
}

QStringList InteractionWorld::Events() const {
    bool ok = false;
    return Read_Event_Records(env.Data_File(), &ok);
}

Main_Frm& InteractionWorld::Start() {
    window = std::make_unique<Main_Frm>();
    StartOptions options;
    options.single_instance = false;
    options.splash = false;
    options.move_run_entry = false;
    window->Form_Load(options);
    window->Dectect_Date_Timer->stop();
    window->show();
    return *window;
}

qint16 InteractionWorld::Box_Index(int day) const {
    return qint16(window->Start_Box(window->ViewMonth, window->ViewYear) + day - 1);
}

ColourLabel* InteractionWorld::Box(int day) const {
    return window->Box_Lbl[Box_Index(day)];
}

ColourLabel* InteractionWorld::Caption(int day) const {
    return window->Box_Caption_Lbl[Box_Index(day)];
}

QStringList Menu_Items(const QList<PopMenuItem>& items) {
    QStringList texts;
    for (const PopMenuItem& item : items)
        texts.append(QString::number(item.id) + QLatin1Char(':') + item.text);
    return texts;
}
