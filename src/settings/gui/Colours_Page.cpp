#include "settings/gui/Colours_Page.h"

Colours_Page::Colours_Page(Settings_Frm* frame, Main_Frm* calendar)
    : SettingsPage(frame, calendar) {}

void Colours_Page::Load_Settings() {}
void Colours_Page::Save_Colours() {}
