#include "exchange/gui/Exchange_Page.h"

Exchange_Page::Exchange_Page(Settings_Frm* frame, Main_Frm* calendar)
    : SettingsPage(frame, calendar) {}

QString Exchange_Page::Choose_Export_File(const QString& title, const QString& filter,
                                          const QString& extension) {
    Q_UNUSED(title);
    Q_UNUSED(filter);
    Q_UNUSED(extension);
    return {};
}
