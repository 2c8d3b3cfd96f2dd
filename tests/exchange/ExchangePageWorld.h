#pragma once

#include "calendar/gui/ColourLabel.h"
#include "common/CalendarWorld.h"
#include "exchange/gui/Exchange_Page.h"
#include "filedialog/FileDialogControl.h"
#include "settings/gui/Settings_Frm.h"

#include <QTest>

// The calendar on 10 February 2026 with its settings window open, its file dialogs answered by
// a recorder and its message boxes recorded.
struct PageWorld {
    CalendarWorld world;
    FileDialogRecorder dialogs;
    Main_Frm* window = nullptr;
    Exchange_Page* page = nullptr;

    explicit PageWorld(const QStringList& records = {}) {
        if (!records.isEmpty())
            world.Write_Events(records);
        window = &world.Start();
        QTest::keyClick(window, Qt::Key_F8);
        page = window->Settings_Window()->Exchange();
    }
    int Box_Of_Day(int day) const {
        return window->Start_Box(window->ViewMonth, window->ViewYear) + day - 1;
    }
    QString Caption_Of_Day(int day) const {
        return window->Box_Caption_Lbl[Box_Of_Day(day)]->Shown_Text().simplified();
    }
    QString Data() const { return world.env.Data_File(); }
    QString Backup() const { return world.env.Program_Dir() + "/data.bak"; }
};
