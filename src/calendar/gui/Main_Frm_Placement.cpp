// Where the calendar window sits in the work area.
#include "calendar/gui/Main_Frm.h"

#include "calendar/Placement.h"

#include <QGuiApplication>
#include <QScreen>

TwipRect Main_Frm::GetDesktopRect() const {
    const QScreen* shown_on = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!shown_on)
        return {};
    const TwipScale scale = TwipScale::For_Screen(shown_on);
    return Work_Area_In_Twips(shown_on->availableGeometry(), scale.Twips_Per_Pixel_X(),
                              scale.Twips_Per_Pixel_Y());
}

void Main_Frm::Position_Form(qint16 position) {
    const auto place =
        Place_Window(position, GetDesktopRect(), layout_.window_width, layout_.window_height,
                     Settings.Manual_PosX, Settings.Manual_PosY);
    if (place)
        move(Scale().Pixels(*place));
}

void Main_Frm::Set_Repos() {
    WorkAreaMemo = GetDesktopRect();
}
