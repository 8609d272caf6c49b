// Tmain: the recorder. Presses of the remote buttons become clicks, each with the time since the
// click before it. Time comes from the clock, not from the 100 ms tick, which only shows it.

#include <utility>

#include "app/command_line.h"
#include "app/tmain.h"
#include "macro/macro_texts.h"
#include "macro/macro_waits.h"
#include "macro/wait_text.h"

namespace spindrel {

namespace {
inline constexpr int kRemotePanel = 5;
inline constexpr double kMsPerSecond = 1000.0;
}  // namespace

double Tmain::sumOfWaits(int lastIndex) {
    double sum = 0;
    for (int i = 0; i <= lastIndex && i < clickCount(); ++i) {
        sum += waitOrThrow(model.dsm.ClickList[static_cast<std::size_t>(i)].wait);
    }
    return sum;
}

void Tmain::RecBtnClick() {
    HideSlide(kRemotePanel);
}

void Tmain::StartRecording() {
    ShowRemoteButtons();
    // The stop button may have been pressed while messages ran: the panel is already on its
    // way out, and a recording started now would outlive it.
    if ((moveState & move_state::kBigMask) != 0)
        return;
    if ((run_mode & 0x1F) == 10) {
        RecordTimer.setEnabled(false);
        model.minimizebtn.enabled = true;
        model.closebtn.enabled = true;
        return;
    }
    const int selected = selectedClick();
    const int anchor = selected >= 0 ? selected : clickCount() - 1;
    // Summed before anything starts: a wait that is not a number abandons the start with the
    // window still closable, instead of leaving a recording without a clock.
    const double macroTime = sumOfWaits(anchor);
    RecordTimer.setEnabled(true);
    model.minimizebtn.enabled = false;
    model.closebtn.enabled = false;
    recordOriginMs = ports_.timers.nowMs() - macroTime * kMsPerSecond;
    lastRecordedState_.reset();
    keepPlayerStateFresh();
    minimisePlayer();
}

// A plug-in may read its player only while it is asked (Vlc.dll's poller starts on the first
// ask and has nothing to tell until its first answer): asked only at a press, the recording's
// first press would find the state unknown and lose its condition. The answer is not needed.
void Tmain::keepPlayerStateFresh() {
    static_cast<void>(player().playerState());
}

void Tmain::RecordPress(int menuIndex) {
    if (menuIndex < 0 || menuIndex >= static_cast<int>(model.ButtonMenu.size()))
        return;
    const int selected = selectedClick();
    const int anchor = selected >= 0 ? selected : clickCount() - 1;
    const double elapsed = (ports_.timers.nowMs() - recordOriginMs) / kMsPerSecond;
    // The earlier waits are read back from their one-decimal text, so each recorded wait is the
    // time since the press before it and rounding never adds up.
    const double wait = elapsed - sumOfWaits(anchor);
    Click click{formatWait(wait), model.ButtonMenu[static_cast<std::size_t>(menuIndex)].caption,
                recordedCondition(std::exchange(pressState_, std::nullopt))};
    model.dsm.ClickList.insert(model.dsm.ClickList.begin() + (anchor + 1), std::move(click));
    ClickListInsert();
    selectClick(anchor + 1);
}

void Tmain::RecordTimerTimer() {
    if (player().PCDVD_Player() == 0) {
        stopbtnClick();
        return;
    }
    keepPlayerStateFresh();
    const double elapsed = (ports_.timers.nowMs() - recordOriginMs) / kMsPerSecond;
    model.timeindex.caption = formatWait(elapsed) + macro_texts::kSecondsSuffix;
    model.RecBtn.visible = false;
    model.testbtn.visible = false;
    model.resetbtn.visible = false;
    model.stopbtn.visible = true;
}

}  // namespace spindrel
