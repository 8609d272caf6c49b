// Tmain: the automatic run's wait for its player. A player may take its time to show its window
// (a drive spinning the disc up, a player's first start after an install or update), may never
// come, may be closed in the middle of the run, or may run without taking this program's presses
// (one left running by an earlier run). None of them may leave a minimised program behind for
// good: such a program would also turn away every later disc as a second copy.

#include "app/app_texts.h"
#include "app/command_line.h"
#include "app/tmain.h"

namespace spindrel {

namespace {
// How long a run waits for the player's window. A drive spinning a disc up takes up to about
// 20 s before a player that opens the disc first shows anything; a player's first start after an
// install or update takes tens of seconds on a slow machine (VLC rebuilds its plug-in cache
// then); the two can meet on the first disc after an update. Waiting too long costs only a
// minimised program that closes later; too short a wait loses the macro.
inline constexpr double kPlayerAppearMs = 60000;
inline constexpr int kPlayerPollMs = 500;
inline constexpr int kTenMinutes = 600000;
inline constexpr int kStateMessageShown = 9;
inline constexpr int kMessageShownMs = 3000;
inline constexpr int kRemainRun = 0x48;
inline constexpr int kClosingRunModes[] = {0x41, 0x46};
}  // namespace

std::int32_t Tmain::WaitForPlayerStep() {
    ports_.pump.processMessages();
    const std::int32_t answer = player().Wait_For_Player();
    model.applicationTitle = texts::kApplicationTitle;
    return answer;
}

void Tmain::awaitPlayerFrom(double nowMs) {
    playerDeadlineMs_ = nowMs + kPlayerAppearMs;
}

bool Tmain::playerWindowCame(int state) {
    if (player().PCDVD_Player() != 0)
        return true;
    if (ports_.timers.nowMs() < playerDeadlineMs_) {
        model.applicationTitle = texts::kWaitingForPlayer;
        nextState(state, kPlayerPollMs);
        return false;
    }
    EndRunWithoutPlayer(PlayerLoss::neverCame);
    return false;
}

bool Tmain::playerAnswered(int state) {
    if (WaitForPlayerStep() != 0)
        return true;
    // A player whose window is there but that does not answer this program (a hung one, or one
    // an earlier run started, whose web interface this run cannot reach) is started once more:
    // the plug-in then hands it the disc, or closes it and starts it afresh.
    if (!playerRestarted_) {
        playerRestarted_ = true;
        model.applicationTitle = texts::kWaitingForPlayer;
        if (player().Start_DVD_Player(dvdDriveLetter())) {
            awaitPlayerFrom(ports_.timers.nowMs());
            nextState(state, kPlayerPollMs);
            return false;
        }
    }
    EndRunWithoutPlayer(PlayerLoss::unreachable);
    return false;
}

void Tmain::EndRunWithoutPlayer(PlayerLoss loss) {
    const char* why = loss == PlayerLoss::neverCame  ? texts::kPlayerNeverCame
                      : loss == PlayerLoss::vanished ? texts::kPlayerVanished
                                                     : texts::kPlayerUnreachable;
    model.next_button.caption = why;
    PCDVD_Timer.setEnabled(true);
    // Minimised, the task bar's text is all the user sees of the program.
    if ((run_mode & run_mode_bit::kMinimized) != 0)
        model.applicationTitle = why;
    for (int mode : kClosingRunModes) {
        if (run_mode == mode) {
            closeMainWindow();
            return;
        }
    }
    // "/b" stays for the user as it does for a disc without a DSM, then closes.
    if (run_mode == kRemainRun) {
        nextState(900, kTenMinutes);
        return;
    }
    nextState(kStateMessageShown, kMessageShownMs);
}

}  // namespace spindrel
