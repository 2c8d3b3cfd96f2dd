#pragma once

#include "settings/gui/SettingsPage.h"

// The "Colours" tab: the seven colours, the palette and the preview.
class Colours_Page : public SettingsPage {
    Q_OBJECT
  public:
    Colours_Page(Settings_Frm* frame, Main_Frm* calendar);

    // Loads the swatches, the preview and the menu-colour options from the calendar's settings.
    void Load_Settings();
    // Apply step 1.
    void Save_Colours();
};
