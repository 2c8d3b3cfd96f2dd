#pragma once

#include <QObject>
#include <QString>

#include <memory>

// Wakes the program when the calendar date may have changed, without polling: at a given time of
// the wall clock (the next local midnight), and at once whenever the system clock is set or the
// local time zone changes. Across a suspend the wall-clock time is still met: the watch fires on
// resume when the time passed while the machine slept.
class DayChangeWatch : public QObject {
    Q_OBJECT
  public:
    explicit DayChangeWatch(QObject* parent = nullptr);
    // zone_folder: where the local time zone is configured (the system's own folder by default;
    // tests give a folder of their own).
    DayChangeWatch(const QString& zone_folder, QObject* parent);
    ~DayChangeWatch() override;

    // Fires Changed once the wall clock has advanced by delay_ms from now (replacing what was
    // armed before), or earlier when the clock or the time zone changes. Never fires early.
    void Arm(qint64 delay_ms);
    void Disarm();
    bool Armed() const { return armed_; }
    // The delay given to the last Arm.
    qint64 Armed_Delay_Ms() const { return delay_ms_; }

  signals:
    // The armed time came, or the clock or the time zone changed: look at the date again.
    void Changed();

  private:
    struct State;
    void Timer_Ready();
    void Zone_Ready();
    std::unique_ptr<State> state_;
    bool armed_ = false;
    qint64 delay_ms_ = -1;
};
