#include "InteractionWorld.h"

#include "calendar/SettingsStore.h"
#include "calendar/gui/ColourLabel.h"
#include "events/EventStore.h"

#include <QTimer>

QString InteractionWorld::Stored(const QString& key, const QString& section) const {
    SettingsStore store(Settings_File_Path());
    return store.Read(QStringLiteral("Almanor"), section, key, QStringLiteral("<none>"));
}

QStringList InteractionWorld::Events() const {
    bool ok = false;
    return Read_Event_Records(env.Data_File(), &ok);
}

Main_Frm& InteractionWorld::Start() {
    CalendarWorld::Start();
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
