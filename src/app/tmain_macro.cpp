// Tmain: the macro player. One click per tick of the click timer: the tick presses the click that
// has become due and arms the timer with the wait of the next one, so a slow player stretches the
// run instead of letting ticks pile up.

#include "app/app_texts.h"
#include "app/command_line.h"
#include "app/tmain.h"
#include "macro/macro_texts.h"
#include "macro/macro_waits.h"
#include "macro/wait_text.h"

namespace spindrel {

namespace {
inline constexpr int kFirstTickMs = 10;
inline constexpr int kMessageShownMs = 3000;
inline constexpr int kRestartPollMs = 2000;
inline constexpr int kStateMacroComplete = 3;
inline constexpr int kStateMacroInterrupted = 9;
inline constexpr int kStateRestartPlayer = 2;
inline constexpr int kStateRestartForTest = 4;
inline constexpr int kStateStartMacro = 10;
inline constexpr int kAutomaticStates = 50;
inline constexpr int kButtonListPanel = 2;
inline constexpr std::uint32_t kWmUser = 0x0400;
// The player's reply to WM_USER tells that it has dealt with what came before. A player that
// hangs must not hang this program with it.
inline constexpr std::uint32_t kPlayerReplyTimeoutMs = 5000;
// The minimised automatic runs close the program when their macro has completed.
inline constexpr int kClosingRunModes[] = {0x41, 0x46, 0x48};
}  // namespace

void Tmain::hideControllerButtonsForRun() {
    model.RecBtn.visible = false;
    model.resetbtn.visible = false;
    model.testbtn.visible = false;
    model.stopbtn.visible = true;
}

void Tmain::minimisePlayer() {
    const WindowHandle playerWindow = player().PCDVD_Player();
    if (playerWindow != 0)
        ports_.windows.showWindow(playerWindow, ShowCommand::minimize);
}

bool Tmain::StartMacroStep() {
    if (player().PCDVD_Player() == 0)
        return false;
    model.applicationTitle = macro_texts::kStartingMacro;
    ++clickRun_;
    resetConditionWait();
    clickCounter = 0;
    ClickTimer.setInterval(kFirstTickMs);
    ClickTimer.setEnabled(true);
    hideControllerButtonsForRun();
    selectClick(-1);
    minimisePlayer();
    return true;
}

void Tmain::ClickTimerTimer() {
    ClickTimer.setEnabled(false);
    const int run = clickRun_;
    clickTickBusy_ = true;
    struct TickDone {
        bool& busy;
        ~TickDone() { busy = false; }
    } done{clickTickBusy_};
    if (player().PCDVD_Player() == 0) {
        selectClick(-1);
        RunEndStep(false);
        EndRunWithoutPlayer(PlayerLoss::vanished);
        return;
    }
    if (conditionWait_ && !conditionWaitOver())
        return;

    const int count = clickCount();
    if (clickCounter > 0 && clickCounter - 1 < count) {
        // Copied: the player may let other handlers run that change the list.
        const Click due = model.dsm.ClickList[static_cast<std::size_t>(clickCounter - 1)];
        if (waitOrThrow(due.wait) > 0) {
            const int code = buttonCode(due.button);
            if (code >= 0) {
                notePressSent();
                player().Send_To_DVD(code);
            }
        }
        // The player may have let the stop button run while it was busy.
        if (run != clickRun_)
            return;
    }

    const int next = clickCounter;
    if (next < clickCount()) {
        const Click click = model.dsm.ClickList[static_cast<std::size_t>(next)];
        const double wait = waitOrThrow(click.wait);
        model.applicationTitle = macro_texts::kTitleInPrefix + formatWait(wait) +
                                 macro_texts::kTitleInMiddle + click.button;
        if (model.windowState == WindowState::normal && model.button_panel.left > 0) {
            scrollClickIntoView(next);
            if (model.button_panel.enabled)
                focusClickList();
        }
        selectClick(next);
        ++clickCounter;
        if (startConditionWait(click, wait))
            return;
        const bool hasButton = !click.button.empty();
        ClickTimer.setInterval(clickIntervalMs(wait, hasButton));
        if (wait > 0 && hasButton && !missedShown_) {
            model.next_button.caption = "\"" + click.button + macro_texts::kNextButtonMiddle +
                                        formatWait(wait) + macro_texts::kNextButtonEnd;
        }
        ClickTimer.setEnabled(true);
        return;
    }
    selectClick(-1);
    RunEndStep(true);
}

void Tmain::RunEndStep(bool completed) {
    model.applicationTitle = texts::kApplicationTitle;
    const WindowHandle playerWindow = player().PCDVD_Player();
    if (playerWindow != 0)
        ports_.windows.showWindow(playerWindow, ShowCommand::restore);
    ports_.pump.processMessages();

    if (model.windowState == WindowState::normal) {
        if (model.button_panel.left > 0 && clickCount() > 0)
            focusClickList();
    } else {
        const WindowHandle video = player().PCDVD_Window();
        if (video != 0) {
            ports_.windows.setForegroundWindow(video);
            ports_.windows.sendMessageTimeout(video, kWmUser, 0, 0, kPlayerReplyTimeoutMs);
        }
        ports_.pump.processMessages();
    }

    if (!completed)
        return;
    model.next_button.caption = macro_texts::kMacroComplete;
    Timer1.setEnabled(false);
    controller_state = kStateMacroComplete;
    Timer1.setInterval(kMessageShownMs);
    Timer1.setEnabled(true);
    for (int mode : kClosingRunModes) {
        if (run_mode == mode)
            model.closeRequested = true;
    }
}

void Tmain::ClearRunMessage(bool completed) {
    model.next_button.caption.clear();
    if (completed)
        selectClick(-1);
}

void Tmain::stopbtnClick() {
    HideSlide(kButtonListPanel);
    const bool running = ClickTimer.enabled() || clickTickBusy_;
    if (running || (Timer1.enabled() && controller_state > kAutomaticStates)) {
        ClickTimer.setEnabled(false);
        ++clickRun_;
        model.next_button.caption = macro_texts::kMacroInterrupted;
        controller_state = kStateMacroInterrupted;
        Timer1.setInterval(kMessageShownMs);
        Timer1.setEnabled(true);
    }
    if (RecordTimer.enabled()) {
        model.minimizebtn.enabled = true;
        model.closebtn.enabled = true;
        RecordTimer.setEnabled(false);
    }
    RunEndStep(false);
}

void Tmain::resetbtnClick() {
    PCDVD_Timer.setEnabled(false);
    for (Control* button : {&model.RecBtn, &model.stopbtn, &model.testbtn, &model.resetbtn}) {
        button->visible = false;
    }
    player().Kill_DVD_Player();
    Timer1.setEnabled(false);
    Timer1.setInterval(kRestartPollMs);
    controller_state = kStateRestartPlayer;
    Timer1.setEnabled(true);
}

void Tmain::testbtnClick() {
    if (isChecked(model.cbox_1)) {
        model.next_button.caption = macro_texts::kWaitingForRestart;
        resetbtnClick();
        controller_state = kStateRestartForTest;
        return;
    }
    if (model.button_panel.left > 0) {
        controller_state = kStateStartMacro;
        Timer1.setInterval(kFirstTickMs);
        Timer1.setEnabled(true);
        return;
    }
    moveState |= move_state::kDeferredTest;
    HideSlide(kButtonListPanel);
}

void Tmain::continue_macroClick() {
    const int selected = selectedClick();
    if (selected < 0)
        return;
    ++clickRun_;
    resetConditionWait();
    clickCounter = selected;
    ClickTimer.setInterval(kFirstTickMs);
    ClickTimer.setEnabled(true);
    hideControllerButtonsForRun();
    minimisePlayer();
}

void Tmain::press_oneClick() {
    const int selected = selectedClick();
    if (selected < 0)
        return;
    const std::string name = model.dsm.ClickList[static_cast<std::size_t>(selected)].button;
    for (int code : buttonCodes(name))
        player().Send_To_DVD(code);
}

}  // namespace spindrel
