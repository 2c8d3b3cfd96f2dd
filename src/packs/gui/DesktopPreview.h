#pragma once

#include "calendar/AppSettings.h"
#include "packs/PacksTab.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

class Main_Frm;
class Settings_Frm;

// The year of a pack played on the real desktop: each month's picture, box style and position
// for a while, then the calendar's settings and the desktop as they were. It runs on its own
// timer, apart from the windows, so closing the calendar or the settings window while it plays
// (or quitting the program) only ends it early: the settings and the desktop are put back all
// the same. Only one plays at a time.
class DesktopPreview : public QObject {
    Q_OBJECT
  public:
    // How long each month shows; tests shorten it.
    static inline int Month_Ms = 3000;

    // Starts the preview of pack with the tab's unapplied choices; false, doing nothing, while
    // another one plays.
    static bool Start(Main_Frm* calendar, Settings_Frm* frame, const QString& pack,
                      const AppSettings& preview_settings);
    // The preview that plays now, or nullptr.
    static DesktopPreview* Running();

    ~DesktopPreview() override;

  private:
    DesktopPreview(Main_Frm* calendar, Settings_Frm* frame, const QString& pack);
    void Show_Month();
    void Next();
    void Finish();

    QPointer<Main_Frm> calendar_;
    QPointer<Settings_Frm> frame_;
    QString pack_;
    AppSettings saved_;
    DesktopSnapshot desktop_;
    QTimer timer_;
    qint16 month_ = 1;
    bool date_watch_was_running_ = false;
    bool finished_ = false;
};
