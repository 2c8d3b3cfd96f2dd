#include "settings/gui/About_Page.h"

About_Page::About_Page(Settings_Frm* frame, Main_Frm* calendar) : SettingsPage(frame, calendar) {}
