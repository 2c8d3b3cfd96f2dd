// The calendar on the desktop: its window layer, the desktop icon colours and the monthly
// wallpaper of the packs.
#include "calendar/gui/Main_Frm.h"

#include "calendar/AppPath.h"
#include "calendar/Clock.h"
#include "calendar/ColourValue.h"
#include "calendar/SettingsStore.h"
#include "calendar/gui/Splash_Frm.h"
#include "packs/MonthlyWallpaper.h"
#include "packs/PackFolder.h"
#include "platform/Platform.h"

void Main_Frm::No_ShowDesktop_and_IconColours() {
    // Every X11 desktop has a root window for the calendar to live on, so the splash may show.
    if (options_.splash && Settings.Show_Splash == 1) {
        if (!splash_)
            splash_ = new Splash_Frm();
        splash_->Place_Over(this);
        splash_->show();
    }
    // The desktop draws its icon labels without a background, in white.
    IconTextBack = No_Colour;
    IconTextFore = White;
    // Instead of becoming a child of the desktop window, the calendar asks the window manager
    // for the desktop layer. Changing window flags hides a shown window, so only before the
    // first show; the platform call works either way.
    if (!isVisible())
        setWindowFlag(Qt::WindowStaysOnBottomHint, true);
    winId();
    Current_Platform().Keep_On_Desktop(windowHandle());
}

void Main_Frm::Get_Wallpaper_Stuff(const QString& pack_name, bool at_start) {
    SettingsStore store;
    PackContext context{App_Path(), Settings, store};
    ::Get_Wallpaper_Stuff(context, pack_name, qint16(Current_Clock().Today().month()), at_start);
}

void Main_Frm::Preview_Wallpaper_Stuff(const QString& pack_name, qint16 month) {
    SettingsStore store;
    PackContext context{App_Path(), Settings, store};
    ::Preview_Wallpaper_Stuff(context, pack_name, month);
}

QString Main_Frm::Get_Paper_Details(qint16 month, const QString& pack_name) {
    SettingsStore store;
    PackContext context{App_Path(), Settings, store};
    return ::Get_Paper_Details(context, month, pack_name);
}

qint16 Main_Frm::Get_Paper_BoxStyle(const QString& details) const {
    return ::Get_Paper_BoxStyle(details);
}

qint16 Main_Frm::Get_Paper_Pos(const QString& details) const {
    return ::Get_Paper_Pos(details);
}

qint16 Main_Frm::Get_Paper_DisplayMode(const QString& details) const {
    return ::Get_Paper_DisplayMode(details);
}

QString Main_Frm::Get_Paper_Path(const QString& pack_name, qint16 month) {
    return ::Get_Paper_Path(App_Path(), pack_name, month);
}

void Main_Frm::Delete_Old_Bmps(const QString& pack_name) {
    ::Delete_Old_Bmps(App_Path(), pack_name);
}
