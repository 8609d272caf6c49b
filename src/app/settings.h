#pragma once
// The program's options, window position and plug-in choice in one registry key.

#include <functional>
#include <string>

#include "app/main_model.h"
#include "base/registry.h"
#include "platform/system_port.h"

namespace spindrel {

// Value names of the settings key.
namespace setting {
inline constexpr const char* kResetBeforeTest = "Reset_Before_Test";
inline constexpr const char* kAnimateSliders = "Animate_Sliders";
inline constexpr const char* kLaunchOtherProgram = "Launch_Other_Program";
inline constexpr const char* kOtherProgram = "Other_Program";
inline constexpr const char* kPositionLeft = "Position:Left";
inline constexpr const char* kPositionTop = "Position:Top";
inline constexpr const char* kDvdInterface = "DVD_Interface";
inline constexpr const char* kPcdvd = "PCDVD";
}  // namespace setting

// Fills the model from the settings key (creating the key; the user's when the machine's cannot
// be created), the user's values over the machine's, and returns the plug-in file name.
// A value stored with the wrong type raises RegistryError; what was read before it stays.
// pluginStored, when given, says whether either key holds DVD_Interface.
std::string readSettings(Registry& registry, MainModel& model, ScreenSize screen,
                         bool* pluginStored = nullptr);

// Writes values into the settings key through the registry's open key: the user's own key when
// there is one, else the machine's, and the user's when the machine's cannot be written. A
// failure of both raises the machine key's RegistryError.
using SettingsWriter = std::function<void(Registry&)>;
void writeToSettingsKey(Registry& registry, const SettingsWriter& write);

// Writes the options and the position. A failure raises RegistryError; values written before
// it stay written.
void writeSettings(Registry& registry, const MainModel& model);

// The window's left edge below which it is treated as parked off-screen and not stored.
inline constexpr int kLowestStoredLeft = -999;

}  // namespace spindrel
