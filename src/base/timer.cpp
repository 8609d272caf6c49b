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
    if (!armed_ || !onTick_) return;
    onTick_();
}

}  // namespace spindrel
