#pragma once

#include "settings/gui/SettingsPage.h"

// The "About" tab: the program's name, version, platforms and the help link.
class About_Page : public SettingsPage {
    Q_OBJECT
  public:
    About_Page(Settings_Frm* frame, Main_Frm* calendar);
};
