// A player plug-in that drives no player: every export answers "nothing here". Tests load it
// where the program needs some plug-in but no player. Built a second time without
// Kill_DVD_Player, and once without PCDVD_Window and Get_Abilities, to test the refusal of an
// incomplete plug-in.

#include <cstring>

#include "plugins/contract.h"

using namespace spindrel::contract;

extern "C" {

WindowHandle SPINDREL_PLUGIN_CALL PCDVD_Player() { return 0; }
#ifndef STUB_WITHOUT_WINDOW_AND_ABILITIES
WindowHandle SPINDREL_PLUGIN_CALL PCDVD_Window() { return 0; }
#endif
std::int32_t SPINDREL_PLUGIN_CALL Send_To_DVD(std::int32_t) { return 0; }
Boolean SPINDREL_PLUGIN_CALL Start_DVD_Player(char) { return 0; }
#ifndef STUB_WITHOUT_KILL
std::int32_t SPINDREL_PLUGIN_CALL Kill_DVD_Player() { return 0; }
#endif
std::int32_t SPINDREL_PLUGIN_CALL Wait_For_Player() { return 0; }
#ifndef STUB_WITHOUT_WINDOW_AND_ABILITIES
char* SPINDREL_PLUGIN_CALL Get_Abilities(char* buffer) {
    std::strcpy(buffer, "Play(7,9,0,0)");
    return buffer;
}
#endif
}
