#pragma once
// Each plug-in DLL names its player here; the exports are the same source for all four.

#include "plugins/player_profile.h"

namespace spindrel::plugins {
const PlayerProfile& thisPlayer();
}
