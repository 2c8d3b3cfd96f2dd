#pragma once

#include <QWidget>

class QLabel;
class QTimer;

// The start-up splash: the program's name over the calendar for a moment.
class Splash_Frm : public QWidget {
    Q_OBJECT
  public:
    Splash_Frm();

    // Centres the splash over the calendar window.
    void Place_Over(const QWidget* calendar);

    QLabel* Label9 = nullptr;
    QLabel* Image1 = nullptr;
    QTimer* Start_Timer = nullptr;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void Start_Timer_Timer();
};
