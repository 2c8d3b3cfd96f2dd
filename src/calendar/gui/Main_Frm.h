#pragma once

#include "calendar/AppSettings.h"
#include "calendar/BoxStyles.h"
#include "calendar/TwipScale.h"
#include "calendar/gui/Splash_Frm.h"
#include "events/EventStore.h"

#include <QPointer>
#include <QWidget>

#include <array>

class ColourLabel;
class QLabel;
class QTimer;
class SingleInstance;

// What a start-up may do besides building the window. The program uses all of it; tests turn off
// what would reach outside the test (other running copies, the splash, the run-at-logon entry).
struct StartOptions {
    bool single_instance = true;
    bool splash = true;
    bool move_run_entry = true;
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
    void Get_Wallpaper_Stuff(const QString& pack_name);
    void Update_Timeout();
    // The day-box menu's "Exit": closes the other windows of the program, then this one.
    void Exit_Click();

    // The month grid.
    void Reset_Boxes();
    void Setup_Boxes(qint16 month, qint16 year);
    void Hide_Misc_Boxes();
    void Mark_Today();
    void Set_Day_Headers();
    void Refresh_Calendar();
    qint16 Start_Box(qint16 month, qint16 year) const;
    QString Title() const;

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

    // Events of the shown month.
    void Clear_Tooltips();
    void Load_Dates();
    // Shows one record of calendar.dat; false when the record is malformed.
    bool Enter_Date(const QString& record);
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
    QTimer* Dectect_Date_Timer = nullptr;

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
    // The desktop icon text colours; the icon text has no background on this desktop.
    qint32 IconTextBack = 0;
    qint32 IconTextFore = 0;
    // The events (hidden list of the original window).
    EventStore Temp_Lst;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void Create_Controls();
    void Apply_Layout();
    void Set_Header_Colour(qint32 colour);
    void Dectect_Date_Timer_Timer();
    bool Is_Active_Window() const;

    GridLayout layout_;
    qint32 back_colour_ = 4934475;
    StartOptions options_;
    QPointer<Splash_Frm> splash_;
    SingleInstance* instance_ = nullptr;
};

// The day stamp of a date: day, month and year joined by ":" (6:12:2026).
QString Day_Stamp(const QDate& date);
