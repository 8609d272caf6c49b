#pragma once
// Virtual time: timers fire when the test moves the clock, in due order, so a long timed
// sequence runs in microseconds and the same way every time.

#include <cstdint>
#include <map>

#include "platform/timer_port.h"

namespace spindrel::testing {

class VirtualClock : public TimerService {
public:
    double nowMs() override { return now_; }
    void arm(Timer& timer) override;
    void disarm(Timer& timer) override;

    // Moves time forward by ms, firing every tick that falls due on the way.
    void advance(double ms);
    // Jumps to the next due tick and fires it; false when no timer is armed.
    bool runNext();
    // Fires ticks until nothing is armed or the limit of ticks is reached; returns the number
    // of ticks fired.
    int runUntilIdle(int maxTicks = 10000);

    bool isArmed(const Timer& timer) const;
    // When the timer fires next, or -1 when it is not armed.
    double dueAt(const Timer& timer) const;

private:
    struct Entry {
        double due;
        std::uint64_t order;  // ties fire in the order they were armed
    };
    Timer* nextDue() const;

    double now_ = 0;
    std::uint64_t sequence_ = 0;
    std::map<Timer*, Entry> armed_;
};

}  // namespace spindrel::testing
