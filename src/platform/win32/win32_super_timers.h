#pragma once
#include <windows.h>

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/timer_port.h"

namespace spindrel {

// Serves timers from a thread of its own that only measures time: when a tick is due it hands
// it to the user-interface thread with a synchronous message and waits until the tick has run.
// Slides stay smooth while the message queue is busy with other timers. A tick that the
// user-interface thread cannot take at once (it is blocked in a plug-in call) is offered again,
// but only the latest offer runs: a late timer fires once, never in a burst.
class Win32SuperTimers : public TimerService {
  public:
    Win32SuperTimers();
    ~Win32SuperTimers() override;
    Win32SuperTimers(const Win32SuperTimers&) = delete;
    Win32SuperTimers& operator=(const Win32SuperTimers&) = delete;

    double nowMs() override;
    void arm(Timer& timer) override;
    void disarm(Timer& timer) override;

  private:
    struct Entry {
        Timer* timer;
        double due;
        int interval;
        // The number of the latest tick offered for this arming (0: none yet). Only that offer
        // runs: one still queued from before (Windows delivers a timed-out send later), or
        // from an arming stopped since, is dropped.
        unsigned offered = 0;
        // An offer is being handed over now; no other is made meanwhile.
        bool onItsWay = false;
        // When the offered tick was due.
        double tickDue = 0;
    };

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void run();
    // An offered tick has reached the user-interface thread: true when it is to run, with the
    // time it was due.
    bool takeTick(Timer* timer, unsigned offer, double& due);

    HWND window_ = nullptr;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Entry> entries_;
    bool stopping_ = false;
    unsigned nextOffer_ = 0;
    // The timer whose tick runs now on the user-interface thread, and when that tick was due.
    Timer* ticking_ = nullptr;
    double tickingDue_ = 0;
    double ticksPerMs_ = 1.0;
    std::thread worker_;
};

}  // namespace spindrel
