// Opening the settings window from the calendar window.
#include "calendar/gui/Main_Frm.h"
#include "settings/gui/Settings_Frm.h"

Settings_Frm* Main_Frm::Settings_Window() const {
    return (settings_frm_ && !settings_frm_->Unloaded()) ? settings_frm_.data() : nullptr;
}

void Main_Frm::Show_Settings() {
    Settings_Frm* window = Settings_Window();
    if (!window) {
        window = new Settings_Frm(this);
        settings_frm_ = window;
        window->Form_Load();
    }
    // A minimised window comes back as it was before, and to the front.
    if (window->isMinimized())
        window->showNormal();
    window->show();
    window->raise();
    window->activateWindow();
}
