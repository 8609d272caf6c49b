#include "support/virtual_clock.h"

#include "base/timer.h"

namespace spindrel::testing {

void VirtualClock::arm(Timer& timer) {
    armed_[&timer] = Entry{now_ + timer.interval(), sequence_++};
}

void VirtualClock::disarm(Timer& timer) { armed_.erase(&timer); }

Timer* VirtualClock::nextDue() const {
    Timer* best = nullptr;
    Entry bestEntry{};
    for (const auto& [timer, entry] : armed_) {
        if (best == nullptr || entry.due < bestEntry.due ||
            (entry.due == bestEntry.due && entry.order < bestEntry.order)) {
            best = timer;
            bestEntry = entry;
        }
    }
    return best;
}

bool VirtualClock::runNext() {
    Timer* timer = nextDue();
    if (timer == nullptr) return false;
    Entry& entry = armed_.at(timer);
    if (entry.due > now_) now_ = entry.due;
    // Periodic, like a Windows timer: the next tick is one interval after this one.
    entry.due = now_ + timer->interval();
    entry.order = sequence_++;
    timer->fire();
    return true;
}

void VirtualClock::advance(double ms) {
    const double end = now_ + ms;
    while (true) {
        Timer* timer = nextDue();
        if (timer == nullptr || armed_.at(timer).due > end) break;
        runNext();
    }
    // A tick that advanced the clock itself (messages run inside it) has taken it further.
    if (end > now_) now_ = end;
}

int VirtualClock::runUntilIdle(int maxTicks) {
    int fired = 0;
    while (fired < maxTicks && runNext()) ++fired;
    return fired;
}

bool VirtualClock::isArmed(const Timer& timer) const {
    return armed_.count(const_cast<Timer*>(&timer)) != 0;
}

double VirtualClock::dueAt(const Timer& timer) const {
    const auto found = armed_.find(const_cast<Timer*>(&timer));
    return found == armed_.end() ? -1 : found->second.due;
}

}  // namespace spindrel::testing
