#include "plugins/win32/this_player.h"

namespace spindrel::plugins {
const PlayerProfile& thisPlayer() { return vlcProfile(); }
}  // namespace spindrel::plugins
