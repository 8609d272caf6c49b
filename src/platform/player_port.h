#pragma once
// The seven player entry points as the program calls them (bound from the plug-in at start-up).

#include <cstdint>

namespace spindrel {

class PlayerPort {
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
};

}  // namespace spindrel
