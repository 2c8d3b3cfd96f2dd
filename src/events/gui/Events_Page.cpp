#include "events/gui/Events_Page.h"

Events_Page::Events_Page(Settings_Frm* frame, Main_Frm* calendar) : SettingsPage(frame, calendar) {}

void Events_Page::Form_Load() {}
void Events_Page::Write_Month_Titles() {}
void Events_Page::Get_Stats() {}
