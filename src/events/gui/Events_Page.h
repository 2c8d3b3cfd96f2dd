#pragma once

#include "events/EventStats.h"
#include "events/Overview.h"
#include "settings/gui/SettingsPage.h"

#include <QDateTime>
#include <QStringList>

#include <array>

class OverviewModel;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QListView;
class QModelIndex;
class QRadioButton;

// The "Events" tab: the events overview (every event of calendar.dat in a chosen order, the
// countdown to the chosen one, removal by double click) and the statistics of calendar.dat.
// Both are read from the file each time; the work is done by the plain functions of
// events/Overview.h and events/EventStats.h.
class Events_Page : public SettingsPage {
    Q_OBJECT
  public:
    Events_Page(Settings_Frm* frame, Main_Frm* calendar);

    // Opening: the sort order starts at "Ascending Date", which fills the overview once.
    void Form_Load();
    // Every activation: month titles and statistics.
    void Write_Month_Titles();
    void Get_Stats();

    // The view buttons.
    void Overview_Opt_Click();
    void Stats_Opt_Click();
    // A new sort order: the lists are read again.
    void Sort_Cbo_Click();
    // Reads calendar.dat into the overview's entries, in the order of the sort keys. The CSV
    // and text exports read their events from Dates_Lst() after calling this.
    void LoadOverviewLists();
    // Shows the entries in the list, in the chosen order.
    void Sort_List();
    const Overview& Dates_Lst() const;

    // The list's click (countdown) and double click (removal after asking).
    void Events_Lst_Click(const QModelIndex& index);
    void Events_Lst_DblClick(const QModelIndex& index);

    // The statistics pass.
    void Reset_Vars();
    void Write_Labels();
    const EventStats& Stats() const { return stats_; }

    // Controls.
    QGroupBox* View_Fra = nullptr;
    QRadioButton* Overview_Opt = nullptr;
    QRadioButton* Stats_Opt = nullptr;
    QFrame* Overview_Fra = nullptr;
    QLabel* Sort_Lbl = nullptr;
    QComboBox* Sort_Cbo = nullptr;
    QListView* Events_Lst = nullptr;
    QLabel* Countdown_Lbl = nullptr;
    QGroupBox* Events_Fra = nullptr;
    QLabel* Total_All_Lbl = nullptr;
    QLabel* Total_Year_Lbl = nullptr;
    QLabel* Before_Lbl = nullptr;
    QLabel* After_Lbl = nullptr;
    QGroupBox* Yearview_Fra = nullptr;
    std::array<QLabel*, 12> Month_Count_Lbl{};

  private:
    QString Data_File() const;
    // Tells a load error of the file at most once for one state of the file when quiet_repeat
    // is set: the statistics run on every activation, and closing the message activates the
    // window again.
    void Tell_Load_Error(bool quiet_repeat);

    OverviewModel* model_ = nullptr;
    EventStats stats_;
    QStringList month_titles_;
    QDateTime told_modified_;
    qint64 told_size_ = -1;
};
