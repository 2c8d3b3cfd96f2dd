#include "packs/gui/Packs_Page.h"

Packs_Page::Packs_Page(Settings_Frm* frame, Main_Frm* calendar) : SettingsPage(frame, calendar) {}

void Packs_Page::Form_Load() {}
void Packs_Page::Get_Papers() {}
void Packs_Page::Load_Pack_Checks() {}
void Packs_Page::Save_Display_Mode() {}
void Packs_Page::Save_Theme() {}
