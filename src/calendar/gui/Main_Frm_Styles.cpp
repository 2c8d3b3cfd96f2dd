// Box styles and colours of the calendar window.
#include "calendar/gui/Main_Frm.h"

#include "calendar/ColourValue.h"
#include "calendar/gui/ColourLabel.h"

#include <QApplication>

void Main_Frm::Which_Style(qint16 style) {
    const bool sixth_row = !Box_Lbl[35]->isHidden();
    Which_Style_Layout(layout_, style, sixth_row);
    // A new style (Apply, a pack, the desktop preview) leaves compact mode as it was.
    if (Compacted)
        Compact_Layout(layout_);
    if (Style_Geometry(style)) {
        for (ColourLabel* box : Box_Lbl) {
            if (box->font().underline()) {
                QFont font = box->font();
                font.setUnderline(false);
                box->setFont(font);
            }
        }
    }
    Apply_Layout();
}

void Main_Frm::Set_Colours() {
    Colour_Boxes();
    Colour_Nums();
    Colour_Texts();
    Colour_Menus();
    if (!Is_Active_Window())
        Colour_Inactive();
}

void Main_Frm::Colour_Boxes() {
    for (ColourLabel* box : Box_Lbl)
        box->Set_Back_Colour(Settings.Normal);
}

void Main_Frm::Colour_Nums() {
    for (ColourLabel* box : Box_Lbl)
        box->Set_Fore_Colour(Settings.Num);
}

void Main_Frm::Colour_Texts() {
    for (ColourLabel* caption : Box_Caption_Lbl)
        caption->Set_Fore_Colour(Settings.Text);
}

void Main_Frm::Colour_Menus() {
    if (Settings.Menu_Colour_Source != 0) {
        back_colour_ = Settings.Back;
        Set_Header_Colour(Settings.Fore);
    } else {
        back_colour_ = IconTextBack == No_Colour ? Dark_Grey : IconTextBack;
        Set_Header_Colour(IconTextFore);
    }
    update();
}

void Main_Frm::Colour_Inactive() {
    Set_Header_Colour(Settings.Inactive);
}

void Main_Frm::Set_Header_Colour(qint32 colour) {
    Prev_Month_Lbl->Set_Fore_Colour(colour);
    Which_Month_Lbl->Set_Fore_Colour(colour);
    Next_Month_Lbl->Set_Fore_Colour(colour);
    for (ColourLabel* header : Day_Lbl)
        header->Set_Fore_Colour(colour);
}

bool Main_Frm::Is_Active_Window() const {
    return QApplication::activeWindow() == this;
}
