#pragma once
// A user-interface timer: interval, enabled flag and tick handler, served by a TimerService.
// Ticks arrive on the user-interface thread. Changing the interval of a running timer restarts
// its period; enabling a timer that already runs changes nothing.

#include <functional>

#include "platform/timer_port.h"

namespace spindrel {

class Timer {
public:
    Timer(TimerService& service, int intervalMs, std::function<void()> onTick = {});
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    void setOnTick(std::function<void()> onTick) { onTick_ = std::move(onTick); }
    void setEnabled(bool enabled);
    bool enabled() const { return enabled_; }
    void setInterval(int intervalMs);
    int interval() const { return interval_; }
    // Stop and start again: the next tick follows one full interval from now.
    void restart();

    // Called by the service. A tick that was already queued when the timer was stopped is
    // dropped here, since stopping a Windows timer leaves posted ticks in the queue; so is a
    // tick that arrives while this timer's own tick is still running.
    void fire();

private:
    void update();

    TimerService& service_;
    int interval_;
    bool enabled_ = false;
    bool armed_ = false;
    bool ticking_ = false;
    std::function<void()> onTick_;
};

}  // namespace spindrel
