#pragma once

#include "calendar/BoxStyles.h"

#include <QPointer>
#include <QWidget>

#include <array>

class About_Page;
class Calendars_Page;
class Colours_Page;
class Events_Page;
class Exchange_Page;
class General_Page;
class Main_Frm;
class Packs_Page;
class QPushButton;
class QWindow;
class StylePosition_Page;
class TabStrip;
class Tooltips_Page;

// The settings window: a tab strip over eight pages, and OK, Cancel and Apply. The frame only
// shows pages and runs the load, activation and Apply steps of the pages in their order; each
// page does its own work. A single modeless instance, created by the calendar window on first
// use and destroyed when closed.
class Settings_Frm : public QWidget {
    Q_OBJECT
  public:
    static constexpr int Page_Count = 9;

    explicit Settings_Frm(Main_Frm* calendar);

    void Form_Load();
    void Form_Activate();
    void TabStrip1_Click();
    // The 1-based number of the selected tab.
    qint16 Which_Tab() const;
    void None_Vis();
    void Position_Frames();
    // Where every page lies, in twips from the window's top left: a page lays its controls out
    // within this size.
    static TwipRect Page_Rect();
    void Apply_Btn_Click();
    void Ok_Btn_Click();
    void Cancel_Btn_Click();
    // Unloading, however caused: remembers the tab and restarts the compact-mode countdown.
    void Form_Unload();
    bool Unloaded() const { return unloaded_; }

    // The calendar window; nullptr once it is gone.
    Main_Frm* Calendar() const;
    Events_Page* Events() const { return events_; }
    Colours_Page* Colours() const { return colours_; }
    General_Page* General() const { return general_; }
    StylePosition_Page* Style_Position() const { return style_position_; }
    Tooltips_Page* Tooltips() const { return tooltips_; }
    Packs_Page* Packs() const { return packs_; }
    Exchange_Page* Exchange() const { return exchange_; }
    About_Page* About() const { return about_; }
    Calendars_Page* Calendars() const { return calendars_; }

    TabStrip* TabStrip1 = nullptr;
    std::array<QWidget*, Page_Count> Settings_Fra{};
    QPushButton* Ok_Btn = nullptr;
    QPushButton* Cancel_Btn = nullptr;
    QPushButton* Apply_Btn = nullptr;

  protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void Focus_Window_Changed(QWindow* window);
    bool Owns_Window(const QWindow* window) const;

    QPointer<Main_Frm> calendar_;
    Events_Page* events_ = nullptr;
    Colours_Page* colours_ = nullptr;
    General_Page* general_ = nullptr;
    StylePosition_Page* style_position_ = nullptr;
    Tooltips_Page* tooltips_ = nullptr;
    Packs_Page* packs_ = nullptr;
    Exchange_Page* exchange_ = nullptr;
    About_Page* about_ = nullptr;
    Calendars_Page* calendars_ = nullptr;
    bool unloaded_ = false;
    // Activation reloads the pages when the window shows first and when another window of the
    // program was active in between; the window's own message boxes and balloon don't count.
    bool activated_once_ = false;
    bool other_window_since_ = false;
};
