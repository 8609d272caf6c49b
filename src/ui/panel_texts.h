#pragma once
// The hints of the window's own buttons, the panel select buttons and the configuration panel's
// options, kept together.

namespace spindrel::panel_texts {

inline constexpr const char* kCloseHint = "Close";
inline constexpr const char* kMinimiseHint = "Minimise";
inline constexpr const char* kSelectPanelHint = "Click here to select a panel";

inline constexpr const char* kPlayerLabelHint =
    "The player that DVD-Spindrel drives. Click to choose\r\n"
    "another one of the player plug-ins beside the program.";
inline constexpr const char* kResetBeforeTestHint =
    "When you press the \"Test Macro\" button, would you\r\n"
    "like DVD-Spindrel to restart the PC-DVD Player, so\r\n"
    "your macro will affect a newly inserted DVD?";
inline constexpr const char* kAnimateSlidersHint =
    "If you like the panels to slide in and out of view,\r\n"
    "check this option, otherwise remove the check\r\n"
    "mark to have the panels change instantly.";
inline constexpr const char* kLaunchOtherProgramHint =
    "When started with \"/a\" or \"/b\", DVD-Spindrel starts your\r\n"
    "PC-DVD Player software. It can also start another program\r\n"
    "or shortcut with it: enter it in the box below by right-\r\n"
    "clicking the box (its edit menu), or drag it onto the box.";

}  // namespace spindrel::panel_texts
