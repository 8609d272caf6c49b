#pragma once
// Which plug-in a program with none chosen binds: the one whose player this machine has.

#include <string>

#include "platform/file_system_port.h"
#include "platform/registry_port.h"
#include "plugins/engine.h"

namespace spindrel {

// What the choice reads: the registry (the program's own key and the players' install keys),
// which files exist, and the environment for the players' default folders.
struct PlayerSearch {
    RegistryPort& registry;
    FileSystemPort& files;
    plugins::EnvironmentLookup environment;
};

// The plug-in file to bind when DVD_Interface is stored nowhere. programFolder ends with its
// separator; only plug-ins there are taken. A player located by hand (PCDVD) decides alone: its
// file name names the plug-in, and a program no plug-in knows keeps the default plug-in, which
// is the one that starts it today. Else the first plug-in whose player is installed, by the
// keys and folders the plug-in itself reads to start it: Creative's and CyberLink's players,
// then MPC-HC / MPC-BE, then VLC. With none, the default.
std::string firstStartPlugin(const PlayerSearch& search, const std::string& programFolder);

}  // namespace spindrel
