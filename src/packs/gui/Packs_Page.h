#pragma once

#include "settings/gui/SettingsPage.h"

// The "Wallpaper" tab: wallpaper packs, the month preview, the desktop preview and the display
// mode.
class Packs_Page : public SettingsPage {
    Q_OBJECT
  public:
    Packs_Page(Settings_Frm* frame, Main_Frm* calendar);

    // Opening: the display-mode controls.
    void Form_Load();
    // Every activation.
    void Get_Papers();
    void Load_Pack_Checks();
    // Apply steps 3 and 4.
    void Save_Display_Mode();
    void Save_Theme();
};
