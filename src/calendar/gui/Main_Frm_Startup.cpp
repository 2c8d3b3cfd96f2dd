// Start-up, the single-instance rule, the run-at-logon migration and the end of the program.
#include "calendar/gui/Main_Frm.h"

#include "calendar/AppPath.h"
#include "calendar/Clock.h"
#include "calendar/ColourValue.h"
#include "calendar/SettingsStore.h"
#include "calendar/SingleInstance.h"
#include "calendar/gui/ColourLabel.h"
#include "calendar/gui/Splash_Frm.h"
#include "events/gui/Edit_Frm.h"
#include "registry/Registry.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>

namespace {
const QString Run_Key = QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Run");
const QString Run_Value = QStringLiteral("Almanor");
} // namespace

void Main_Frm::Form_Load(const StartOptions& options) {
    options_ = options;
    Check_For_Multiple();
    Settings = Load_Settings_Reporting(SettingsStore());
    InactiveShown = true;
    Get_Wallpaper_Stuff(Settings.Pack_Name, true);

    const QDate today = Current_Clock().Today();
    const qint16 month = qint16(today.month());
    const qint16 year = qint16(today.year());
    Reset_Boxes();
    Setup_Boxes(month, year);
    ViewYear = year;
    ViewMonth = month;
    Set_Repos();
    Start_Remote();
    Load_Dates();
    Which_Month_Lbl->setText(Title());
    Set_Day_Headers();
    DayStamp = Day_Stamp(today);
    Set_Colours();
    Mark_Today();
    No_ShowDesktop_and_IconColours();
    date_watch_running_ = true;
    if (Settings.Auto_Compact == 1)
        Update_Timeout();
    Arm_Date_Watch();
    if (options_.move_run_entry)
        Move_Run_Entry();
}

void Main_Frm::Check_For_Multiple() {
    if (options_.single_instance && !instance_) {
        const QString name =
            options_.instance_name.isEmpty() ? Instance_Name() : options_.instance_name;
        instance_ = new SingleInstance(name, this);
        connect(instance_, &SingleInstance::Close_Requested, this, &Main_Frm::Close_On_Request);
        instance_->Check_For_Multiple();
    }
    QCoreApplication::setApplicationName(QStringLiteral("Almanor"));
    setWindowTitle(QStringLiteral("Almanor"));
}

void Main_Frm::Move_Run_Entry() {
    QVariant text;
    if (Read_Value(QStringLiteral("HKLM"), Run_Key, Run_Value, QStringLiteral("S"), QString(),
                   text) != 0)
        return;
    Delete_Value(QStringLiteral("HKLM"), Run_Key, Run_Value);
    QVariant after;
    const qint32 still_there = Read_Value(QStringLiteral("HKLM"), Run_Key, Run_Value,
                                          QStringLiteral("S"), QString(), after);
    if (still_there == 0 || text.toString().isEmpty())
        return;
    const QString program = App_Path() + QLatin1Char('/') +
                            QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    Write_Value(QStringLiteral("HKCU"), Run_Key, Run_Value, QStringLiteral("S"), program);
}

// Update_Timeout and the date watch's tick live in Main_Frm_Timer.cpp.

void Main_Frm::Exit_Click() {
    // The editor and the balloon first (the settings window once it exists), then the calendar.
    Close_Other_Windows();
    close();
}

void Main_Frm::Close_On_Request() {
    // A pop-up menu or a dialog runs an event loop of its own inside the handler that opened it.
    // Close them and come back once those handlers have returned, so none of them goes on with
    // a closed calendar, and no open menu keeps the program alive.
    bool waiting = false;
    for (int i = 0; i < 16 && QApplication::activePopupWidget(); ++i) {
        QApplication::activePopupWidget()->close();
        waiting = true;
    }
    for (int i = 0; i < 16 && QApplication::activeModalWidget(); ++i) {
        QWidget* dialog = QApplication::activeModalWidget();
        dialog->close();
        // A question without a Cancel refuses to close: hidden, it gives its escape answer.
        if (dialog->isVisible())
            dialog->hide();
        waiting = true;
    }
    if (waiting) {
        // Late enough for their loops to have ended and their handlers to have returned.
        QTimer::singleShot(50, this, &Main_Frm::Close_On_Request);
        return;
    }
    if (!Save_Open_Work())
        return;
    close();
}

bool Main_Frm::Save_Open_Work() {
    Edit_Frm* editor = Editor();
    return !editor || editor->Save_Before_Close();
}
