#include "settings/gui/Settings_Frm.h"

#include "calendar/SettingsStore.h"
#include "calendar/TwipScale.h"
#include "calendar/gui/Main_Frm.h"
#include "events/gui/Events_Page.h"
#include "exchange/gui/Exchange_Page.h"
#include "packs/gui/Packs_Page.h"
#include "remote/gui/Calendars_Page.h"
#include "settings/gui/About_Page.h"
#include "settings/gui/Colours_Page.h"
#include "settings/gui/General_Page.h"
#include "settings/gui/StylePosition_Page.h"
#include "settings/gui/TabStrip.h"
#include "settings/gui/Tooltips_Page.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QPushButton>
#include <QWindow>

namespace {

// Geometry in twips.
constexpr qint32 Tab_Left = 45;
constexpr qint32 Tab_Top = 45;
constexpr qint32 Tab_Width = 5505;
constexpr qint32 Tab_Height = 6180;
constexpr qint32 Page_Left = 225;
constexpr qint32 Page_Top = 765;
constexpr qint32 Window_Width = 5730;
constexpr qint32 Button_Top = 5760;
constexpr qint32 Button_Width = 1140;
constexpr qint32 Button_Height = 330;

} // namespace

Settings_Frm::Settings_Frm(Main_Frm* calendar) : QWidget(nullptr, Qt::Window), calendar_(calendar) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Almanor Settings"));
    setObjectName(QStringLiteral("Settings_Frm"));
    QFont arial(QStringLiteral("Arial"));
    arial.setPointSize(8);
    setFont(arial);

    const TwipScale scale = TwipScale::For_Screen(screen());
    // Two rows of tabs: nine captions don't fit side by side in the strip's width.
    TabStrip1 = new TabStrip(5, this);
    TabStrip1->setObjectName(QStringLiteral("TabStrip1"));
    for (const char* caption : {"Events", "Colours", "Settings", "Style && Position", "Tooltips",
                                "Wallpaper", "Import\\Export", "About", "Calendars"})
        TabStrip1->addTab(QString::fromUtf8(caption));
    // The strip's border: the tabs on top of a panel that holds the pages and the buttons.
    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    const int tabs_height = TabStrip1->Rows_Height();
    const QRect strip = scale.Pixels(TwipRect{Tab_Left, Tab_Top, Tab_Width, Tab_Height});
    panel->setGeometry(strip.adjusted(0, tabs_height - 1, 0, 0));
    TabStrip1->setGeometry(strip.x(), strip.y(), strip.width(), tabs_height);
    TabStrip1->raise();

    events_ = new Events_Page(this, calendar);
    colours_ = new Colours_Page(this, calendar);
    general_ = new General_Page(this, calendar);
    style_position_ = new StylePosition_Page(this, calendar);
    tooltips_ = new Tooltips_Page(this, calendar);
    packs_ = new Packs_Page(this, calendar);
    exchange_ = new Exchange_Page(this, calendar);
    about_ = new About_Page(this, calendar);
    calendars_ = new Calendars_Page(this, calendar);
    Settings_Fra = {events_, colours_,  general_, style_position_, tooltips_,
                    packs_,  exchange_, about_,   calendars_};
    for (int i = 0; i < Page_Count; ++i)
        Settings_Fra[i]->setObjectName(QStringLiteral("Settings_Fra_%1").arg(i));

    auto button = [&](const char* name, const char* caption, qint32 left) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QString::fromUtf8(name));
        b->setGeometry(scale.Pixels(TwipRect{left, Button_Top, Button_Width, Button_Height}));
        return b;
    };
    Ok_Btn = button("Ok_Btn", "OK", 1755);
    Cancel_Btn = button("Cancel_Btn", "Cancel", 2970);
    Apply_Btn = button("Apply_Btn", "Apply", 4185);
    Ok_Btn->setDefault(true);

    connect(TabStrip1, &TabStrip::currentChanged, this, [this] { TabStrip1_Click(); });
    connect(Ok_Btn, &QPushButton::clicked, this, [this] { Ok_Btn_Click(); });
    connect(Cancel_Btn, &QPushButton::clicked, this, [this] { Cancel_Btn_Click(); });
    connect(Apply_Btn, &QPushButton::clicked, this, [this] { Apply_Btn_Click(); });
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &Settings_Frm::Focus_Window_Changed);
}

void Settings_Frm::Focus_Window_Changed(QWindow* window) {
    // Another program's window takes the focus as nullptr: coming back from it is no
    // activation from within the program.
    if (!window || window == windowHandle())
        return;
    other_window_since_ = !Owns_Window(window);
}

bool Settings_Frm::Owns_Window(const QWindow* window) const {
    for (const QWindow* w = window; w; w = w->transientParent())
        if (w == windowHandle())
            return true;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->windowHandle() != window)
            continue;
        for (const QWidget* w = top; w; w = w->parentWidget())
            if (w == this)
                return true;
    }
    return false;
}

Main_Frm* Settings_Frm::Calendar() const {
    return calendar_.data();
}

void Settings_Frm::Form_Load() {
    // The window's client area: the tab strip with a margin of its left offset on each side.
    const TwipScale scale = TwipScale::For_Screen(screen());
    setFixedSize(scale.X_Pixels(Window_Width - 2 * Tab_Left - 45),
                 scale.Y_Pixels(Tab_Top + Tab_Height + Tab_Top));
    Position_Frames();
    const qint16 tab = calendar_ ? calendar_->Settings.Settings_Tab : 1;
    const int index = (tab >= 1 && tab <= Page_Count) ? tab - 1 : 0;
    if (TabStrip1->currentIndex() == index)
        TabStrip1_Click();
    else
        TabStrip1->setCurrentIndex(index);
    general_->Form_Load();
    events_->Form_Load();
    packs_->Form_Load();
    style_position_->Load_Desktop_Preview();
}

void Settings_Frm::Form_Activate() {
    events_->Write_Month_Titles();
    events_->Get_Stats();
    tooltips_->Load_Settings();
    style_position_->Load_Settings();
    colours_->Load_Settings();
    style_position_->Show_Slider_Position();
    packs_->Get_Papers();
    update();
    packs_->Load_Pack_Checks();
    calendars_->Load_List();
}

void Settings_Frm::TabStrip1_Click() {
    None_Vis();
    const qint16 tab = Which_Tab();
    if (tab >= 1 && tab <= Page_Count)
        Settings_Fra[tab - 1]->setVisible(true);
}

qint16 Settings_Frm::Which_Tab() const {
    return qint16(TabStrip1->currentIndex() + 1);
}

void Settings_Frm::None_Vis() {
    for (QWidget* page : Settings_Fra)
        page->setVisible(false);
}

void Settings_Frm::Position_Frames() {
    // Every page lies at the same place inside the tab strip, above the buttons.
    const QRect area = TwipScale::For_Screen(screen()).Pixels(Page_Rect());
    for (QWidget* page : Settings_Fra)
        page->setGeometry(area);
}

TwipRect Settings_Frm::Page_Rect() {
    return TwipRect{Page_Left, Page_Top, Tab_Width - 2 * (Page_Left - Tab_Left),
                    Button_Top - Page_Top - 60};
}

void Settings_Frm::Apply_Btn_Click() {
    colours_->Save_Colours();
    general_->Save_General_Settings();
    tooltips_->Save_Tooltips();
    general_->Save_Run_Entry();
    packs_->Save_Display_Mode();
    packs_->Save_Theme();
    general_->Save_Title_Bar();
    // The title's clock, the compact deadline and the colours follow the new settings at once.
    if (calendar_)
        calendar_->Date_Watch_Tick();
}

void Settings_Frm::Ok_Btn_Click() {
    Apply_Btn_Click();
    close();
}

void Settings_Frm::Cancel_Btn_Click() {
    close();
}

void Settings_Frm::Form_Unload() {
    if (unloaded_)
        return;
    unloaded_ = true;
    if (!calendar_)
        return;
    SettingsStore store;
    Save_Setting(store, calendar_->Settings, QStringLiteral("Settings"),
                 QStringLiteral("Settings Tab"), Which_Tab());
    if (!calendar_->Compacted && calendar_->Settings.Auto_Compact == 1)
        calendar_->Update_Timeout();
}

bool Settings_Frm::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        const bool reload = !activated_once_ || other_window_since_;
        activated_once_ = true;
        other_window_since_ = false;
        if (reload)
            Form_Activate();
    }
    return QWidget::event(event);
}

void Settings_Frm::closeEvent(QCloseEvent* event) {
    // The close box behaves as Cancel: nothing pending is stored.
    Form_Unload();
    event->accept();
}
