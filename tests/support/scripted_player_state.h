#pragma once
// A player's states along virtual time, for a plug-in that reports them: each step holds from its
// moment until the next, and a reading says how long ago the current one began.

#include <iterator>
#include <map>
#include <optional>

#include "platform/player_state_port.h"
#include "support/virtual_clock.h"

namespace spindrel::testing {

class ScriptedPlayerState {
  public:
    explicit ScriptedPlayerState(VirtualClock& clock) : clock_(clock) {}

    // From atMs on (virtual time), the player is in this state.
    void at(double atMs, PlayerDomain domain, int title = 0, int chapter = 0) {
        steps_[atMs] = {true, domain, title, chapter, 0};
    }
    // From now on.
    void enter(PlayerDomain domain, int title = 0, int chapter = 0) {
        at(clock_.nowMs(), domain, title, chapter);
    }

    // As a plug-in that begins to read the player only when first asked (Vlc.dll's poller):
    // every reading is unknown until this long after the first.
    void wakesOnFirstRead(double afterMs) { wakeAfterMs_ = afterMs; }

    // Unknown before the first step.
    PlayerState read() const {
        if (wakeAfterMs_) {
            if (!firstReadMs_)
                firstReadMs_ = clock_.nowMs();
            if (clock_.nowMs() - *firstReadMs_ < *wakeAfterMs_)
                return {};
        }
        const auto after = steps_.upper_bound(clock_.nowMs());
        if (after == steps_.begin())
            return {};
        const auto current = std::prev(after);
        PlayerState state = current->second;
        state.sinceMs = clock_.nowMs() - current->first;
        return state;
    }

  private:
    VirtualClock& clock_;
    std::map<double, PlayerState> steps_;
    std::optional<double> wakeAfterMs_;
    mutable std::optional<double> firstReadMs_;
};

inline PlayerState menuState() {
    return {true, PlayerDomain::menu, 0, 0, 0};
}

}  // namespace spindrel::testing
