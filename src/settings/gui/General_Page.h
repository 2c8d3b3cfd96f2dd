#pragma once

#include "settings/gui/SettingsPage.h"

// The "Settings" tab: the title bar and the general options, with the run-at-logon entry.
class General_Page : public SettingsPage {
    Q_OBJECT
  public:
    General_Page(Settings_Frm* frame, Main_Frm* calendar);

    // Opening: fills the delay lists and loads the general options, the title bar and the
    // run-at-logon tick.
    void Form_Load();
    // Apply step 2 without the tooltip kind (the frame runs that between the two):
    // the general options that changed, then (Save_Run_Entry) the run-at-logon entry.
    void Save_General_Settings();
    void Save_Run_Entry();
    // Apply step 5.
    void Save_Title_Bar();
};
