// Tmain: clicks that wait for the player's state. The click timer looks at the plug-in's latest
// reading every few milliseconds (never a request to the player on this thread) and presses once
// the state has come and settled; the stop button, the close button and a vanished player end
// such a wait as they end a blind one, since it is the same timer.

#include <utility>

#include "app/tmain.h"
#include "macro/macro_texts.h"

namespace spindrel {

void Tmain::resetConditionWait() {
    conditionWait_.reset();
    lastPressSentMs_.reset();
    missedShown_ = false;
    pressMissed_ = false;
}

void Tmain::notePressSent() {
    lastPressSentMs_ = ports_.timers.nowMs();
    missedShown_ = pressMissed_;
    pressMissed_ = false;
}

bool Tmain::startConditionWait(const Click& click, double wait) {
    if (click.when.empty() || !(wait > 0) || click.button.empty())
        return false;
    const std::optional<PlayerState> state = player().playerState();
    if (!state)
        return false;
    const double now = ports_.timers.nowMs();
    ConditionWait conditionWait;
    conditionWait.condition = click.when;
    if (lastPressSentMs_)
        conditionWait.notBeforeMs = *lastPressSentMs_;
    conditionWait.deadlineMs = now + wait * 1000.0 + kSyncBoundMs;
    conditionWait_ = conditionWait;

    const std::string waitText = conditionWaitText(click.when);
    std::string title = waitText + ": " + click.button;
    title[0] = 'W';
    model.applicationTitle = title;
    if (!missedShown_)
        model.next_button.caption = "\"" + click.button + "\" " + waitText;
    // The state may already be there (the first click of a run takes a menu that shows).
    ClickTimer.setInterval(1);
    ClickTimer.setEnabled(true);
    return true;
}

bool Tmain::conditionWaitOver() {
    const SyncStep step =
        nextSyncStep(*conditionWait_, player().playerState(), ports_.timers.nowMs());
    if (step.kind == SyncStep::Kind::poll) {
        ClickTimer.setInterval(step.inMs);
        ClickTimer.setEnabled(true);
        return false;
    }
    const ClickCondition condition = conditionWait_->condition;
    conditionWait_.reset();
    if (step.kind == SyncStep::Kind::missed && clickCounter > 0 &&
        clickCounter - 1 < clickCount()) {
        const Click& due = model.dsm.ClickList[static_cast<std::size_t>(clickCounter - 1)];
        model.next_button.caption = macro_texts::kMissedPrefix + due.button +
                                    macro_texts::kMissedMiddle + conditionMissedText(condition);
        // Kept until the press after this one, whose announcement would otherwise replace it at
        // once.
        pressMissed_ = true;
    }
    return true;
}

ClickCondition Tmain::recordedCondition(const std::optional<PlayerState>& state) {
    if (!state || !state->known)
        return {};
    const double now = ports_.timers.nowMs();
    const std::optional<RecordedState> before = std::exchange(lastRecordedState_, {{*state, now}});
    // A state entered after the press before counts as a change even when it looks the same (Ok
    // in a menu that opens another menu of the same kind): the macro player waits for exactly
    // that.
    const bool changed =
        !before || before->state.domain != state->domain || before->state.title != state->title ||
        before->state.chapter != state->chapter || now - state->sinceMs > before->pressMs;
    return changed ? conditionFor(*state) : ClickCondition{};
}

}  // namespace spindrel
