#pragma once

#include "settings/gui/SettingsPage.h"

// The "Events" tab: the events overview and the statistics of calendar.dat.
class Events_Page : public SettingsPage {
    Q_OBJECT
  public:
    Events_Page(Settings_Frm* frame, Main_Frm* calendar);

    // Opening: the sort order starts at "Ascending Date".
    void Form_Load();
    // Every activation: month titles and statistics.
    void Write_Month_Titles();
    void Get_Stats();
};
