#include "settings/gui/Tooltips_Page.h"

Tooltips_Page::Tooltips_Page(Settings_Frm* frame, Main_Frm* calendar)
    : SettingsPage(frame, calendar) {}

void Tooltips_Page::Load_Settings() {}
void Tooltips_Page::Save_Tooltips() {}
