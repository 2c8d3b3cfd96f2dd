#pragma once

#include <QPixmap>
#include <QPointer>
#include <QWidget>

class Main_Frm;
class QLabel;
class QTimer;

// A small rounded window with an icon, a bold title and a text: the long-press tooltip of a day.
// It closes itself when clicked or when another window becomes active, and is destroyed then.
class frmBalloon : public QWidget {
    Q_OBJECT
  public:
    // calendar: the window that owns the balloon and places it (may be null).
    explicit frmBalloon(Main_Frm* calendar);

    // Fills, sizes, shapes and places the balloon. lPosX / lPosY in twips, 0 for beside the
    // calendar's hovered box. bShowClose, lAutoCloseAfter, lHeight and lWidth are taken and not
    // used.
    void SetBalloon(const QString& sTitle, const QString& sText, qint32 lPosX, qint32 lPosY,
                    const QString& sIcon, bool bShowClose, qint32 lAutoCloseAfter, qint32 lHeight,
                    qint32 lWidth, const QString& sFont, double iFontSize);
    void HideBalloon();

    QLabel* imgDisplayIcon = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblText = nullptr;
    QTimer* Close_Timer = nullptr;
    // The pictures the icon can take; element 0 is the information icon.
    QList<QPixmap> imgIconXP;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void ShapeBalloon();
    void Close_Timer_Timer();

    QPointer<Main_Frm> calendar_;
    bool was_active_ = false;
    bool hiding_ = false;
    bool watching_ = false;
};
