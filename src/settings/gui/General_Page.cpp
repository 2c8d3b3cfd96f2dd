#include "settings/gui/General_Page.h"

General_Page::General_Page(Settings_Frm* frame, Main_Frm* calendar)
    : SettingsPage(frame, calendar) {}

void General_Page::Form_Load() {}
void General_Page::Save_General_Settings() {}
void General_Page::Save_Run_Entry() {}
void General_Page::Save_Title_Bar() {}
