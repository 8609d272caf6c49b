#pragma once
// The seven player entry points as the program calls them (bound from the plug-in at start-up),
// and the state that a plug-in with the optional eighth one reports.

#include <cstdint>

#include "platform/player_state_port.h"

namespace spindrel {

class PlayerPort : public PlayerStatePort {
public:
    virtual ~PlayerPort() = default;
    virtual std::uint32_t PCDVD_Player() = 0;
    virtual std::uint32_t PCDVD_Window() = 0;
    virtual std::int32_t Send_To_DVD(std::int32_t code) = 0;
    virtual bool Start_DVD_Player(char driveLetter) = 0;
    virtual std::int32_t Kill_DVD_Player() = 0;
    virtual std::int32_t Wait_For_Player() = 0;
    // buffer: kAbilityBufferSize bytes owned by the caller.
    virtual void Get_Abilities(char* buffer) = 0;
    // A plug-in without the state export reports nothing.
    std::optional<PlayerState> playerState() override { return std::nullopt; }
};

}  // namespace spindrel
