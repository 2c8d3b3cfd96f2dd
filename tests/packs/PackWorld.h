#pragma once

#include "calendar/AppSettings.h"
#include "calendar/MsgBox.h"
#include "calendar/SettingsStore.h"
#include "common/TestEnv.h"
#include "common/TestPacks.h"
#include "desktop/RecordingPlatform.h"
#include "packs/PackFolder.h"

// A program folder with packs in a private world, its settings, message boxes and wallpaper.
struct PackWorld {
    TestEnv env;
    MsgBoxRecorder boxes;
    RecordingPlatform platform;
    SettingsStore store{Settings_File_Path()};
    AppSettings settings;
    PackContext context{env.Program_Dir(), settings, store};

    QString Folder(const QString& pack) const { return env.Program_Dir() + "/" + pack; }
    // A pack with the given settings.ini and pictures of 40 x 30 pixels for the months listed.
    void Make_Pack(const QString& pack, const QByteArray& ini, QList<int> months = {}) const {
        Write_Test_Pack(env.Program_Dir(), pack, ini, months);
    }
    QString Last_Message() const {
        return boxes.shown.isEmpty() ? QString() : boxes.shown.last().text;
    }
};
