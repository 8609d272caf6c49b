#pragma once
// When a click that carries a condition goes out: as soon as the player reports a state that
// meets it, plus a short settle; or, when no such state comes, at a bound well past its blind
// time, as a macro without conditions would have pressed it.

#include <limits>
#include <optional>
#include <string>

#include "macro/click_condition.h"

namespace spindrel {

// VLC shows a menu 0 to 30 ms after its buttons went live, and a title 44 to 73 ms after the
// press that began it (measured with VLC 3.0.24 on the authored disc); a press sent on the first
// reading that showed the menu was always taken. The settle leaves room beyond that for a
// slower machine, and is counted from when the state began, so a state that has already lasted
// that long is pressed in at once.
inline constexpr double kSettleMs = 100;
// How often the macro player looks at the plug-in's latest reading; the reading itself costs
// nothing on the window's thread.
inline constexpr int kSyncPollMs = 20;
// A condition not met this long after its blind time is given up and the click pressed. A disc
// that takes more than half a minute longer than it did when the macro was recorded is not
// merely slow: it went another way (or the player cannot show that state), and the user, who is
// looking at a waiting program, is better served by the macro going on as it always has.
inline constexpr double kSyncBoundMs = 30000;

struct ConditionWait {
    ClickCondition condition;
    // A state counts only when it began at or after this moment: after the previous press was
    // sent, so that a press made in a menu does not fire again in that same menu. The first
    // press of a run takes the state the player is already in.
    double notBeforeMs = -std::numeric_limits<double>::infinity();
    double deadlineMs = 0;
};

struct SyncStep {
    enum class Kind { poll, press, missed } kind = Kind::poll;
    int inMs = 0;  // for poll: when to look again
};

SyncStep nextSyncStep(const ConditionWait& wait, const std::optional<PlayerState>& state,
                      double nowMs);

// What the status line says while a click waits, and after one was pressed without its state.
std::string conditionWaitText(const ClickCondition& condition);    // "when a menu shows"
std::string conditionMissedText(const ClickCondition& condition);  // "no menu showed"

}  // namespace spindrel
