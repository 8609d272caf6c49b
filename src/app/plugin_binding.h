#pragma once
// Loads the player plug-in named by the settings and resolves its seven exports.

#include <memory>
#include <string>

#include "app/main_model.h"
#include "platform/library_port.h"
#include "platform/message_box_port.h"
#include "platform/player_port.h"
#include "plugins/contract.h"

namespace spindrel {

// The look-up order; when several exports are missing, the last of them in this order is named.
inline constexpr const char* kPluginExports[7] = {
    "PCDVD_Window",    "PCDVD_Player",    "Send_To_DVD",   "Start_DVD_Player",
    "Kill_DVD_Player", "Wait_For_Player", "Get_Abilities",
};

// Binds the plug-in: sets Image4's hint, reports a missing library or export in an error box,
// and returns the bound entry points, or nullptr when binding failed.
std::unique_ptr<PlayerPort> bindPlugin(LibraryPort& libraries, MessageBoxPort& messages,
                                       const std::string& fileName, const std::string& caption,
                                       Control& image4);

// Reads the optional state export once.
PlayerState stateFromRecord(contract::PCDVD_State_fn read);

// Stands in for the entry points while none are bound (a start-up cut short by an error): every
// player check answers "no player", and nothing is sent anywhere.
class UnboundPlayer : public PlayerPort {
public:
    std::uint32_t PCDVD_Player() override { return 0; }
    std::uint32_t PCDVD_Window() override { return 0; }
    std::int32_t Send_To_DVD(std::int32_t) override { return 0; }
    bool Start_DVD_Player(char) override { return false; }
    std::int32_t Kill_DVD_Player() override { return 0; }
    std::int32_t Wait_For_Player() override { return 0; }
    void Get_Abilities(char* buffer) override { buffer[0] = '\0'; }
};

}  // namespace spindrel
