#pragma once

#include "remote/RemoteAccounts.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

// The Calendars tab's Edit: a calendar's name, address, user name, password, colour, refresh
// interval and whether it is on. An empty password keeps the one already given.
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

  private:
    void Show_Colour();

    RemoteCalendar calendar_;
};
