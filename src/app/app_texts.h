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

}  // namespace spindrel::texts
