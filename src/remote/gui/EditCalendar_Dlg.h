#pragma once

#include "remote/RemoteAccounts.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

// The Calendars tab's Edit: a calendar's name, address, user name, password, colour, refresh
// interval, whether it is on and, for a CalDAV calendar, whether it keeps the notes. An empty
// password keeps the one already given.
class EditCalendar_Dlg : public QDialog {
    Q_OBJECT
  public:
    explicit EditCalendar_Dlg(const RemoteCalendar& calendar, QWidget* parent = nullptr);

    RemoteCalendar Edited() const;
    QString Password() const;

    QLineEdit* Name_Txt = nullptr;
    QLineEdit* Url_Txt = nullptr;
    QLineEdit* User_Txt = nullptr;
    QLineEdit* Password_Txt = nullptr;
    QPushButton* Colour_Btn = nullptr;
    QSpinBox* Minutes_Spn = nullptr;
    QCheckBox* Enabled_Chk = nullptr;
    QCheckBox* Notes_Chk = nullptr;

  private:
    void Show_Colour();
    // An .ics address can't be written to: it can't keep the notes.
    void Url_Changed();

    RemoteCalendar calendar_;
};
