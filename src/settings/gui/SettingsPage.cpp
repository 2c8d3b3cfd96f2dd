#include "settings/gui/SettingsPage.h"

#include "settings/gui/Settings_Frm.h"

SettingsPage::SettingsPage(Settings_Frm* frame, Main_Frm* calendar)
    : QWidget(frame), frame_(frame), calendar_(calendar) {
    setFont(frame->font());
}
