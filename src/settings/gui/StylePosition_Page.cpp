#include "settings/gui/StylePosition_Page.h"

StylePosition_Page::StylePosition_Page(Settings_Frm* frame, Main_Frm* calendar)
    : SettingsPage(frame, calendar) {}

void StylePosition_Page::Load_Desktop_Preview() {}
void StylePosition_Page::Load_Settings() {}
void StylePosition_Page::Show_Slider_Position() {}
void StylePosition_Page::Style_Preview() {}
