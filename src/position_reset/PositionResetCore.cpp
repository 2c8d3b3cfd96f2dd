#include "position_reset/PositionResetCore.h"

#include "calendar/CalendarLink.h"
#include "calendar/MsgBox.h"
#include "calendar/SettingsStore.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <memory>

QStringList Position_Keys() {
    return {QStringLiteral("Manual_PosX"), QStringLiteral("Manual_PosY"),
            QStringLiteral("Alignment"), QStringLiteral("Use Theme Pos")};
}

ResetSteps Real_Reset_Steps() {
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    ResetSteps steps;
    steps.calendar_running = Calendar_Is_Running;
    steps.ask_calendar_to_close = Ask_Calendar_To_Close;
    steps.wait = [](int ms) {
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
    };
    steps.now_ms = [clock] { return clock->elapsed(); };
    steps.write_zero = [](const QString& key) {
        return SettingsStore().Write(QStringLiteral("Almanor"), QStringLiteral("Settings"), key,
                                     QStringLiteral("0"));
    };
    return steps;
}

bool Reset_Position(const ResetSteps& steps) {
    const qint64 deadline = steps.now_ms() + Give_Up_Ms;
    while (steps.calendar_running()) {
        if (steps.now_ms() >= deadline)
            return false;
        steps.ask_calendar_to_close();
        steps.wait(Ask_Again_Ms);
    }
    steps.wait(Settle_Ms);
    for (const QString& key : Position_Keys()) {
        if (!steps.write_zero(key))
            return false;
    }
    return true;
}

int Run_Position_Reset(const ResetSteps& steps) {
    if (!Reset_Position(steps)) {
        Msg_Box(QStringLiteral("ERROR Resetting Almanor Positioning. :("), MsgButtons::Ok,
                MsgIcon::Information, QStringLiteral("Almanor"));
        return 1;
    }
    Msg_Box(QStringLiteral("Successfully Reset Almanor Positioning. :)\r\n\r\nYou'll need to "
                           "restart the calendar."),
            MsgButtons::Ok, MsgIcon::Information, QStringLiteral("Almanor"));
    return 0;
}
