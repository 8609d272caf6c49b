#pragma once
// Where a player says it is, for players that can tell: the domain of the disc it plays, the title
// and chapter, and how long ago that began. Read without blocking: the plug-in keeps its latest
// reading, and the program asks for it the way it asks for the time.

#include <cstdint>
#include <optional>

namespace spindrel {

enum class PlayerDomain { firstPlay, menu, title, stopped };

struct PlayerState {
    bool known = false;  // false: the player has not said yet (the rest means nothing)
    PlayerDomain domain = PlayerDomain::stopped;
    int title = 0;       // from 1, as players show it; 0 outside a title
    int chapter = 0;     // from 1; 0 when not known
    double sinceMs = 0;  // how long ago this state began

    bool operator==(const PlayerState&) const = default;
};

class PlayerStatePort {
  public:
    virtual ~PlayerStatePort() = default;
    // Nothing when this player reports no state at all (its clicks keep their blind times).
    virtual std::optional<PlayerState> playerState() = 0;
};

}  // namespace spindrel
