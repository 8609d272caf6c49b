#pragma once
#include <windows.h>

#include <set>

#include "platform/timer_port.h"

namespace spindrel {

// Serves the core's timers with SetTimer on a message-only window of its own; WM_TIMER reaches
// it through the thread's ordinary message loop.
class Win32Timers : public TimerService {
public:
    Win32Timers();
    ~Win32Timers() override;
    Win32Timers(const Win32Timers&) = delete;
    Win32Timers& operator=(const Win32Timers&) = delete;

    double nowMs() override;
    void arm(Timer& timer) override;
    void disarm(Timer& timer) override;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnTimer(UINT_PTR id);

    HWND window_ = nullptr;
    std::set<Timer*> armed_;
    double ticksPerMs_ = 1.0;
};

}  // namespace spindrel
