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

// A press blocks no longer than a sent button; polls while waiting for the player are short, so
// the wait ends soon after the interface answers.
inline constexpr std::uint32_t kPollTimeoutMs = 500;
// A press's requests, to every interface it tries, share the contract's time-out from the call
// on, less what finding the window and closing the socket take, so that even a silent player
// holds the program no longer than the contract allows (measured under Wine: 5,001 to 5,009 ms
// without it).
inline constexpr std::uint32_t kRequestTimeoutMs = kButtonTimeoutMs - 50;
inline constexpr std::uint32_t kPollPauseMs = 100;
// A player whose interface timed out is asked with this time-out until it answers again, as
// Windows gives up at once on a window it judges hung.
inline constexpr std::uint32_t kSilentTimeoutMs = 250;

// The web interface of the player this plug-in started, kept in the plug-in's memory for the
// later calls of the same program (never written anywhere).
struct WebSession {
    std::uint16_t port = 0;  // 0: this plug-in started none, or it is gone
    std::string password;
    // The port whose last request timed out.
    std::uint16_t silentPort = 0;
    // The port of the user's own VLC that answered without the password as VLC does, and has
    // answered every request since: the user's password goes to no other.
    std::uint16_t vouchedPort = 0;
    // Where the player keeps its settings, once found.
    std::string settingsFile = {};
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
    // The window the player reports its state to, for a player that does (0: none to name).
    void setReportWindow(WindowHandle window) { reportWindow_ = window; }
    // For a player with a web interface; without, its requests find no player.
    void attachWeb(const WebPorts& ports) { web_.emplace(ports); }
    // The answer to the last press that went out as a request, if any: the player's status.
    const WebAnswer* pressAnswer() const { return pressAnswer_ ? &*pressAnswer_ : nullptr; }
    // A request of the player's web interface beyond the buttons (its state, read by a poll).
    WebAnswer webRequest(const std::string& path, std::uint32_t timeoutMs);

private:
    struct Endpoint {
        std::uint16_t port;
        std::string password;
        bool started;  // the VLC this plug-in started, else the user's own
    };
    // Read once for each call of the plug-in.
    const std::optional<VlcSettings>& userSettings();
    std::optional<VlcSettings> readUserSettings();
    std::vector<Endpoint> endpoints();
    // To each endpoint in turn until one answers, all by the one deadline (on the service's
    // clock); the session learns which ones stay silent and forgets a started VLC that is gone.
    // While waiting for a VLC to start, its refusals are expected.
    WebAnswer request(const std::string& path, double deadline, bool starting);
    WebAnswer ask(const Endpoint& endpoint, const std::string& path, double deadline,
                  bool shareTime);
    std::int32_t waitForWebInterface();
    bool startWebPlayer(char driveLetter);
    char firstVideoDisc();
    // A player with a web interface that runs already, but not for this program (an earlier
    // run started it): told to play the disc where its interface answers, then driven through
    // that interface; else closed, to be started afresh. (engine_running_player.cpp)
    bool openInRunningPlayer(char disc);
    bool closeRunningPlayer();
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
    std::optional<std::optional<VlcSettings>> settings_;
    WindowHandle reportWindow_ = 0;
    std::optional<WebAnswer> pressAnswer_;
};

}  // namespace spindrel::plugins
