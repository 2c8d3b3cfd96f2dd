#include "common/SettingsWindowWorld.h"

#include "calendar/SettingsStore.h"

#include "common/TestPacks.h"

SettingsWindowWorld::SettingsWindowWorld(const QDateTime& now) : world(now) {}

SettingsWindowWorld::~SettingsWindowWorld() {
    delete frame.data();
}

Settings_Frm& SettingsWindowWorld::Open() {
    Main_Frm& calendar = world.Start();
    frame = new Settings_Frm(&calendar);
    frame->Form_Load();
    frame->Form_Activate();
    return *frame;
}

void SettingsWindowWorld::Make_Pack(const QString& pack, const QByteArray& ini,
                                    QList<int> months) const {
    Write_Test_Pack(world.env.Program_Dir(), pack, ini, months);
}

QString SettingsWindowWorld::Stored(const QString& key) const {
    return SettingsStore(Settings_File_Path())
        .Read(QStringLiteral("Almanor"), QStringLiteral("Settings"), key,
              QStringLiteral("missing"));
}
