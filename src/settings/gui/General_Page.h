#pragma once

#include "settings/GeneralOptions.h"
#include "settings/gui/SettingsPage.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QSpinBox;
class QTimeEdit;

// The "Settings" tab: the title bar and the general options, with the run-at-logon entry. Its
// controls are loaded once, when the window opens, so their edits survive reactivation.
class General_Page : public SettingsPage {
    Q_OBJECT
  public:
    General_Page(Settings_Frm* frame, Main_Frm* calendar);

    // Opening: fills the delay lists and loads the general options, the title bar and the
    // run-at-logon tick.
    void Form_Load();
    void Fill_Timeout_Lists();
    void Get_Startup_Value();
    // Apply step 2 without the tooltip kind (the frame runs that between the two):
    // the general options that changed, then (Save_Run_Entry) the run-at-logon entry.
    void Save_General_Settings();
    void Save_Run_Entry();
    // Apply step 5.
    void Save_Title_Bar();

    // The title-bar preview: the calendar's title for now with the chosen formats.
    void Bar_Preview();
    void Auto_Compact_Chk_Click();
    void Trans_Icons_Chk_MouseUp();
    // The controls' values as Apply compares them.
    GeneralChoices Choices() const;

    QCheckBox* Bar_Time_Chk = nullptr;
    QComboBox* Bar_Time_Cbo = nullptr;
    QLabel* Label2 = nullptr;
    QComboBox* Bar_Date_Cbo = nullptr;
    QLabel* Bar_Preview_Lbl = nullptr;
    QCheckBox* Allow_Dragging_Chk = nullptr;
    QCheckBox* Alert_Chk = nullptr;
    QCheckBox* Carriage_Return_Chk = nullptr;
    QCheckBox* Auto_Compact_Chk = nullptr;
    QComboBox* Timeout_Value_Cbo = nullptr;
    QComboBox* Timeout_Format_Cbo = nullptr;
    QCheckBox* Trans_Icons_Chk = nullptr;
    QCheckBox* Startup_Chk = nullptr;
    QCheckBox* Splash_Chk = nullptr;
    QSpinBox* Remind_Days_Spn = nullptr;
    QTimeEdit* Remind_Time_Edt = nullptr;
    QCheckBox* Notifications_Chk = nullptr;

  private:
    void Create_Title_Bar();
    void Create_General();
    void Create_Reminders();
};
