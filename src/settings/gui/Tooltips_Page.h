#pragma once

#include "settings/gui/SettingsPage.h"

#include <array>

class ColourLabel;
class QLabel;
class QRadioButton;

// The "Tooltips" tab: which kind of tooltip the calendar uses, with a live example.
class Tooltips_Page : public SettingsPage {
    Q_OBJECT
  public:
    Tooltips_Page(Settings_Frm* frame, Main_Frm* calendar);

    // Every activation: selects the option of the calendar's tooltip kind.
    void Load_Settings();
    // Part of Apply step 2: stores the tooltip kind when it changed.
    void Save_Tooltips();

    void Tips_Opt_Click(int index);
    // A left press on an example label while balloons are chosen: after 0.3 seconds with the
    // button still down, the sample balloon.
    void Example_Press();
    void Example_Tooltip();
    // The selected option's index, or -1.
    int Selected_Tip() const;

    std::array<QRadioButton*, 3> Tips_Opt{};
    QLabel* TipsTrigger_Lbl = nullptr;
    ColourLabel* TipBoxExample_Lbl = nullptr;
    ColourLabel* TipExample_Lbl = nullptr;
    QLabel* TipsNotes_Lbl = nullptr;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* preview_ = nullptr;
};
