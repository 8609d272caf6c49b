#include "macro/click_sync.h"

#include <algorithm>
#include <cmath>

namespace spindrel {

namespace {

std::string titleWords(const ClickCondition& condition) {
    std::string words = "title " + std::to_string(condition.title);
    if (condition.chapter > 0)
        words += " chapter " + std::to_string(condition.chapter);
    return words;
}

int atLeastOne(double ms) {
    return static_cast<int>(std::max(1.0, std::ceil(ms)));
}

}  // namespace

SyncStep nextSyncStep(const ConditionWait& wait, const std::optional<PlayerState>& state,
                      double nowMs) {
    if (state && conditionMet(wait.condition, *state) &&
        nowMs - state->sinceMs >= wait.notBeforeMs) {
        if (state->sinceMs >= kSettleMs)
            return {SyncStep::Kind::press, 0};
        return {SyncStep::Kind::poll,
                atLeastOne(std::min(kSettleMs - state->sinceMs, static_cast<double>(kSyncPollMs)))};
    }
    if (nowMs >= wait.deadlineMs)
        return {SyncStep::Kind::missed, 0};
    return {SyncStep::Kind::poll,
            atLeastOne(std::min(wait.deadlineMs - nowMs, static_cast<double>(kSyncPollMs)))};
}

std::string conditionWaitText(const ClickCondition& condition) {
    if (condition.kind == ConditionKind::menu)
        return "when a menu shows";
    return "when " + titleWords(condition) + " plays";
}

std::string conditionMissedText(const ClickCondition& condition) {
    if (condition.kind == ConditionKind::menu)
        return "no menu showed";
    return titleWords(condition) + " did not play";
}

}  // namespace spindrel
