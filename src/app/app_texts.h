#pragma once
// The start-up, settings and plug-in binding texts, kept together.

namespace spindrel::texts {

inline constexpr const char* kApplicationTitle = "DVD Spindrel";
inline constexpr const char* kSettingsKey = "\\Software\\Tolvrey\\DVD-Spindrel\\";
inline constexpr const char* kSpindrelPlusKey = "\\Software\\Tolvrey\\Spindrel+";
inline constexpr const char* kDefaultPlugin = "Wyvernel.dll";
inline constexpr const char* kDsmFolderName = "dsm";

inline constexpr const char* kMissingLibrary = "Missing Dynamic Link Library\t\r\rDLL Name:\t";
inline constexpr const char* kMissingFunction =
    "Missing function in Dynamic Link Library\t\r\rDLL Name:\t";
inline constexpr const char* kInterfaceHint = "PC-DVD Interface : ";

// The player plug-in chosen on the configuration panel.
inline constexpr const char* kPlayerNameValue = "PlayerName";
inline constexpr const char* kNextStartMark = "  (next start)";
inline constexpr const char* kRestartForPlayerStart = "DVD-Spindrel will drive ";
inline constexpr const char* kRestartForPlayerEnd =
    " from its next start.\r\rRestart DVD-Spindrel now?";
inline constexpr const char* kRestartFailed =
    "DVD-Spindrel could not start again. Start it yourself: the player you chose is stored.";

}  // namespace spindrel::texts

namespace spindrel::texts {

inline constexpr const char* kWaitingForPlayer = "Waiting for DVD-Player";
// Why an automatic run ended without its macro.
inline constexpr const char* kPlayerNeverCame = "DVD-Player did not start";
inline constexpr const char* kPlayerVanished = "DVD-Player was closed";
inline constexpr const char* kPlayerUnreachable = "DVD-Player does not answer";
inline constexpr const char* kLocateQuestion =
    "DVD-Spindrel could not start your PC-DVD Player program!\t\r"
    "                  (possibly because it cannot find it).\r\r"
    "Would you like to manually find the program this time, so that\r"
    "DVD-Spindrel can start it for you automatically next time?";
inline constexpr const char* kLocateDialogTitle = "Find your PC-DVD Player";
inline constexpr const char* kLocateDialogFilter =
    "Programs|*.exe;*.com|Shortcuts|*.lnk;*.pif|Batch Files|*.bat|All Files|*.*";
inline constexpr const char* kLocateConfirmStart =
    "You have selected to use the following program as your PC-DVD Player.\r\r";
inline constexpr const char* kLocateConfirmEnd =
    "\r\rAre you sure that this is correct?\rIf you say YES, it will be used next time without "
    "asking.\rIf you say NO, you will be asked again next time.";
inline constexpr const char* kLaunchNow = "Would you like to launch that program now?";
inline constexpr const char* kLaunchToCheck =
    "You just said \"NO\" to being sure about that program, do you\rwant to launch it now, to "
    "see if you did select the right program?\r\rIf it turns out correct, you will have to "
    "select it again next time.";
inline constexpr const char* kUnableToExecute = "Unable to execute ";

}  // namespace spindrel::texts
