#include "platform/win32/win32_super_timers.h"

#include <chrono>

#include "base/timer.h"

namespace spindrel {

namespace {
constexpr const char* kWindowClass = "SpindrelSuperTimerWindow";
constexpr UINT kTickMessage = WM_APP + 17;
// Posted after each tick: a tick arrives as a sent message, which the message loop never sees,
// so the window would show what the tick changed only when some other message came along.
constexpr UINT kTickDoneMessage = WM_APP + 18;
// Longer waits sleep; the last stretch before a tick is polled so the tick lands on time.
constexpr double kSleepMarginMs = 50.0;
// A tick handed to a user-interface thread that is itself waiting for this thread (in the
// destructor) must not block forever.
constexpr UINT kHandOverTimeoutMs = 100;
}  // namespace

Win32SuperTimers::Win32SuperTimers() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &Win32SuperTimers::WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              windowClass.hInstance, nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    ticksPerMs_ = static_cast<double>(frequency.QuadPart) / 1000.0;
    worker_ = std::thread([this] { run(); });
}

Win32SuperTimers::~Win32SuperTimers() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
        entries_.clear();
    }
    changed_.notify_all();
    worker_.join();
    DestroyWindow(window_);
}

double Win32SuperTimers::nowMs() {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / ticksPerMs_;
}

void Win32SuperTimers::arm(Timer& timer) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        std::erase_if(entries_, [&](const Entry& e) { return e.timer == &timer; });
        entries_.push_back(
            {&timer, nowMs() + timer.interval(), timer.interval(), ++nextGeneration_});
    }
    changed_.notify_all();
}

void Win32SuperTimers::disarm(Timer& timer) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        std::erase_if(entries_, [&](const Entry& e) { return e.timer == &timer; });
    }
    changed_.notify_all();
}

bool Win32SuperTimers::isArmed(Timer* timer, unsigned generation) {
    std::lock_guard<std::mutex> lock(mutex_);
    for (const Entry& entry : entries_) {
        if (entry.timer == timer)
            return entry.generation == generation;
    }
    return false;
}

void Win32SuperTimers::run() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stopping_) {
        if (entries_.empty()) {
            changed_.wait(lock);
            continue;
        }
        Entry* next = &entries_.front();
        for (Entry& entry : entries_) {
            if (entry.due < next->due)
                next = &entry;
        }
        const double wait = next->due - nowMs();
        if (wait > kSleepMarginMs) {
            changed_.wait_for(lock,
                              std::chrono::duration<double, std::milli>(wait - kSleepMarginMs));
            continue;
        }
        if (wait > 0) {
            lock.unlock();
            Sleep(wait > 2 ? 1 : 0);
            lock.lock();
            continue;
        }
        Timer* timer = next->timer;
        const unsigned generation = next->generation;
        next->due = nowMs() + next->interval;
        lock.unlock();
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(window_, kTickMessage, reinterpret_cast<WPARAM>(timer),
                            static_cast<LPARAM>(generation), SMTO_NORMAL, kHandOverTimeoutMs,
                            &ignored);
        lock.lock();
    }
}

LRESULT CALLBACK Win32SuperTimers::WindowProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    if (message == kTickMessage) {
        auto* self = reinterpret_cast<Win32SuperTimers*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        auto* timer = reinterpret_cast<Timer*>(wParam);
        // The timer may have been stopped (or destroyed, or started again) while this tick was
        // on its way: a hand-over that timed out is still delivered later.
        if (self != nullptr && self->isArmed(timer, static_cast<unsigned>(lParam))) {
            timer->fire();
            PostMessageA(window, kTickDoneMessage, 0, 0);
        }
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace spindrel
