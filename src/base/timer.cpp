#include "base/timer.h"

namespace spindrel {

Timer::Timer(TimerService& service, int intervalMs, std::function<void()> onTick)
    : service_(service), interval_(intervalMs), onTick_(std::move(onTick)) {}

Timer::~Timer() {
    if (armed_) service_.disarm(*this);
}

void Timer::update() {
    if (armed_) service_.disarm(*this);
    armed_ = enabled_ && interval_ > 0;
    if (armed_) service_.arm(*this);
}

void Timer::setEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    update();
}

void Timer::setInterval(int intervalMs) {
    if (intervalMs == interval_) return;
    interval_ = intervalMs;
    update();
}

void Timer::restart() {
    enabled_ = true;
    update();
}

void Timer::fire() {
    // A tick that lets pending messages run (or blocks in a plug-in that does) would otherwise
    // meet its own timer's next tick inside itself; that tick is dropped, the next one comes.
    if (!armed_ || !onTick_ || ticking_) return;
    ticking_ = true;
    struct TickEnd {
        bool& ticking;
        ~TickEnd() { ticking = false; }
    } tickEnd{ticking_};
    onTick_();
}

}  // namespace spindrel
