#pragma once
// Time as the core sees it: a clock and a service that runs timer ticks.
// Win32 serves ticks with SetTimer; the test double is a virtual clock.

#include <cstdint>

namespace spindrel {

class Timer;

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds on a monotonic scale; only differences mean anything.
    virtual double nowMs() = 0;
};

class TimerService : public Clock {
public:
    // Starts (or restarts) the timer's period with its current interval; the service then calls
    // Timer::fire() on the user-interface thread each time the interval has passed.
    virtual void arm(Timer& timer) = 0;
    virtual void disarm(Timer& timer) = 0;
};

}  // namespace spindrel
