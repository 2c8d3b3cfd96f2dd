#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Puts the calendar's saved placement back to its defaults: close the running calendar, let it
// go, then write "0" to the four placement keys.

// The placement keys, in the order they are written.
QStringList Position_Keys();

// How long the tool keeps asking a calendar that doesn't close.
inline constexpr qint64 Give_Up_Ms = 10000;
// The pause after the calendar has gone, with events running.
inline constexpr int Settle_Ms = 1000;
// The pause between two requests to close.
inline constexpr int Ask_Again_Ms = 50;

// The outside world of the reset, swappable so a test can watch the order of the steps and
// let time pass at once.
struct ResetSteps {
    std::function<bool()> calendar_running;
    std::function<bool()> ask_calendar_to_close;
    // Waits ms milliseconds while events keep running.
    std::function<void(int ms)> wait;
    // A monotonic time in milliseconds.
    std::function<qint64()> now_ms;
    // Writes "0" to one key of section "Settings"; false when it couldn't be written.
    std::function<bool(const QString& key)> write_zero;
};

// The real steps: the calendar's socket, an event-running wait, a monotonic clock and the
// per-user settings store.
ResetSteps Real_Reset_Steps();

// Closes the calendar (giving up after Give_Up_Ms), waits Settle_Ms and writes the keys in
// order, stopping at the first that fails. True when every key was written.
bool Reset_Position(const ResetSteps& steps);

// Reset_Position, then the message that tells the user how it went. Returns the exit code.
int Run_Position_Reset(const ResetSteps& steps);
