#pragma once
// What the remote panel, the macro player, the recorder and the click list editor show.

namespace spindrel::macro_texts {

inline constexpr const char* kStartingMacro = "Starting Macro";
inline constexpr const char* kMacroComplete = "Macro Complete";
inline constexpr const char* kMacroInterrupted = "Macro Interrupted";
inline constexpr const char* kWaitingForRestart = "Waiting for restart";
// "In %.1fs: %s" and "\"%s\" in %.1f sec", with the wait written by formatWait.
inline constexpr const char* kTitleInPrefix = "In ";
inline constexpr const char* kTitleInMiddle = "s: ";
inline constexpr const char* kNextButtonMiddle = "\" in ";
inline constexpr const char* kNextButtonEnd = " sec";
inline constexpr const char* kSecondsSuffix = "s";
// A click that waits for the player: "When a menu shows: Down" in the title, "\"Down\" when a
// menu shows" below the list; and one pressed without its state: "Pressed \"Down\" anyway: no
// menu showed".
inline constexpr const char* kMissedPrefix = "Pressed \"";
inline constexpr const char* kMissedMiddle = "\" anyway: ";
inline constexpr const char* kNotAFloat = "' is not a valid floating point value";
inline constexpr const char* kEditwaitHint =
    "Specifies the amount of time (in seconds)\r\nto wait before pressing the button below.\r\n"
    "   (accurate to one tenth of a second)";

}  // namespace spindrel::macro_texts
