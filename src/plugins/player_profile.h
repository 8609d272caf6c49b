#pragma once
// What one player plug-in knows about its player, as plain data: the windows it searches for, the
// buttons it offers, how each button reaches the player, and where the player program lives.
// The engine (engine.h) does the rest, the same way for every player.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry_port.h"

namespace spindrel::plugins {

// The messages the plug-ins send, by their Windows numbers (the core has no <windows.h>).
inline constexpr std::uint32_t kWmClose = 0x0010;
inline constexpr std::uint32_t kWmKeyDown = 0x0100;
inline constexpr std::uint32_t kWmChar = 0x0102;
inline constexpr std::uint32_t kWmCommand = 0x0111;
inline constexpr std::uint32_t kWmUser = 0x0400;

// How long a sent button, and the wait for an answering player, may block the caller.
inline constexpr std::uint32_t kButtonTimeoutMs = 5000;
inline constexpr std::uint32_t kWaitTimeoutMs = 10000;

struct WindowName {
    std::string className;
    std::string title;
    // Players whose title follows what they play are found by their class alone.
    bool anyTitle = false;
    // Or by the end of their title, where the player puts its own name after what it plays.
    bool titleEnds = false;
};

struct PlayerMessage {
    std::uint32_t message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
    bool operator==(const PlayerMessage&) const = default;
};

enum class Delivery {
    sent,     // SendMessageTimeout, one message
    posted,   // PostMessage, every message in order, nothing waited for
    request,  // a request to the player's local web interface, naming the action
};

struct Command {
    std::int32_t code = -1;
    Delivery delivery = Delivery::sent;
    std::vector<PlayerMessage> messages;
    std::string action = {};  // for a request
};

// A player that takes its buttons through a web interface of its own on 127.0.0.1.
struct WebInterface {
    bool used = false;
    // The button's action is appended to this path.
    std::string commandPath;
    // Asked to learn whether the interface answers.
    std::string statusPath;
    // The player's own settings file (%VARIABLES% expanded): where a player the user started
    // with the interface already on keeps its port and password.
    std::string settingsFile;
    // The same file of a portable installation, relative to the program's folder; read instead
    // when that folder exists.
    std::string portableSettingsFile = {};
    // Asked to play a disc instead of what the player plays: the disc's address is appended.
    std::string openPath = {};
};

// One entry of the ability list; the name "-" is a separator.
struct Ability {
    std::string name;
    int x = 0;
    int y = 0;
    int code = 0;
    int flag = 0;
};

// Where the player program is when the user has not located it by hand: the folder from a value
// of the player's own key under HKEY_LOCAL_MACHINE, then "\" and the file name. With no key
// named, or when the key or value is missing, the bare file name is left for the shell to find.
// The key is read in the 64-bit view of the registry, then in the 32-bit one, where a 32-bit
// player's installer writes it on 64-bit Windows.
struct DefaultPath {
    std::string installKey;  // empty: the player has no key to read
    std::string installValue;
    std::string programFile;
};

// Where a player that records its own full path may be: a registry value naming the program (key
// not empty), or a file at a known place (%VARIABLES% expanded). Either counts only when the file
// is there, so a player that was uninstalled without tidying up is passed over. With both a key
// and a file, the value names the folder the file is in.
struct ProgramCandidate {
    RegRoot root = RegRoot::localMachine;
    std::string key;
    std::string value;
    std::string file;
};

struct PlayerProfile {
    WindowName mainWindow;
    // Searched in order when mainWindow is not found: the same player under another class.
    std::vector<WindowName> otherMainWindows;
    WindowName videoWindow;
    // Players that draw the video inside their main window have no video window of their own.
    bool videoInMainWindow = false;
    std::vector<Ability> abilities;
    std::vector<Command> commands;
    std::vector<ProgramCandidate> programCandidates;  // tried before defaultPath
    DefaultPath defaultPath;
    // Added after the drive root, with a blank between: how the player is told it is a DVD.
    std::string driveSwitch;
    // Followed by the number of a window of the plug-in's own, to which the player then reports
    // where it is (MPC's "/slave").
    std::string reportSwitch = {};
    // Corvane's players want their video window in front after every button.
    bool raisesVideoWindow = false;
    WebInterface web;
};

// The ability list as Get_Abilities writes it: entries one after another, nothing between.
std::string abilityText(const PlayerProfile& profile);

// nullptr for a code the player does not list.
const Command* findCommand(const PlayerProfile& profile, std::int32_t code);

// The players, one table each.
const PlayerProfile& corvaneProfile();
const PlayerProfile& corvane3Profile();
const PlayerProfile& brannockProfile();
const PlayerProfile& wyvernelProfile();
const PlayerProfile& mpcProfile();
const PlayerProfile& vlcProfile();

}  // namespace spindrel::plugins
