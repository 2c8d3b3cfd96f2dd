#pragma once

#include "settings/gui/SettingsPage.h"

// The "Tooltips" tab: which kind of tooltip the calendar uses, with a live example.
class Tooltips_Page : public SettingsPage {
    Q_OBJECT
  public:
    Tooltips_Page(Settings_Frm* frame, Main_Frm* calendar);

    // Every activation: selects the option of the calendar's tooltip kind.
    void Load_Settings();
    // Part of Apply step 2: stores the tooltip kind when it changed.
    void Save_Tooltips();
};
