#pragma once

#include "settings/gui/SettingsPage.h"

// The "Style & Position" tab: box style, position sliders and the position preview.
class StylePosition_Page : public SettingsPage {
    Q_OBJECT
  public:
    StylePosition_Page(Settings_Frm* frame, Main_Frm* calendar);

    // Opening: the desktop picture behind the position preview.
    void Load_Desktop_Preview();
    // Every activation: style and position options from the calendar's settings.
    void Load_Settings();
    void Show_Slider_Position();
    void Style_Preview();
};
