#pragma once
// The one engine behind every player plug-in's seven exports. It keeps nothing between calls:
// every call finds the player's windows anew, so the program may call at any time, whether or
// not the player runs, and a player that was restarted in between is simply found again.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/registry_port.h"
#include "platform/shell_port.h"
#include "platform/window_port.h"
#include "plugins/player_profile.h"

namespace spindrel::plugins {

// The program's own key, where the user's hand-located player is kept in "PCDVD".
inline constexpr const char* kProgramKey = "\\Software\\Tolvrey\\DVD-Spindrel\\";
inline constexpr const char* kPlayerPathValue = "PCDVD";

// Looks up an environment variable; nullopt when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(const std::string& name)>;
std::optional<std::string> processEnvironment(const std::string& name);

// Whether a program file is there to be started.
using FileCheck = std::function<bool(const std::string& path)>;
bool fileIsThere(const std::string& path);

// Expands %NAME% as Windows does for REG_EXPAND_SZ values: unknown names stay as written.
std::string expandEnvironment(const std::string& text, const EnvironmentLookup& lookup);

class PluginEngine {
public:
    PluginEngine(const PlayerProfile& profile, WindowPort& windows, ShellPort& shell,
                 RegistryPort& registry, EnvironmentLookup environment = processEnvironment,
                 FileCheck fileCheck = fileIsThere);

    WindowHandle mainWindow();
    WindowHandle videoWindow();
    // Presses the button with this code; unknown codes press nothing.
    std::int32_t sendButton(std::int32_t code);
    // Launches the player for the disc in this drive (0: no drive); true when the shell accepted.
    bool startPlayer(char driveLetter);
    // The program that startPlayer launches: the hand-located one, else the player's own rule.
    std::string playerPath();
    // Asks the player to close, without waiting.
    std::int32_t closePlayer();
    // Blocks until the player has handled a message, or its time-out; non-zero when it answered.
    std::int32_t waitForPlayer();
    // buffer holds at least contract::kAbilityBufferSize bytes.
    char* writeAbilities(char* buffer) const;

private:
    std::optional<std::string> readText(RegRoot root, const std::string& path,
                                        const std::string& value, bool createKey);
    WindowHandle findWindow(const WindowName& name);

    const PlayerProfile& profile_;
    WindowPort& windows_;
    ShellPort& shell_;
    RegistryPort& registry_;
    EnvironmentLookup environment_;
    FileCheck fileCheck_;
};

}  // namespace spindrel::plugins
