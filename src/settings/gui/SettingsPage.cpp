#include "settings/gui/SettingsPage.h"

#include "calendar/TwipScale.h"
#include "calendar/gui/Main_Frm.h"
#include "settings/gui/Settings_Frm.h"

SettingsPage::SettingsPage(Settings_Frm* frame, Main_Frm* calendar)
    : QWidget(frame), frame_(frame), calendar_(calendar) {
    setFont(frame->font());
}

Main_Frm* SettingsPage::Calendar() const {
    return calendar_.data();
}

QRect SettingsPage::Place(int left, int top, int width, int height) const {
    constexpr qint32 Twips = 15;
    return TwipScale::For_Screen(screen()).Pixels(
        TwipRect{left * Twips, top * Twips, width * Twips, height * Twips});
}
