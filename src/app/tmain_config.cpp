// Tmain: the configuration panel's options and program box, dropped files, and the keyboard
// shortcuts.

#include <algorithm>

#include "app/tmain.h"

namespace spindrel {

namespace {
inline constexpr int kSaveState = 50;
inline constexpr int kLongestSaveDelay = 1000;
inline constexpr char kCtrlA = 1;
inline constexpr char kCtrlS = 19;
}  // namespace

void Tmain::SaveRequest() {
    // A sequence under way (a countdown, a wait for the player) owns the controller: taking it
    // over for the save would cancel the sequence, so the save waits on a timer of its own.
    const bool sequenceRunning =
        controller_state != kSaveState && (Timer1.enabled() || controllerStepRunning_);
    if (sequenceRunning) {
        // The controller's interval can be ten minutes (the wait of a "/b" run without a DSM).
        SettingsSaveTimer.setInterval(std::min(Timer1.interval(), kLongestSaveDelay));
        SettingsSaveTimer.restart();
        return;
    }
    controller_state = kSaveState;
    // Stopped and started again: a burst of changes gives one save, one interval after the last.
    Timer1.setEnabled(false);
    Timer1.setEnabled(true);
}

void Tmain::SettingsSaveTimerTimer() {
    SettingsSaveTimer.setEnabled(false);
    WriteSettings();
}

void Tmain::checkbox_change(int tag) {
    Control* boxes[] = {&model.cbox_1, &model.cbox_2, &model.cbox_3};
    if (tag < 0 || tag > 2) return;
    Control& box = *boxes[tag];
    box.caption = isChecked(box) ? "" : kChecked;
    if (tag == 2 && isChecked(box) && model.autoexec.caption.empty()) model.focus = "autoexec";
    model.slideStepDivisor = isChecked(model.cbox_2) ? 20 : 2;
    SaveRequest();
}

void Tmain::autoexecChange(const std::string& text) {
    model.autoexec.caption = text;
    SaveRequest();
}

void Tmain::DropWatchFilesDropped(const std::vector<std::string>& files) {
    if (files.empty()) return;
    model.cbox_3.caption = kChecked;
    autoexecChange(files.front());
    model.focus = "autoexec";
    model.autoexecCaretAtEnd = true;
}

void Tmain::FormKeyDown(int virtualKey, bool alt) {
    if (!alt) return;
    switch (virtualKey) {
        case 'A': HideSlide(7); break;
        case 'B': HideSlide(2); break;
        case 'C': HideSlide(4); break;
        case 'D': HideSlide(1); break;
        case 'F': HideSlide(3); break;
        default: break;
    }
}

void Tmain::FormKeyPress(char typed) {
    if (typed == kCtrlS) {
        naming.savebtnClick();
        return;
    }
    if (typed != kCtrlA || model.remote_panel.left > 0) return;
    if (model.dsm_panel.left > 0) {
        model.focus = "Notes";
    } else {
        HideSlide(1);
    }
}

}  // namespace spindrel
