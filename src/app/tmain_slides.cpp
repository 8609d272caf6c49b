// Tmain: the sliding panels, the panel menu, and which small panel and controller buttons show.

#include "app/app_texts.h"
#include "app/command_line.h"
#include "app/tmain.h"

namespace spindrel {

namespace {
inline constexpr int kBigIn = 2;
inline constexpr int kBigOut = -318;
inline constexpr int kSmallIn = 1;
inline constexpr int kSmallOut = -199;
inline constexpr int kBigPanels[] = {1, 2, 3, 4, 5, 7};
inline constexpr const char* kWaitingForPcDvd = "Waiting for PC-DVD";
inline constexpr const char* kDsmInfoCaption = "&D.S.M. Info";
inline constexpr const char* kEmptyMark = " [empty]";
// Below this divisor a switch is done in two jumps with painting held.
inline constexpr int kInstantDivisorLimit = 3;
inline constexpr int kDeferredTestState = 10;
inline constexpr int kDeferredTestInterval = 10;
}  // namespace

Control* Tmain::bigPanel(int k) {
    switch (k) {
        case 1: return &model.dsm_panel;
        case 2: return &model.button_panel;
        case 3: return &model.file_panel;
        case 4: return &model.config_panel;
        case 5: return &model.remote_panel;
        case 7: return &model.about_panel;
        default: return nullptr;
    }
}

int Tmain::bigPanelInView() {
    int inView = 0;
    for (int k : kBigPanels) {
        const Control* panel = bigPanel(k);
        if (panel != nullptr && panel->left > 0) inView = k;
    }
    return inView;
}

void Tmain::StartMove(int code) {
    const bool instant = model.slideStepDivisor < kInstantDivisorLimit;
    if (!Slider.enabled() && instant) model.bigPanelAreaFrozen = true;

    switch (code & move_state::kBigMask) {
        case 1:
            refreshDsmFigures();
            model.dsm_panel.enabled = false;
            break;
        case 2: model.dsm_panel.enabled = false; break;
        case 3:
        case 4: model.button_panel.enabled = false; break;
        case 5:
        case 6: model.file_panel.enabled = false; break;
        case 7:
        case 8: model.config_panel.enabled = false; break;
        default: break;
    }
    switch (code & move_state::kSmallMask) {
        case 0x10:
        case 0x20: model.dvdbtn.visible = false; break;
        case 0x30:
        case 0x40:
            for (Control* button : {&model.RecBtn, &model.stopbtn, &model.testbtn, &model.resetbtn}) {
                button->visible = false;
            }
            break;
        default: break;
    }
    moveState |= code;
    Slider.setEnabled(true);
    PanelEnabling();
}

void Tmain::smallPanelAfterOutSlide() {
    StartMove(player().PCDVD_Player() != 0 ? move_state::kActiveIn : move_state::kInactiveIn);
}

void Tmain::afterOutSlide() {
    const int pending = model.panelselect_menuTag;
    if (pending <= 0) return;
    StartMove(2 * pending - 1);
    if (model.slideStepDivisor < kInstantDivisorLimit) SliderTimer();
}

void Tmain::SliderTimer() {
    const int divisor = model.slideStepDivisor;
    const int smallStep = 200 / divisor;
    const int bigStep = 320 / divisor;
    auto clearSmall = [this] { moveState &= ~move_state::kSmallMask; };

    switch (moveState & move_state::kSmallMask) {
        case 0x10:
            model.inactive_panel.left += smallStep;
            if (model.inactive_panel.left >= kSmallIn) {
                model.inactive_panel.left = kSmallIn;
                model.dvdbtn.visible = true;
                clearSmall();
            }
            break;
        case 0x20:
            model.inactive_panel.left -= smallStep;
            if (model.inactive_panel.left <= kSmallOut) {
                model.inactive_panel.left = kSmallOut;
                clearSmall();
                smallPanelAfterOutSlide();
            }
            break;
        case 0x30:
            model.active_panel.left += smallStep;
            if (model.active_panel.left >= kSmallIn) {
                model.active_panel.left = kSmallIn;
                clearSmall();
                // The buttons are chosen as if no move were under way.
                Slider.setEnabled(false);
                PlayerWatchUpdate();
                Slider.setEnabled(true);
                clearSmall();
            }
            break;
        case 0x40:
            model.active_panel.left -= smallStep;
            if (model.active_panel.left <= kSmallOut) {
                model.active_panel.left = kSmallOut;
                clearSmall();
                smallPanelAfterOutSlide();
            }
            break;
        default: break;
    }

    const int big = moveState & move_state::kBigMask;
    if (big != 0) {
        const int k = (big + 1) / 2;
        const bool in = (big % 2) == 1;
        Control* panel = bigPanel(k);
        if (panel == nullptr) {
            moveState &= ~move_state::kBigMask;  // no such panel: nothing to move
        } else {
            panel->left += in ? bigStep : -bigStep;
            const bool arrived = in ? panel->left >= kBigIn : panel->left <= kBigOut;
            if (arrived) {
                panel->left = in ? kBigIn : kBigOut;
                moveState &= ~move_state::kBigMask;
                if (!in) {
                    afterOutSlide();
                } else if (k == 1) {
                    model.dsm_panel.enabled = true;
                    onDsmInfoArrived();
                } else if (k == 2) {
                    if (moveState & move_state::kDeferredTest) {
                        moveState &= ~move_state::kDeferredTest;
                        controller_state = kDeferredTestState;
                        Timer1.setInterval(kDeferredTestInterval);
                        Timer1.setEnabled(true);
                    }
                } else if (k == 5) {
                    onRemoteArrived();
                }
            }
        }
    }

    if ((moveState & (move_state::kBigMask | move_state::kSmallMask)) == 0 && Slider.enabled()) {
        Slider.setEnabled(false);
        ports_.pump.processMessages();
        if (divisor < kInstantDivisorLimit) {
            model.bigPanelAreaFrozen = false;
            ports_.pump.processMessages();
            model.dsm.dsm_name.visible = true;
        }
    }
}

void Tmain::HideSlide(int panel) {
    const int inView = bigPanelInView();
    if (panel == inView) return;
    model.panelselect_menuTag = panel;
    if (inView > 0) StartMove(2 * inView);
}

void Tmain::panelselect_menuPopup() {
    for (MenuItem& item : model.panelselect_menu) {
        if (item.tag == 5) continue;
        const Control* panel = bigPanel(item.tag);
        item.checked = panel != nullptr && panel->left > 0;
        item.isDefault = item.checked;
    }
    MenuItem& dsmInfo = model.panelMenuItem("newpanel1");
    dsmInfo.caption = std::string(kDsmInfoCaption) + (notesEmpty() ? kEmptyMark : "");
}

void Tmain::PlayerWatchUpdate() {
    if (player().PCDVD_Player() == 0) {
        if (model.active_panel.left > 0) StartMove(0x40);
        return;
    }
    if (model.inactive_panel.left > 0) {
        model.dvdbtn.visible = false;
        model.applicationTitle = kWaitingForPcDvd;
        ports_.pump.processMessages();
        player().Wait_For_Player();
        model.applicationTitle = texts::kApplicationTitle;
        if (model.inactive_panel.left > 0) StartMove(0x20);
    }
    if (model.active_panel.left <= 0) return;

    if (run_mode & run_mode_bit::kTest) {
        for (Control* button : {&model.RecBtn, &model.stopbtn, &model.testbtn, &model.resetbtn}) {
            button->visible = false;
        }
        return;
    }
    const bool controllerBusy = Timer1.enabled() && controller_state > 50;
    if (Slider.enabled() || controllerBusy) {
        model.RecBtn.visible = false;
        model.testbtn.visible = false;
        model.resetbtn.visible = false;
        model.stopbtn.visible =
            Timer1.enabled() && controller_state >= 51 && controller_state <= 99;
        return;
    }
    if (macroPlaying() || model.remote_panel.left > 0) {
        model.RecBtn.visible = false;
        model.testbtn.visible = false;
        model.resetbtn.visible = false;
        model.stopbtn.visible = true;
        return;
    }
    model.RecBtn.visible = true;
    model.resetbtn.visible = true;
    model.stopbtn.visible = false;
    model.testbtn.visible = clickCount() > 0;
}

void Tmain::PanelEnabling() {
    for (int k : kBigPanels) {
        if (Control* panel = bigPanel(k)) panel->enabled = !Slider.enabled() && panel->left > 0;
    }
}

void Tmain::refreshDsmFigures() { document.recount(); }
bool Tmain::notesEmpty() { return model.dsm.Notes.empty(); }
int Tmain::clickCount() { return static_cast<int>(model.dsm.ClickList.size()); }
bool Tmain::macroPlaying() { return ClickTimer.enabled(); }

void Tmain::onDsmInfoArrived() {
    model.focus = "Notes";
    run_mode &= ~0x08;
}

void Tmain::onRemoteArrived() { StartRecording(); }

}  // namespace spindrel
