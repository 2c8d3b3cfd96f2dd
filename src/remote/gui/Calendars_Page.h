#pragma once

#include "remote/RemoteAccounts.h"
#include "settings/gui/SettingsPage.h"

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class RemoteLink;

// The "Calendars" tab: the remote calendars with their colour, address, refresh interval, whether
// they are on and how their last refresh went; Add, Edit, Remove and Refresh Now. The calendar
// that keeps the notes is marked, and how its sync stands is told under the list. Changes are
// written to the settings file at once (the groups are the tab's own, nothing waits for Apply),
// and the calendar window shows them as soon as they are written.
class Calendars_Page : public SettingsPage {
    Q_OBJECT
  public:
    Calendars_Page(Settings_Frm* frame, Main_Frm* calendar);

    // Reads the calendars and their last refresh into the list.
    void Load_List();
    void Add_Btn_Click();
    void Edit_Btn_Click();
    void Remove_Btn_Click();
    void Refresh_Btn_Click();

    QTreeWidget* Calendars_Lst = nullptr;
    QPushButton* Add_Btn = nullptr;
    QPushButton* Edit_Btn = nullptr;
    QPushButton* Remove_Btn = nullptr;
    QPushButton* Refresh_Btn = nullptr;
    QLabel* Note_Lbl = nullptr;
    // The note sync's state; hidden while no calendar keeps the notes.
    QLabel* Sync_Lbl = nullptr;

  private:
    // The calendar window's link to its remote calendars, set up on first use; null without
    // a calendar window.
    RemoteLink* Link() const;
    // Writes the calendars and has the calendar window show them.
    void Store(const QList<RemoteCalendar>& calendars);
    void Enabled_Changed(QTreeWidgetItem* item, int column);
    // Keeps a typed password for the session and has the fetch program put it in the keyring;
    // the note under the list tells where it went.
    void Keep_Password(const RemoteCalendar& calendar, const QString& password);
    QString Fetch_Program() const;
    // Has the list read again whenever a fetch (a refresh or a note sync) ends.
    void Follow_Fetches(RemoteLink* link);
    void Show_Sync_State();
    // The calendar.dat whose notes are synced: the calendar window's.
    QString Data_File() const;
    int Selected() const;

    QList<RemoteCalendar> calendars_;
    bool loading_ = false;
};
