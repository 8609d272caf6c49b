#pragma once
// The one engine behind every player plug-in's seven exports. It keeps nothing between calls:
// every call finds the player's windows anew, so the program may call at any time, whether or
// not the player runs, and a player that was restarted in between is simply found again.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/drives_port.h"
#include "platform/file_io_port.h"
#include "platform/local_web_port.h"
#include "platform/registry_port.h"
#include "platform/shell_port.h"
#include "platform/window_port.h"
#include "plugins/player_profile.h"
#include "plugins/vlc_settings.h"

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

// A request to a web interface blocks no longer than a sent button; polls while waiting for the
// player are short, so the wait ends soon after the interface answers.
inline constexpr std::uint32_t kPollTimeoutMs = 500;
// A press's request gets the contract's time-out less what finding the window, reading the
// player's settings file and closing the socket take, so that even a silent player holds the
// program no longer than the contract allows (measured under Wine: 5,001 to 5,009 ms without it).
inline constexpr std::uint32_t kRequestTimeoutMs = kButtonTimeoutMs - 50;
inline constexpr std::uint32_t kPollPauseMs = 100;
// A player whose interface timed out is asked with this time-out until it answers again, as
// Windows gives up at once on a window it judges hung.
inline constexpr std::uint32_t kSilentTimeoutMs = 250;

// The web interface of the player this plug-in started, kept in the plug-in's memory for the
// later calls of the same program (never written anywhere).
struct WebSession {
    std::uint16_t port = 0;  // 0: this plug-in started none
    std::string password;
    // The port whose last request timed out.
    std::uint16_t silentPort = 0;
};

// What a player with a web interface needs beyond windows, shell and registry.
struct WebPorts {
    LocalWebPort& web;
    LocalServicePort& service;
    FileIoPort& files;
    DrivesPort& drives;
    WebSession& session;
};

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
    // For a player with a web interface; without, its requests find no player.
    void attachWeb(const WebPorts& ports) { web_.emplace(ports); }
    // A request of the player's web interface beyond the buttons (its state, read by a poll).
    WebAnswer webRequest(const std::string& path, std::uint32_t timeoutMs) {
        return request(path, timeoutMs);
    }

private:
    struct Endpoint {
        std::uint16_t port;
        std::string password;
    };
    std::optional<VlcSettings> userSettings();
    std::vector<Endpoint> endpoints();
    // To the first endpoint that does not refuse; the session learns which ones stay silent.
    WebAnswer request(const std::string& path, std::uint32_t timeoutMs);
    std::int32_t waitForWebInterface();
    bool startWebPlayer(char driveLetter);
    char firstVideoDisc();
    std::optional<std::string> readText(RegRoot root, const std::string& path,
                                        const std::string& value, bool createKey);
    WindowHandle findWindow(const WindowName& name);

    const PlayerProfile& profile_;
    WindowPort& windows_;
    ShellPort& shell_;
    RegistryPort& registry_;
    EnvironmentLookup environment_;
    FileCheck fileCheck_;
    std::optional<WebPorts> web_;
};

}  // namespace spindrel::plugins
