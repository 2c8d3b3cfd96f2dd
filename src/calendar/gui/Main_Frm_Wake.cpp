// When the date watch wakes. Each wake-up runs one tick of the watch (Main_Frm_Timer.cpp), which
// arms the next ones; between them the calendar sleeps.
#include "calendar/Clock.h"
#include "calendar/DateWatchSchedule.h"
#include "calendar/gui/Main_Frm.h"
#include "platform/DayChangeWatch.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWindow>

void Main_Frm::Create_Date_Watch() {
    Dectect_Date_Timer = new QTimer(this);
    Dectect_Date_Timer->setObjectName(QStringLiteral("Dectect_Date_Timer"));
    Dectect_Date_Timer->setInterval(100);
    connect(Dectect_Date_Timer, &QTimer::timeout, this, &Main_Frm::Date_Watch_Wake);

    // Precise: a coarse timer may come a little early, before the text it is for can change.
    const auto single_shot = [this](const QString& name) {
        auto* timer = new QTimer(this);
        timer->setObjectName(name);
        timer->setSingleShot(true);
        timer->setTimerType(Qt::PreciseTimer);
        connect(timer, &QTimer::timeout, this, &Main_Frm::Date_Watch_Wake);
        return timer;
    };
    Title_Clock_Timer = single_shot(QStringLiteral("Title_Clock_Timer"));
    Compact_Timer = single_shot(QStringLiteral("Compact_Timer"));

    Day_Watch = new DayChangeWatch(this);
    connect(Day_Watch, &DayChangeWatch::Changed, this, &Main_Frm::Date_Watch_Wake);

    // A screen added or removed, or a new primary one, can move the work area.
    const auto screens_changed = [this] { Follow_Screen(screen()); };
    connect(qApp, &QGuiApplication::primaryScreenChanged, this, screens_changed);
    connect(qApp, &QGuiApplication::screenAdded, this, screens_changed);
    connect(qApp, &QGuiApplication::screenRemoved, this, screens_changed);
}

void Main_Frm::Arm_Date_Watch() {
    if (!date_watch_running_)
        return;
    const QDateTime now = Current_Clock().Now();
    const qint64 title_ms = Title_Clock_Wake_Ms(Settings, ViewMonth, ViewYear, now);
    if (title_ms >= 0)
        Title_Clock_Timer->start(int(title_ms));
    else
        Title_Clock_Timer->stop();
    Arm_Compact_Timer(now);
    // One kernel timer serves the day and the reminders: it fires at whichever comes first.
    const qint64 midnight_ms = Next_Midnight_Ms(now);
    const qint64 reminder_ms = Reminder_Wake_Ms(now);
    Day_Watch->Arm(reminder_ms > 0 ? std::min(midnight_ms, reminder_ms) : midnight_ms);
    // A change of the work area is taken one value a tick; it ticks until all are taken.
    if (!(WorkAreaMemo == GetDesktopRect())) {
        if (!Dectect_Date_Timer->isActive())
            Dectect_Date_Timer->start();
    } else {
        Dectect_Date_Timer->stop();
    }
    if (followed_screen_ != screen())
        Follow_Screen(screen());
}

void Main_Frm::Arm_Compact_Timer(const QDateTime& now) {
    // While compacted no deadline can be reached: leaving compact mode restarts it.
    if (!date_watch_running_ || Settings.Auto_Compact != 1 || Compacted) {
        Compact_Timer->stop();
        return;
    }
    // Without a deadline the next tick compacts.
    const qint64 ms = Compact_Wake_Ms(Compact_Deadline, now);
    Compact_Timer->start(int(std::clamp<qint64>(ms, 0, std::numeric_limits<int>::max())));
}

void Main_Frm::Follow_Screen(QScreen* shown_on) {
    if (followed_screen_)
        disconnect(followed_screen_, nullptr, this, nullptr);
    followed_screen_ = shown_on;
    if (shown_on) {
        connect(shown_on, &QScreen::availableGeometryChanged, this, &Main_Frm::Date_Watch_Wake);
        connect(shown_on, &QScreen::geometryChanged, this, &Main_Frm::Date_Watch_Wake);
    }
    Date_Watch_Wake();
}

void Main_Frm::Date_Watch_Wake() {
    if (date_watch_running_)
        Dectect_Date_Timer_Timer();
}

void Main_Frm::Set_Date_Watch_Running(bool running) {
    date_watch_running_ = running;
    if (running) {
        Dectect_Date_Timer_Timer();
        return;
    }
    Dectect_Date_Timer->stop();
    Title_Clock_Timer->stop();
    Compact_Timer->stop();
    Day_Watch->Disarm();
}

void Main_Frm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (QWindow* window = windowHandle()) {
        connect(window, &QWindow::screenChanged, this, &Main_Frm::Follow_Screen,
                Qt::UniqueConnection);
    }
}

void Main_Frm::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // The header strip shows whether the calendar is the active window.
    if (event->type() == QEvent::ActivationChange)
        Date_Watch_Wake();
    // The calendar is part of the desktop: it has no button to minimise it and no task bar entry
    // to bring it back, so a window manager that minimises it (to show the desktop, say) would
    // lose it for good. It comes straight back.
    if (event->type() == QEvent::WindowStateChange && isMinimized())
        QTimer::singleShot(0, this, [this] {
            if (isMinimized())
                setWindowState(windowState() & ~Qt::WindowMinimized);
        });
}
