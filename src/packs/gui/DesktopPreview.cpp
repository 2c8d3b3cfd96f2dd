#include "packs/gui/DesktopPreview.h"

#include "calendar/Clock.h"
#include "calendar/gui/ColourLabel.h"
#include "calendar/gui/Main_Frm.h"
#include "calendar/gui/TransparentForm.h"
#include "packs/gui/Packs_Page.h"
#include "settings/gui/Settings_Frm.h"

#include <QCoreApplication>

namespace {
QPointer<DesktopPreview> running;
} // namespace

DesktopPreview* DesktopPreview::Running() {
    return running.data();
}

bool DesktopPreview::Start(Main_Frm* calendar, Settings_Frm* frame, const QString& pack,
                           const AppSettings& preview_settings) {
    if (running || !calendar)
        return false;
    auto* preview = new DesktopPreview(calendar, frame, pack);
    running = preview;
    // Nothing may change while the year plays: no date watch, no calendar, no settings window.
    preview->date_watch_was_running_ = calendar->Dectect_Date_Timer->isActive();
    calendar->Dectect_Date_Timer->stop();
    calendar->setEnabled(false);
    if (frame) {
        frame->showMinimized();
        frame->setEnabled(false);
    }
    preview->saved_ = calendar->Settings;
    preview->desktop_ = Take_Desktop_Snapshot();
    calendar->Settings = preview_settings;
    preview->Show_Month();
    preview->timer_.start(Month_Ms);
    return true;
}

DesktopPreview::DesktopPreview(Main_Frm* calendar, Settings_Frm* frame, const QString& pack)
    : calendar_(calendar), frame_(frame), pack_(pack) {
    connect(&timer_, &QTimer::timeout, this, [this] { Next(); });
    // Quitting while the year plays still puts everything back.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { Finish(); });
}

DesktopPreview::~DesktopPreview() {
    Finish();
}

void DesktopPreview::Show_Month() {
    Main_Frm* calendar = calendar_.data();
    if (!calendar) {
        Finish();
        return;
    }
    calendar->Which_Month_Lbl->setText(Preview_Caption(month_));
    calendar->Preview_Wallpaper_Stuff(pack_, month_);
    calendar->Which_Style(calendar->Settings.Effective_Style());
    TransparentForm(calendar);
    calendar->Position_Form(calendar->Settings.Effective_Position());
}

void DesktopPreview::Next() {
    if (month_ >= 12) {
        Finish();
        return;
    }
    ++month_;
    Show_Month();
}

void DesktopPreview::Finish() {
    if (finished_)
        return;
    finished_ = true;
    timer_.stop();
    Main_Frm* calendar = calendar_.data();
    if (calendar)
        calendar->Settings = saved_;
    Restore_Desktop(desktop_);
    if (calendar) {
        // The preview deletes the pack's other bitmaps: the current month's picture may have
        // to be converted again.
        if (saved_.Use_Themes == 1)
            calendar->Preview_Wallpaper_Stuff(saved_.Pack_Name,
                                              qint16(Current_Clock().Today().month()));
        calendar->Which_Style(calendar->Settings.Effective_Style());
        TransparentForm(calendar);
        calendar->Position_Form(calendar->Settings.Effective_Position());
        calendar->setEnabled(true);
        if (date_watch_was_running_)
            calendar->Dectect_Date_Timer->start();
    }
    if (Settings_Frm* frame = frame_.data(); frame && !frame->Unloaded()) {
        frame->setEnabled(true);
        frame->showNormal();
        frame->Packs()->Desktop_Preview_Ended();
    }
    running = nullptr;
    deleteLater();
}
