// Tmain: the player watch, the start-player button and locating the player program by hand.

#include "app/app_texts.h"
#include "app/settings.h"
#include "app/tmain.h"

namespace spindrel {

namespace {
inline constexpr int kWaitForPlayerState = 79;
inline constexpr int kWaitForPlayerInterval = 1000;

std::string driveRoot(char letter) {
    return letter == 0 ? std::string() : std::string(1, letter) + ":\\";
}
}  // namespace

void Tmain::PCDVD_TimerTimer() {
    PlayerWatchUpdate();
    remoteHintCheck();
    PanelEnabling();
}

void Tmain::dvdbtnClick() {
    ports_.pump.processMessages();
    bool started = player().Start_DVD_Player(dvdDriveLetter());
    if (!started) started = ManualPlayerLocate();
    if (!started) return;
    controller_state = kWaitForPlayerState;
    Timer1.setInterval(kWaitForPlayerInterval);
    Timer1.setEnabled(true);
}

MsgAnswer Tmain::askYesNo(const std::string& text) {
    return ports_.messages.show(text, model.applicationTitle, MsgButtons::yesNo,
                                MsgIcon::question);
}

bool Tmain::ManualPlayerLocate() {
    ports_.messages.beep(BeepKind::exclamation);
    if (askYesNo(texts::kLocateQuestion) != MsgAnswer::yes) return false;

    OpenDialogOptions dialog;
    dialog.title = texts::kLocateDialogTitle;
    dialog.filter = texts::kLocateDialogFilter;
    dialog.initialFolder = "C:\\";
    const std::optional<std::string> program = ports_.openDialog.openFile(dialog);
    if (!program) return false;

    const bool sure = askYesNo(texts::kLocateConfirmStart + *program + texts::kLocateConfirmEnd) ==
                      MsgAnswer::yes;
    if (sure) {
        writeToSettingsKey(sharedRegistry(), [&program](Registry& key) {
            key.writeString(setting::kPcdvd, *program);
        });
    }
    if (askYesNo(sure ? texts::kLaunchNow : texts::kLaunchToCheck) != MsgAnswer::yes) return false;

    const std::intptr_t result =
        ports_.shell.execute("open", *program, driveRoot(dvdDriveLetter()), "", kSwShowNormal);
    if (result <= 32) {
        ports_.messages.show(texts::kUnableToExecute + ("\"" + *program + "\""),
                             model.applicationTitle, MsgButtons::ok, MsgIcon::error);
    }
    return true;
}

}  // namespace spindrel
