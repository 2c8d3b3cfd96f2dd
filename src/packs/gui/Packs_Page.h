#pragma once

#include "packs/PacksTab.h"
#include "settings/gui/SettingsPage.h"

#include <QStringList>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;

// The "Wallpaper" tab: wallpaper packs, the month preview, the desktop preview and the display
// mode.
class Packs_Page : public SettingsPage {
    Q_OBJECT
  public:
    Packs_Page(Settings_Frm* frame, Main_Frm* calendar);

    // Opening: the display-mode controls.
    void Form_Load();
    // Every activation: the list of packs with "Pack Name" selected, then the three pack check
    // boxes of both tabs.
    void Get_Papers();
    void Load_Pack_Checks();
    bool All_Files(int index) const;
    // Whether the chosen pack is still complete; removes it from the list when not.
    bool Check_Vaild();
    // Apply steps 3 and 4.
    void Save_Display_Mode();
    void Save_Theme();
    // The pending choices of this tab and the "Style & Position" tab.
    ThemeChoices Choices() const;

    // Handlers.
    void Packs_Cbo_Click();
    void Preview_Sli_Change();
    void Theme_Use_Chk_Click();
    void Other_Display_Chk_Click();
    void Preview_Btn_Click();
    // Parts of the month preview, in this order (Get_Theme_Pos reads the month's details).
    void Get_Theme_Pos();
    void Get_Theme_Style();
    void Get_Theme_Display();
    void Get_Theme_Picture();
    // The end of the desktop preview: the controls it disabled come back.
    void Desktop_Preview_Ended();

    QCheckBox* Theme_Use_Chk = nullptr;
    QComboBox* Packs_Cbo = nullptr;
    QStringList Packs_Lst;
    QSlider* Preview_Sli = nullptr;
    QLabel* Theme_Preview_Img = nullptr;
    QLabel* Loading_Lbl = nullptr;
    QLabel* Theme_Display_Lbl = nullptr;
    QLabel* Theme_Style_Lbl = nullptr;
    QLabel* Theme_Pos_Lbl = nullptr;
    QPushButton* Preview_Btn = nullptr;
    QCheckBox* Other_Display_Chk = nullptr;
    QComboBox* Display_Cbo = nullptr;

    qint16 SliderMonthBefore = 0;
    qint16 PackPreviewPosition = 0;

  private:
    void Set_Pack_Controls(bool enabled);
    QString Details() const;
    // The details of the previewed month, read by Get_Theme_Pos for the two labels after it.
    QString month_details_;
};
