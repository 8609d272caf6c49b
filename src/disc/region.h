#pragma once
// A disc's region byte (byte 35 of VIDEO_TS.IFO): bit n set means "not playable in region n+1".

#include <array>
#include <cstdint>
#include <string>

namespace spindrel {

// What counts when there is no disc or the byte cannot be read: playable nowhere.
inline constexpr std::uint8_t kNoRegions = 0xFF;
inline constexpr std::uint32_t kRegionByteOffset = 35;

// Region n+1 playable at index n.
std::array<bool, 6> playableRegions(std::uint8_t regionByte);

// The hint of the region lights: a first sentence, and when any region is playable two CRs and
// a sentence naming them ("... in regions 2 and 4.").
std::string regionHint(std::uint8_t regionByte);

// The volume serial as the disc's identity: "1A2B:3C4D".
std::string discIdentity(std::uint32_t serial);

}  // namespace spindrel
