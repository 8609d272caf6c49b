#include "platform/win32/win32_timers.h"

#include "base/timer.h"

namespace spindrel {

namespace {
constexpr const char* kWindowClass = "SpindrelTimerWindow";
}

Win32Timers::Win32Timers() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &Win32Timers::WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassA(&windowClass);  // fails harmlessly when already registered
    window_ = CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              windowClass.hInstance, nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    ticksPerMs_ = static_cast<double>(frequency.QuadPart) / 1000.0;
}

Win32Timers::~Win32Timers() {
    for (Timer* timer : armed_) KillTimer(window_, reinterpret_cast<UINT_PTR>(timer));
    DestroyWindow(window_);
}

double Win32Timers::nowMs() {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / ticksPerMs_;
}

void Win32Timers::arm(Timer& timer) {
    armed_.insert(&timer);
    SetTimer(window_, reinterpret_cast<UINT_PTR>(&timer), static_cast<UINT>(timer.interval()),
             nullptr);
}

void Win32Timers::disarm(Timer& timer) {
    armed_.erase(&timer);
    KillTimer(window_, reinterpret_cast<UINT_PTR>(&timer));
}

// The id is the timer's address; a tick for a timer that has since been disarmed (and perhaps
// destroyed) is still in the queue after KillTimer, so only armed timers are dereferenced.
void Win32Timers::OnTimer(UINT_PTR id) {
    const auto found = armed_.find(reinterpret_cast<Timer*>(id));
    if (found != armed_.end()) (*found)->fire();
}

LRESULT CALLBACK Win32Timers::WindowProc(HWND window, UINT message, WPARAM wParam,
                                         LPARAM lParam) {
    if (message == WM_TIMER) {
        auto* self = reinterpret_cast<Win32Timers*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self != nullptr) {
            self->OnTimer(wParam);
            return 0;
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace spindrel
