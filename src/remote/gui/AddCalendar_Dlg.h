#pragma once

#include "remote/RemoteAccounts.h"

#include <QDialog>
#include <QPointer>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProcess;
class QPushButton;

// The Calendars tab's Add: an address, and for a server a user name and password. A calendar
// file is added as typed; a server is asked for its calendars by the fetch program (so this
// window needs no network code), and the user ticks the ones to show. With one ticked, it may
// keep the notes.
class AddCalendar_Dlg : public QDialog {
    Q_OBJECT
  public:
    AddCalendar_Dlg(QString fetch_program, qsizetype existing, QWidget* parent = nullptr);
    ~AddCalendar_Dlg() override;

    // The calendars to add once the dialog was accepted.
    QList<RemoteCalendar> Chosen() const;
    QString Password() const;

    QLineEdit* Url_Txt = nullptr;
    QLineEdit* User_Txt = nullptr;
    QLineEdit* Password_Txt = nullptr;
    QListWidget* Found_Lst = nullptr;
    QCheckBox* Notes_Chk = nullptr;
    QLabel* Status_Lbl = nullptr;
    QPushButton* Ok_Btn = nullptr;
    QPushButton* Cancel_Btn = nullptr;

  private:
    void Ok_Btn_Click();
    void Discover();
    void Discovered();
    // The notes go to one calendar: the box is open while exactly one is ticked.
    void Ticks_Changed();
    int Ticked() const;

    QString fetch_program_;
    qsizetype existing_;
    // The address the list's calendars were found at; typing another asks again.
    QString found_at_;
    QPointer<QProcess> discovery_;
};
