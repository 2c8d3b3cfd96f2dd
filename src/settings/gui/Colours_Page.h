#pragma once

#include "settings/ColourChoice.h"
#include "settings/gui/SettingsPage.h"

#include <array>

class ColourLabel;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The "Colours" tab: the seven colours, the palette and the preview. A click on an entry's label
// or swatch chooses which colour the palette sets; the swatches and the preview hold the pending
// colours until Apply.
class Colours_Page : public SettingsPage {
    Q_OBJECT
  public:
    Colours_Page(Settings_Frm* frame, Main_Frm* calendar);

    // Loads the swatches, the preview and the menu-colour options from the calendar's settings.
    void Load_Settings();
    // Apply step 1.
    void Save_Colours();

    // The sample box and the read-outs: one colour, or a gradient between two.
    void ShowColors(qint32 colour);
    void ShowGradient(qint32 colour1, qint32 colour2);
    // Sampling the palette at x, y (palette pixels) with the keyboard modifiers held.
    void Pal_MouseMove(Qt::KeyboardModifiers shift, int x, int y);
    // Picking: the last sampled colour goes to the chosen entry.
    void Pal_Click();
    // Chooses the entry whose colour the palette sets (its label turns bold).
    void Choose_Entry(int entry);
    void Reset_Labels();
    void Col_Sys_Opt_Click();
    void Col_Other_Opt_Click();
    void Default_Cols_Btn_Click();

    // The pending colours of the swatches.
    ColourSet Pending_Colours() const;
    int Edit_Colour = 0;
    // The sample box as drawn.
    QImage Sample_Image() const { return sample_; }

    std::array<QLabel*, Colour_Entry_Count> Col_Lbl{};
    std::array<ColourLabel*, Colour_Entry_Count> Col_Pic{};
    QRadioButton* Col_Sys_Opt = nullptr;
    QRadioButton* Col_Other_Opt = nullptr;
    QPushButton* Default_Cols_Btn = nullptr;
    ColourLabel* Preview_Month_Lbl = nullptr;
    ColourLabel* Preview_Prev_Lbl = nullptr;
    ColourLabel* Preview_Style0_Lbl = nullptr;
    ColourLabel* Preview_Style1_Lbl = nullptr;
    ColourLabel* Preview_Today_Lbl = nullptr;
    ColourLabel* Preview_Caption0_Lbl = nullptr;
    ColourLabel* Preview_Caption1_Lbl = nullptr;
    ColourLabel* Preview_Caption_Today_Lbl = nullptr;
    QLabel* Pal = nullptr;
    QLabel* lbColor = nullptr;
    std::array<QLineEdit*, 3> txCol{};

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Create_Entries();
    void Create_Preview();
    void Create_Palette();
    void Set_Entry_Colour(int entry, qint32 colour);
    void Menu_Preview_From_Swatches();
    void Show_Sample();

    QImage sample_;
};
