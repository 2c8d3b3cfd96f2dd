#pragma once

#include "settings/gui/SettingsPage.h"

class QLabel;

// The "About" tab: the program's name, version, platforms and the link to its help page.
class About_Page : public SettingsPage {
    Q_OBJECT
  public:
    About_Page(Settings_Frm* frame, Main_Frm* calendar);

    // Opens the help page of the program folder with the desktop's default handler.
    void Link_Lbl_Click();

    QLabel* Name_Lbl = nullptr;
    QLabel* Version_Lbl = nullptr;
    QLabel* Platforms_Lbl = nullptr;
    QLabel* Link_Lbl = nullptr;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
