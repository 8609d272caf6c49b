// Tmain: the main controller. One state per Timer1 tick carries the automatic run, the first
// steps of each start mode, and the sequences the controller panel's buttons start.

#include "app/app_texts.h"
#include "app/command_line.h"
#include "app/tmain.h"
#include "base/text.h"
#include "macro/dsm_naming.h"

namespace spindrel {

namespace {
inline constexpr const char* kRestarting = "Restarting PC-DVD";
inline constexpr const char* kWaitingForRestart = "Waiting for restart";
inline constexpr const char* kStartingIn = "Starting Macro in %d seconds.";
inline constexpr const char* kBarTitle = "DVD Spindrel  ";
inline constexpr const char* kBar = "-----     ";
inline constexpr int kTenMinutes = 600000;
}  // namespace

std::string progressTitle(int r) {
    return std::string(kBarTitle) + "|" + std::string(kBar).substr(static_cast<std::size_t>(r - 1), 5) +
           "|";
}

void Tmain::nextState(int state, int interval) {
    controller_state = state;
    if (interval > 0) Timer1.setInterval(interval);
    Timer1.setEnabled(true);
}

void Tmain::closeMainWindow() { model.closeRequested = true; }

void Tmain::Timer1Timer() {
    Timer1.setEnabled(false);
    const int state = controller_state;
    const int letter = dvdDriveLetter();
    switch (state) {
        case 2:
            model.applicationTitle = kRestarting;
            player().Start_DVD_Player(static_cast<char>(letter));
            nextState(52, 1000);
            return;
        case 3:
            model.next_button.caption.clear();
            selectClick(-1);
            return;
        case 4:
            model.applicationTitle = kRestarting;
            HideSlide(2);
            nextState(41, 0);
            return;
        case 9:
            model.next_button.caption.clear();
            return;
        case 10:
            StartMacroStep();
            return;
        case 60:
            // The player went during the countdown.
            if (!StartMacroStep())
                EndRunWithoutPlayer(PlayerLoss::vanished);
            return;
        case 41:
            if (!slideRunning()) {
                model.next_button.caption = kWaitingForRestart;
                player().Start_DVD_Player(static_cast<char>(letter));
                awaitPlayerFrom(ports_.timers.nowMs());
                nextState(51, 1000);
            } else {
                nextState(41, 1000);
            }
            return;
        case 50:
            WriteSettings();
            return;
        case 51:
            model.next_button.caption = kWaitingForRestart;
            for (CoolButton* button : {&model.RecBtn, &model.stopbtn, &model.testbtn, &model.resetbtn}) {
                button->visible = false;
            }
            if (slideRunning()) {
                nextState(51, 0);
                return;
            }
            if (!playerWindowCame(51))
                return;
            WaitForPlayerStep();
            PCDVD_Timer.setEnabled(true);
            nextState(61, 800);
            return;
        case 58:
            PCDVD_Timer.setEnabled(true);
            return;
        case 70:
            model.applicationTitle = texts::kWaitingForPlayer;
            if (!playerWindowCame(70) || !playerAnswered(70))
                return;
            nextState(62, 800);
            return;
        case 71:
        case 76:
        case 78:
            model.applicationTitle = texts::kWaitingForPlayer;
            ports_.pump.processMessages();
            if (!playerWindowCame(state))
                return;
            WaitForPlayerStep();
            model.applicationTitle = texts::kApplicationTitle;
            nextState((state - 70) * 100, 1000);
            return;
        case 79:
            model.applicationTitle = texts::kWaitingForPlayer;
            ports_.pump.processMessages();
            WaitForPlayerStep();
            model.applicationTitle = texts::kApplicationTitle;
            model.bringToFront = true;
            return;
        case 106:
        case 606:
        case 806:
            model.applicationTitle = texts::kApplicationTitle;
            closeMainWindow();
            return;
        case 200:
            if (!PreparePanels()) closeMainWindow();
            ports_.pump.processMessages();
            naming.selectDiscDsm();
            ports_.pump.processMessages();
            StartMove(moveState);
            run_mode = 0;
            return;
        case 500:
            disc.scan();
            if (!PreparePanels()) closeMainWindow();
            document.load(ButtonNames(knownButtons()));
            ports_.pump.processMessages();
            StartMove(moveState);
            return;
        case 600:
            if (!ports_.files.fileExists(model.dsm.dsm_name.caption)) {
                closeMainWindow();
                return;
            }
            if (!PreparePanels()) closeMainWindow();
            disc.scan();
            document.load(ButtonNames(knownButtons()));
            ports_.pump.processMessages();
            AutoRunStep(false);
            return;
        case 900:
            closeMainWindow();
            return;
        case 1000:
            if (!PreparePanels()) closeMainWindow();
            StartMove(moveState | 9);
            nextState(1002, 0);
            return;
        case 1002:
            model.timeindex.caption = "/test";
            model.showImage4Hint = true;
            model.dsm.dsm_name.caption = "-testmode-";
            disc.scan();
            return;
        default:
            break;
    }
    if (state >= 52 && state <= 57) {
        if (static_cast<std::int32_t>(player().PCDVD_Player()) > 0) {
            WaitForPlayerStep();
            PCDVD_Timer.setEnabled(true);
        } else {
            nextState(state + 1, 0);
        }
        return;
    }
    if (state >= 61 && state <= 67) {
        model.stopbtn.visible = true;
        model.next_button.caption = strFormat(kStartingIn, state - 60);
        nextState(state - 1, 0);
        return;
    }
    const bool autoRun = (state >= 100 && state <= 105) || (state >= 800 && state <= 805);
    const bool fileRunRetry = state >= 601 && state <= 605;
    if (autoRun || fileRunRetry) {
        const int r = state % 100;
        if (r > 0) model.applicationTitle = progressTitle(r);
        AutoRunStep(autoRun);
    }
}

bool Tmain::AutoRunStep(bool lookUp) {
    bool startedPlayer = false;
    awaitPlayerFrom(ports_.timers.nowMs());
    playerRestarted_ = false;
    if (player().PCDVD_Player() == 0) {
        // The other program starts with the player only when the user asked for it.
        if (!model.autoexec.caption.empty() && isChecked(model.cbox_3)) {
            ports_.shell.execute("open", model.autoexec.caption, "", "", kSwShowNormal);
        }
        if (!player().Start_DVD_Player(dvdDriveLetter())) {
            EndRunWithoutPlayer(PlayerLoss::neverCame);
            return false;
        }
        startedPlayer = true;
    }
    if (model.disc.DVD_Serial.caption.empty()) disc.scan();
    if (model.disc.DVD_Serial.caption.empty()) {
        if (!startedPlayer) {
            nextState(controller_state + 1, 1000);
        } else {
            nextState(controller_state / 100 + 70, 10);
        }
        return false;
    }
    model.applicationTitle = texts::kApplicationTitle;
    if (lookUp) {
        const std::string name = defaultDsmName(model.disc.DVD_Serial.caption);
        if (ports_.files.fileExists(name)) {
            if (!PreparePanels()) closeMainWindow();
            naming.loadDsm(name);
        } else {
            if (run_mode == 0x41) {
                closeMainWindow();
            } else if (run_mode == 0x48) {
                nextState(900, kTenMinutes);
            }
            return false;
        }
    }
    nextState(70, 1000);
    return true;
}

void Tmain::ApplicationMinimize() {
    run_mode |= run_mode_bit::kMinimized;
    model.windowState = WindowState::minimized;
}

void Tmain::ApplicationRestore() {
    model.windowState = WindowState::normal;
    if ((run_mode & 0x48) == 0x48) {
        if (controller_state == 900) {
            Timer1.setEnabled(false);
            controller_state = 0;
        }
        naming.prepareDiscNewDsm();
    }
    // Test mode keeps its bit and its remote panel; only the minimised mark goes.
    if ((run_mode & 0x1F) == start_mode::kTest) {
        run_mode &= ~run_mode_bit::kMinimized;
        return;
    }
    run_mode &= 0x3F;
    ports_.pump.processMessages();
    PreparePanels();
    bool anyInView = false;
    for (int k : {1, 2, 3, 4, 7}) {
        const Control* panel = bigPanel(k);
        anyInView = anyInView || (panel != nullptr && panel->left >= 0);
    }
    if (anyInView) return;
    moveState = 0;
    int move = macroPlaying() ? 3 : 1;
    if (run_mode == 8) move = 1;
    move += player().PCDVD_Player() > 0 ? 0x30 : 0x10;
    StartMove(move);
}

}  // namespace spindrel
