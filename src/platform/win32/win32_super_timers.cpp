#include "platform/win32/win32_super_timers.h"

#include <mmsystem.h>

#include <algorithm>
#include <chrono>
#include <utility>

#include "base/timer.h"

namespace spindrel {

namespace {
constexpr const char* kWindowClass = "SpindrelSuperTimerWindow";
constexpr UINT kTickMessage = WM_APP + 17;
// Posted after each tick: a tick arrives as a sent message, which the message loop never sees,
// so the window would show what the tick changed only when some other message came along.
constexpr UINT kTickDoneMessage = WM_APP + 18;
// Longer waits sleep on the condition; the last stretch before a tick sleeps a millisecond at a
// time, never yielding: a yield on a busy machine gives the processor away for a whole time
// slice. Spinning the last 1.5 ms instead was measured under Wine beside two CPU-busy
// processes: no better a tail (99th percentile 12 ms, against 8 to 16 ms sleeping, run to run)
// for a processor kept busy.
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
    worker_ = std::thread([this] {
        // It only measures time and hands ticks over; it must not wait behind busy programs.
        // Windows sleeps a whole system tick (15.6 ms) for Sleep(1) unless the resolution is
        // raised while the thread runs. Wine sleeps 1 ms either way and runs every thread at
        // the same Linux priority whatever is asked (measured: no change in the run benchmark).
        SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
        timeBeginPeriod(1);
        run();
        timeEndPeriod(1);
    });
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
    const double now = nowMs();
    double due = now + timer.interval();
    // Started again by its own tick (the click timer, with the next click's wait): the period
    // counts from when the tick was due, not from when the tick's work ended, so the time the
    // tick spent (a press waiting for the player) is not added to every wait.
    if (&timer == ticking_)
        due = std::max(tickingDue_ + timer.interval(), now);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        std::erase_if(entries_, [&](const Entry& e) { return e.timer == &timer; });
        entries_.push_back({&timer, due, timer.interval()});
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

bool Win32SuperTimers::takeTick(Timer* timer, unsigned offer, double& due) {
    bool run = false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        for (Entry& entry : entries_) {
            if (entry.timer != timer || entry.offered != offer)
                continue;
            entry.onItsWay = false;
            due = entry.tickDue;
            // Held up past its next due time: the next tick is one interval after this one.
            const double now = nowMs();
            if (entry.due < now)
                entry.due = now + entry.interval;
            run = true;
        }
    }
    changed_.notify_all();
    return run;
}

void Win32SuperTimers::run() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stopping_) {
        Entry* next = nullptr;
        for (Entry& entry : entries_) {
            if (!entry.onItsWay && (next == nullptr || entry.due < next->due))
                next = &entry;
        }
        if (next == nullptr) {
            changed_.wait(lock);
            continue;
        }
        const double wait = next->due - nowMs();
        if (wait > kSleepMarginMs) {
            changed_.wait_for(lock,
                              std::chrono::duration<double, std::milli>(wait - kSleepMarginMs));
            continue;
        }
        if (wait > 0) {
            lock.unlock();
            Sleep(1);
            lock.lock();
            continue;
        }
        Timer* timer = next->timer;
        const unsigned offer = ++nextOffer_;
        next->offered = offer;
        next->tickDue = next->due;
        next->due = nowMs() + next->interval;
        next->onItsWay = true;
        lock.unlock();
        DWORD_PTR ignored = 0;
        const bool handedOver =
            SendMessageTimeoutA(window_, kTickMessage, reinterpret_cast<WPARAM>(timer),
                                static_cast<LPARAM>(offer), SMTO_NORMAL, kHandOverTimeoutMs,
                                &ignored) != 0;
        lock.lock();
        // Not taken in time (Wine drops such a send, Windows delivers it later): the tick is
        // offered again when due, and whichever offer arrives last is the one that runs.
        if (!handedOver) {
            for (Entry& entry : entries_) {
                if (entry.timer == timer && entry.offered == offer)
                    entry.onItsWay = false;
            }
        }
    }
}

LRESULT CALLBACK Win32SuperTimers::WindowProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    if (message == kTickMessage) {
        auto* self = reinterpret_cast<Win32SuperTimers*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        auto* timer = reinterpret_cast<Timer*>(wParam);
        // The timer may have been stopped (or destroyed, or started again) while this tick was
        // on its way: a hand-over that timed out is still delivered later.
        double due = 0;
        if (self != nullptr && self->takeTick(timer, static_cast<unsigned>(lParam), due)) {
            // Ticks of other timers may run inside this one (a press lets messages run).
            Timer* const outer = std::exchange(self->ticking_, timer);
            const double outerDue = std::exchange(self->tickingDue_, due);
            timer->fire();
            self->ticking_ = outer;
            self->tickingDue_ = outerDue;
            PostMessageA(window, kTickDoneMessage, 0, 0);
        }
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace spindrel
