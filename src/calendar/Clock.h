#pragma once

#include <QDateTime>

// Every "now" and "today" of the program comes from the current clock, so that tests can stop
// time, jump over midnight or let idle time pass without waiting.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual QDateTime Now() const = 0;
    QDate Today() const { return Now().date(); }
};

// The wall clock of the machine.
class SystemClock final : public Clock {
  public:
    QDateTime Now() const override { return QDateTime::currentDateTime(); }
};

// A clock that only moves when told to.
class ManualClock final : public Clock {
  public:
    explicit ManualClock(QDateTime start = QDateTime(QDate(2026, 12, 7), QTime(9, 0)))
        : now_(std::move(start)) {}
    QDateTime Now() const override { return now_; }
    void Set(const QDateTime& when) { now_ = when; }
    void Advance_Ms(qint64 ms) { now_ = now_.addMSecs(ms); }

  private:
    QDateTime now_;
};

// The clock in force. Never null: the system clock until a test installs its own.
Clock& Current_Clock();
// Installs clock (not owned); nullptr restores the system clock.
void Set_Clock(Clock* clock);
