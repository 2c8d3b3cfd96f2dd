#pragma once

#include "calendar/AppSettings.h"
#include "calendar/BoxStyles.h"
#include "calendar/ColourValue.h"
#include "calendar/TwipScale.h"
#include "calendar/gui/Splash_Frm.h"
#include "events/EventStore.h"
#include "events/MonthEventCache.h"

#include <QDateTime>
#include <QPointer>
#include <QWidget>

#include <array>
#include <memory>

class ColourLabel;
class DayChangeWatch;
class DesktopNotifier;
class Edit_Frm;
class frmBalloon;
class QMouseEvent;
class QLabel;
class QScreen;
class QTimer;
class RemoteLink;
struct RemoteDayEvent;
class Settings_Frm;
class SingleInstance;

// What a start-up may do besides building the window. The program uses all of it; tests turn off
// what would reach outside the test (other running copies, the splash, the run-at-logon entry).
struct StartOptions {
    bool single_instance = true;
    bool splash = true;
    bool move_run_entry = true;
    // The name the single-instance check listens on; empty for the program's own name. Tests
    // give their own so they never close a calendar that is really running.
    QString instance_name;
};

// The calendar window: the month grid with its title strip and weekday headers.
class Main_Frm : public QWidget {
    Q_OBJECT
  public:
    explicit Main_Frm(QWidget* parent = nullptr);
    ~Main_Frm() override;

    // The start-up sequence, run once before the window is first shown.
    void Form_Load(const StartOptions& options = {});

    // Start-up steps.
    void Check_For_Multiple();
    void Move_Run_Entry();
    void No_ShowDesktop_and_IconColours();
    // at_start: a wallpaper already in place is not set again.
    void Get_Wallpaper_Stuff(const QString& pack_name, bool at_start = false);
    void Update_Timeout();
    // The day-box menu's "Exit": closes the other windows of the program, then this one.
    void Exit_Click();
    // Another program asks the calendar to end (a later copy, the Remover, PositionReset, the
    // end of the session): menus and dialogs open at that moment are closed first, what the
    // editor holds is saved as OK would save it, then the program closes. When that save fails
    // the calendar stays, with the editor and its text.
    void Close_On_Request();
    // Saves what the open editor holds when the user changed it and it differs from what is
    // stored (the session is ending). False when that save failed.
    bool Save_Open_Work();

    // The month grid.
    void Reset_Boxes();
    void Setup_Boxes(qint16 month, qint16 year);
    void Hide_Misc_Boxes();
    void Mark_Today();
    void Set_Day_Headers();
    void Refresh_Calendar();
    qint16 Start_Box(qint16 month, qint16 year) const;
    QString Title() const;
    QString Title(const QDateTime& now) const;

    // Layout and colours.
    void Which_Style(qint16 style);
    void Set_Colours();
    void Colour_Boxes();
    void Colour_Nums();
    void Colour_Texts();
    void Colour_Menus();
    void Colour_Inactive();
    qint32 Back_Colour() const { return back_colour_; }

    // Placement; the work area in twips.
    TwipRect GetDesktopRect() const;
    void Position_Form(qint16 position);
    void Set_Repos();

    // The desktop and the wallpaper packs (Main_Frm_Desktop.cpp). Get_Wallpaper_Stuff is also
    // the date watch's wallpaper step: call it with Settings.Pack_Name on every change of the
    // date; it converts a new picture only when the month changed.
    void Preview_Wallpaper_Stuff(const QString& pack_name, qint16 month);
    QString Get_Paper_Details(qint16 month, const QString& pack_name);
    qint16 Get_Paper_BoxStyle(const QString& details) const;
    qint16 Get_Paper_Pos(const QString& details) const;
    qint16 Get_Paper_DisplayMode(const QString& details) const;
    QString Get_Paper_Path(const QString& pack_name, qint16 month);
    void Delete_Old_Bmps(const QString& pack_name);

    // Events of the shown month.
    void Clear_Tooltips();
    void Load_Dates();
    // Shows one record of calendar.dat; false when the record is malformed.
    bool Enter_Date(const QString& record);
    // The same with today's date given: a whole file is read against one reading of the clock.
    bool Enter_Date(QStringView record, const QDate& today);
    void DotDotDot(const QString& text, QLabel* label);
    qint16 DDD_Style() const;
    void Get_Line(QLabel* label);
    // Width of a text in the window's font, in twips.
    qint32 Text_Width(const QString& text) const;

    TwipScale Scale() const;
    const GridLayout& Layout() const { return layout_; }
    Splash_Frm* Splash() const { return splash_; }
    SingleInstance* Instance() const { return instance_; }

    // Controls.
    ColourLabel* Which_Month_Lbl = nullptr;
    ColourLabel* Prev_Month_Lbl = nullptr;
    ColourLabel* Next_Month_Lbl = nullptr;
    std::array<ColourLabel*, 7> Day_Lbl{};
    std::array<ColourLabel*, Box_Count> Box_Lbl{};
    std::array<ColourLabel*, Box_Count> Box_Caption_Lbl{};
    QLabel* DotDotDot_Lbl = nullptr;
    // The date watch sleeps while nothing it shows can change, and wakes on what can change it:
    // activation, the screen's work area, the title's clock, the auto-compact deadline, and the
    // day (next midnight, clock and time-zone changes). Dectect_Date_Timer ticks every 100 ms
    // only while a change of the work area is being followed, one value a tick.
    QTimer* Dectect_Date_Timer = nullptr;
    QTimer* Title_Clock_Timer = nullptr;
    QTimer* Compact_Timer = nullptr;
    DayChangeWatch* Day_Watch = nullptr;

    // Window-wide state.
    AppSettings Settings;
    qint16 ViewMonth = 1;
    qint16 ViewYear = 2000;
    bool InactiveShown = false;
    bool Compacted = false;
    bool Alert_Shown = false;
    QString DayStamp;
    // The work area when last seen, in twips. Kept in 32 bits so screens wider or taller than
    // 2184 pixels are followed as well.
    TwipRect WorkAreaMemo;
    // The desktop icon text colours; the icon text has no background on this desktop. They hold
    // the desktop's values from the start: the first Set_Colours runs before they are read.
    qint32 IconTextBack = No_Colour;
    qint32 IconTextFore = White;
    // The events (hidden list of the original window).
    EventStore Temp_Lst;
    // calendar.dat sorted by month, kept between rebuilds of the month (Load_Dates).
    MonthEventCache Month_Events;

    // ---- Interaction: the editor, navigation, menus, keys, the date watch, compact mode,
    // dragging, tooltips and balloons (Main_Frm_{Navigation,Menus,Keys,Timer,Drag,Mouse,
    // Tooltips}.cpp, events/gui/Edit_Frm_Box.cpp).
    void Edit_Box(qint16 index);
    // Opens the editor on a day, wherever the view has moved since the day was chosen.
    void Edit_Day(const QDate& day);
    Edit_Frm* Editor() const;
    void Next_Month();
    void Previous_Month();
    // Shows month / year (when the calendar can show it): title, and the grid unless compacted.
    void Show_Month(qint16 month, qint16 year);
    void Popup_Menu(qint16 index);
    void Popup_Months();
    void Popup_Years();
    void Popup_Start_Day(qint16 which_day);
    void Clear_Day(qint16 index);
    // "Clear" of a day chosen earlier: removes the record its box showed.
    void Clear_Date(const QDate& day);
    // Shows a stored event text in a day box: caption, tooltips, and the underline that marks a
    // day with an event (has_event) in the small style.
    void Show_Box_Event(qint16 index, const QString& stored, bool has_event);
    // Remote calendars: set up at start only when one is on, or when the Calendars tab asks.
    void Start_Remote();
    RemoteLink& Remote_Link();
    RemoteLink* Remote() const { return remote_; }
    // The day's events of the calendars that are on; none without a remote calendar.
    QList<RemoteDayEvent> Remote_Day(const QDate& day) const;
    // The calendar wrote calendar.dat (a note saved, cleared, removed or imported): the calendar
    // that keeps the notes, when one does, is synced a few seconds later.
    void Notes_Changed();
    void Show_Remote_Days(const QList<bool>& noted);
    int Caption_Lines(const QString& stored, qint16 index) const;
    // F8 and the day menu's "Settings": opens the settings window, or activates the open one.
    void Show_Settings();
    // The settings window while it is open; nullptr otherwise.
    Settings_Frm* Settings_Window() const;
    void Form_KeyUp(qint16 key_code, qint16 shift);
    void Next_Box_Style();
    void Check_Auto_Compact();
    void Check_Auto_Compact(const QDateTime& now);
    void Compact_Mode();
    void RePosition();
    // One tick of the date watch, as the timer runs it; every wake-up runs one.
    void Date_Watch_Tick();
    // Sets the date watch's wake-ups for what the window now shows (Main_Frm_Wake.cpp).
    void Arm_Date_Watch();
    void Arm_Compact_Timer(const QDateTime& now);
    // Stops every wake-up of the date watch (while something else owns the window, such as the
    // packs' desktop preview), or starts it again with a tick.
    void Set_Date_Watch_Running(bool running);
    bool Date_Watch_Running() const { return date_watch_running_; }
    void Balloon_Press(qint16 index);
    void Balloon_Tooltip(const QString& text);
    // Where a balloon of the given size in twips goes for the hovered box, in twips.
    qint32 GetBalloonTop(qint16 index, qint32 balloon_height) const;
    qint32 GetBalloonLeft(qint16 index, qint32 balloon_width) const;
    frmBalloon* Balloon() const;
    // Closes the editor and the balloon (end of the program).
    void Close_Other_Windows();
    // The date of a box of the shown month; invalid for a box without a day.
    QDate Box_Date(qint16 index) const;
    // The box of a date while its month is shown; -1 otherwise.
    qint16 Box_Index(const QDate& day) const;

    // Reminders ahead of time (events/gui/Main_Frm_Reminders.cpp). Shows them when they are due
    // at now: once a day, at "Remind Time" or at the first tick after it.
    void Check_Reminders(const QDateTime& now);
    // The delay to the next reminder, for the date watch; -1 while reminders are off.
    qint64 Reminder_Wake_Ms(const QDateTime& now);
    // The "Show" of a notice: the day's month, and the balloon of the day.
    void Show_Reminded_Day(const QDate& day);
    // The notification service; the desktop's own until a test gives another.
    void Set_Notifier(std::unique_ptr<DesktopNotifier> notifier);
    DesktopNotifier& Notifier();

    bool AutoCompacted = false;
    bool Balloon_Showing = false;
    bool Mouse_Released = true;
    qint16 Hovered_Box = 0;
    qint16 Edited_Box = -1;
    QDateTime Compact_Deadline;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void Connect_Interaction();
    bool Box_Mouse(qint16 index, QEvent* event);
    bool Title_Mouse(QEvent* event);
    void Drag_Press(QMouseEvent* event);
    void Drag_Move(QMouseEvent* event);
    void Drag_Release(QMouseEvent* event);
    void Idle_Activity();
    QPointer<Edit_Frm> edit_frm_;
    QPointer<frmBalloon> balloon_;
    QPointer<Settings_Frm> settings_frm_;
    std::unique_ptr<DesktopNotifier> notifier_;
    // The last day whose reminders were shown, read from the state file when first needed.
    QDate reminded_day_;
    bool reminded_read_ = false;
    RemoteLink* remote_ = nullptr;
    bool dragging_ = false;
    QPoint press_point_;
    QPoint press_window_;
    // ---- End of interaction.

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void Create_Controls();
    void Apply_Layout();
    void Set_Header_Colour(qint32 colour);
    void Dectect_Date_Timer_Timer();
    void Date_Watch_Check();
    void Date_Watch_Wake();
    bool Is_Active_Window() const;
    void Create_Date_Watch();
    void Follow_Screen(QScreen* screen);

    GridLayout layout_;
    qint32 back_colour_ = 4934475;
    StartOptions options_;
    QPointer<Splash_Frm> splash_;
    SingleInstance* instance_ = nullptr;
    QScreen* followed_screen_ = nullptr;
    bool date_watch_running_ = false;
};

// The day stamp of a date: day, month and year joined by ":" (6:12:2026).
QString Day_Stamp(const QDate& date);
