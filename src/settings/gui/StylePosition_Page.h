#pragma once

#include "calendar/BoxStyles.h"
#include "settings/StylePosition.h"
#include "settings/gui/SettingsPage.h"

#include <array>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QRadioButton;
class QSlider;
class ScreenPicture;

// The "Style & Position" tab: box style, position sliders and the position preview, which shows
// a miniature calendar inside a miniature of the desktop picture. The check boxes that let a
// pack decide the style and the position sit here too.
class StylePosition_Page : public SettingsPage {
    Q_OBJECT
  public:
    StylePosition_Page(Settings_Frm* frame, Main_Frm* calendar);

    // Opening, and whenever packs are turned off: the desktop picture behind the position
    // preview. Any failure leaves the picture as it was, silently.
    void Load_Desktop_Preview();
    // Shows a picture file in the position preview; false, changing nothing, when it can't be
    // read.
    bool Load_Position_Picture(const QString& path);
    // Every activation: style and position options from the calendar's settings.
    void Load_Settings();

    qint16 Get_Set_Position() const;
    // Sets both sliders for an "Alignment" number; 7 and unknown numbers leave them alone.
    void Setup_Set_Position(qint16 position);
    void Show_Slider_Position();
    void Draw_Position_Preview(qint16 position);
    void Slider_Text(QSlider* slider);
    void Large_Preview();
    void Small_Preview();
    void Style_Preview();
    void Set_Box_Preview_Size(qint16 preview_number);
    // The style of the selected option: 1, 0 or 2 (0 when none is selected).
    qint16 Selected_Style() const;

    // Handlers.
    void Style_Opt_Click();
    void Pos_Set_Opt_Click();
    void Pos_Manual_Opt_Click();
    void Theme_Style_Chk_Click();
    void Theme_Pos_Chk_Click();
    // Redraws the position preview: at the pack's position when "Use Pack Position when
    // available" is ticked, else from the sliders.
    void Redraw_Position();

    // Where the calendar box and the desktop picture are, in twips within the "Position" frame.
    TwipRect Box_Preview_Twips() const { return box_; }
    TwipRect Pos_Preview_Twips() const { return desktop_; }

    QGroupBox* Frame6 = nullptr;
    QRadioButton* Style1_Opt = nullptr;
    QRadioButton* Style2_Opt = nullptr;
    QRadioButton* Style3_Opt = nullptr;
    QCheckBox* Theme_Style_Chk = nullptr;
    std::array<QLabel*, 5> Example_Lbl{};
    QGroupBox* Frame4 = nullptr;
    QCheckBox* Theme_Pos_Chk = nullptr;
    QRadioButton* Pos_Set_Opt = nullptr;
    QRadioButton* Pos_Manual_Opt = nullptr;
    QSlider* Horizontal_Sli = nullptr;
    QSlider* Vertical_Sli = nullptr;
    ScreenPicture* Preview_Screen_Img = nullptr;
    QLabel* Pos_Preview_Img = nullptr;
    QLabel* Box_Preview_Img = nullptr;

  private:
    void Build_Style_Frame();
    void Build_Position_Frame();
    void Apply_Preview_Layout(const PreviewLayout& layout);
    void Place(QWidget* widget, const TwipRect& twips) const;

    TwipRect desktop_;
    TwipRect box_;
    qint16 box_number_ = 0;
};
