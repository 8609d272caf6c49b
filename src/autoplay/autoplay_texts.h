#pragma once
// The autoplay buttons' hints, the Spindrel+ menu, and the names and message of both
// registrations, kept together.

namespace spindrel::autoplay_texts {

// The program's entry in both lists is recognised by this name.
inline constexpr const char* kOwnName = "DVD Spindrel";
inline constexpr const char* kOptionA = "/a";
inline constexpr const char* kOptionB = "/b";

// Disc Detector: one DVD key per user profile, the handler it runs, and the others.
inline constexpr const char* kDiscDetectorUserKey = "\\Software\\Creative Tech\\Disc Detector\\DVD";
inline constexpr const char* kDiscDetectorDefaultUserKey =
    "\\.DEFAULT\\Software\\Creative Tech\\Disc Detector\\DVD";
inline constexpr const char* kDefaultHandler = "Default";
inline constexpr const char* kPlayerFormat = "Player%d";
inline constexpr const char* kName = "Name";
inline constexpr const char* kParameters = "Parameters";
inline constexpr const char* kPath = "Path";
inline constexpr const char* kRun = "Run";
// A standard user may set up Disc Detector for themselves but not for the default profile.
inline constexpr const char* kDoneForUser =
    "Disc Detector will now start DVD Spindrel for you when a DVD is inserted.\r\r";
inline constexpr const char* kNotForDefaultProfile =
    "It could not be set up for new users of this computer (the default profile):\r";
inline constexpr const char* kNeedsAdministrator =
    "\r\rThat needs administrator rights: start DVD Spindrel as administrator and press the "
    "button again to set it up there too.";

// Spindrel+: one list of value pairs under HKEY_LOCAL_MACHINE.
inline constexpr const char* kSpindrelPlusUdfKey = "\\Software\\Tolvrey\\Spindrel+\\UDF";
inline constexpr const char* kCommandFormat = "A)%.2d,DVD Spindrel";
inline constexpr const char* kTreatmentFormat = "B)%.2d,DVD Spindrel";
inline constexpr const char* kCommandLineFormat = "\"%s\" %s";
inline constexpr const char* kListOption = "O)";
inline constexpr const char* kInstalled =
    "Install into Spindrel+\r\rDVD Spindrel will now be executed when you insert any DVD "
    "title.\rAll previous entries under 'UDF' are now menu options.";

inline constexpr const char* kOptionaHint =
    "Option /A:   will configure Creative's Disc Detector to load\r\n"
    "                   DVD-Spindrel when a DVD is inserted.\r\n\r\n"
    "If no macro exists for this DVD, then DVD-Spindrel will\r\n"
    "terminate, after starting the PC-DVD Player software.";
inline constexpr const char* kOptionbHint =
    "Option /B:   will configure Creative's Disc Detector to load\r\n"
    "                   DVD-Spindrel when a DVD is inserted.\r\n\r\n"
    "If no macro exists for this DVD, then DVD-Spindrel will\r\n"
    "remain minimised, so you can create a macro for this disc.";
inline constexpr const char* kSpindrelHint =
    "   This button will configure your \r\n              SPINDREL+\r\n"
    "instead of Creative's Disc Detector.";

// Windows AutoPlay (Vista and later), for the current user: a handler of the "Play DVD movie"
// event that runs the verb of a ProgID of the program's own.
inline constexpr const char* kClassesKey = "\\Software\\Classes\\";
inline constexpr const char* kProgId = "Tolvrey.DVDSpindrel.AutoPlay";
inline constexpr const char* kVerb = "play";
inline constexpr const char* kHandlersKey =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoplayHandlers\\Handlers\\";
inline constexpr const char* kHandlerName = "TolvreyDVDSpindrelPlayDVDMovie";
inline constexpr const char* kDvdEventKey =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoplayHandlers\\EventHandlers\\"
    "PlayDVDMovieOnArrival";
inline constexpr const char* kAction = "Action";
inline constexpr const char* kProvider = "Provider";
inline constexpr const char* kDefaultIcon = "DefaultIcon";
inline constexpr const char* kInvokeProgId = "InvokeProgID";
inline constexpr const char* kInvokeVerb = "InvokeVerb";
inline constexpr const char* kIconFormat = "%s,0";
inline constexpr const char* kActionText = "Play DVD movie with its macro";

inline constexpr const char* kWindowsHint =
    "Windows AutoPlay:   makes DVD-Spindrel a handler of the\r\n"
    "                   \"Play DVD movie\" event of Windows AutoPlay,\r\n"
    "                   for your user account, with Option /A or /B.\r\n\r\n"
    "Then choose it for DVD movies in Windows' AutoPlay settings.";
inline constexpr const char* kWindowsQuestion =
    "Windows AutoPlay\r\rMake DVD Spindrel a handler of the \"Play DVD movie\" event?\r\r"
    "Yes:   Option /A      (quit if no macro)\r"
    "No:    Option /B      (remain if no macro)";
inline constexpr const char* kWindowsInstalledFormat =
    "Install into Windows AutoPlay\r\r"
    "DVD Spindrel is now a handler of the \"Play DVD movie\" event for your user account, "
    "with Option %s.\r\r"
    "To choose it, open AutoPlay in Windows' Settings (or AutoPlay in the Control Panel) and "
    "pick \"Play DVD movie with its macro (DVD Spindrel)\" for DVD movies.";

inline constexpr const char* kOptionA1 = "Option /A      (quit if no macro)";
inline constexpr const char* kOptionB1 = "Option /B      (remain if no macro)";
inline constexpr const char* kCancel1 = "Cancel";

}  // namespace spindrel::autoplay_texts
